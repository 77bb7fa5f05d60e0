#include "tools/kamorte_calc/smell_prm_report.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// What kamorte-calc says of smell.prm: nothing without a file, one line with one, and a JSON
// object that holds the constants in effect whatever the file held.
TEST(SmellPrmReport, SaysWhatTheFileSupplied) {
    const struct {
        const char *what;
        const char *content; // null: no file; "/": a folder of that name
        SmellParamsSource::State state;
        int valuesRead;
        int valuesChanged;
        const char *line; // a part of the line; null: no line
        const char *json; // a part of the object
    } rows[] = {
        {"no file", nullptr, SmellParamsSource::Absent, 0, 0, nullptr,
         "\"file\": \"absent\", \"read\": false"},
        {"a folder", "/", SmellParamsSource::Unreadable, 0, 0,
         "cannot be read; the built-in constants are in effect", "\"read\": false"},
        {"empty", "", SmellParamsSource::Read, 0, 0,
         ": 0 of 129 constants read from the file, 129 at their built-in defaults; 0 differ",
         "\"downwindStep\": 1, \"heightStep\": 1, \"indexExponent\": 1, \"indexOffset\": 0.2255"},
        {"the first line with its defaults", "   1.0   1.0   1.0 .2255\n", SmellParamsSource::Read,
         4, 0, ": 4 of 129 constants read from the file, 125 at their built-in defaults; 0 differ",
         "\"valuesRead\": 4, \"valuesChanged\": 0"},
        {"one changed, then garbage", "   2.0   1.0   abc\n", SmellParamsSource::Read, 2, 1,
         "2 of 129 constants read from the file, 127 at their built-in defaults; 1 differs",
         "\"downwindStep\": 2, \"heightStep\": 1, \"indexExponent\": 1"},
        {"infinite values keep their defaults", " 1e999-1e999\n", SmellParamsSource::Read, 0, 0,
         ": 0 of 129 constants read from the file", "\"downwindStep\": 1, \"heightStep\": 1"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        ScratchDirectory dir;
        if (r.content != nullptr && std::string(r.content) == "/")
            std::filesystem::create_directory("smell.prm");
        else if (r.content != nullptr)
            dir.Write("smell.prm", r.content);
        const SmellPrmReport report = ReadSmellPrmReport();
        EXPECT_EQ(report.source.state, r.state);
        EXPECT_EQ(report.source.valuesRead, r.valuesRead);
        EXPECT_EQ(report.valuesChanged, r.valuesChanged);
        EXPECT_NE(report.path.find("smell.prm"), std::string::npos);
        const std::string line = SmellPrmLine(report);
        if (r.line == nullptr) {
            EXPECT_EQ(line, "");
        } else {
            EXPECT_NE(line.find(r.line), std::string::npos) << line;
            EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line";
        }
        const std::string json = SmellPrmJson(report);
        EXPECT_NE(json.find(r.json), std::string::npos) << json;
        EXPECT_NE(json.find("\"sigmaYCoefficient\": [[0.122, 0.172], [0.0806, 0.113]"),
                  std::string::npos);
    }
}

TEST(SmellPrmReport, AMemberJoinsTheObject) {
    const struct {
        const char *object;
        const char *joined;
    } rows[] = {
        {"{\"case\": \"D\"}\n", "{\"case\": \"D\", \"smellPrm\": {\"a\": 1}}\n"},
        {"{}\n", "{\"smellPrm\": {\"a\": 1}}\n"},
        {"{\"text\": \"}\"}", "{\"text\": \"}\", \"smellPrm\": {\"a\": 1}}"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(WithJsonMember(r.object, "smellPrm", "{\"a\": 1}"), r.joined);
}
