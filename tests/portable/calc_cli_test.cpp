#include "model/input_checks.h"
#include "tools/kamorte_calc/batch.h"
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/terminal_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The outlet these cases work on, one after the other.
OutletInputs currentOutlet;

RequestError Prepare(const OutletOptions &options, OutletCase *screen = nullptr) {
    OutletCase ignored;
    return PrepareOutlet(options, currentOutlet, screen ? screen : &ignored);
}

OutletOptions ExampleD() {
    return {{"height", "30"},           {"building", "10"},  {"no1", "12"},
            {"diameter", "1"},          {"direction", "up"}, {"temperature", "80"},
            {"dry-flow", "300"},        {"moisture", "10"},  {"outlet-boundary", "50"},
            {"building-boundary", "20"}};
}

OutletOptions Without(OutletOptions o, const char *name) {
    o.erase(name);
    return o;
}

OutletOptions With(OutletOptions o, const char *name, const char *value) {
    o[name] = value;
    return o;
}

} // namespace

TEST(PrepareOutlet, TheStartMenuRuleChoosesTheCase) {
    OutletCase screen;
    EXPECT_EQ(Prepare({{"height", "6.69"}, {"no1", "12"}, {"size", "small"}}, &screen).status, 0);
    EXPECT_EQ(screen, CaseA);
    Prepare({{"height", "6.7"}, {"building", "5"}, {"no1", "12"}, {"size", "small"}}, &screen);
    EXPECT_EQ(screen, CaseB);
    Prepare({{"height", "14.99"}, {"building", "5"}, {"no1", "12"}, {"size", "large"}}, &screen);
    EXPECT_EQ(screen, CaseB);
    Prepare(With(With(ExampleD(), "height", "15"), "building", "10"), &screen);
    EXPECT_EQ(screen, CaseD);
    RequestError e = Prepare(
        {{"height", "15"}, {"building", "10.001"}, {"no1", "12"}, {"dry-flow", "300"}}, &screen);
    EXPECT_EQ(screen, CaseC);
    EXPECT_EQ(e.status, 0);

    e = Prepare({{"height", "400.01"}});
    EXPECT_EQ(e.status, kBadInput);
    EXPECT_EQ(e.message, kStartOutletMessage);
    e = Prepare({{"height", "10"}, {"no1", "12"}, {"size", "small"}});
    EXPECT_EQ(e.message, kStartBuildingMessage);
}

TEST(PrepareOutlet, OptionsOutsideTheCaseAreRefusedByName) {
    RequestError e = Prepare(With(ExampleD(), "size", "small"));
    EXPECT_EQ(e.status, kBadUsage);
    EXPECT_NE(e.message.find("--size"), std::string::npos);
    e = Prepare({{"height", "5"}, {"building", "3"}, {"no1", "12"}, {"size", "small"}});
    EXPECT_EQ(e.status, kBadUsage);
    EXPECT_NE(e.message.find("--building"), std::string::npos);
    const OutletOptions caseC = {
        {"case", "C"}, {"height", "20"}, {"building", "15"}, {"no1", "12"}, {"dry-flow", "300"}};
    EXPECT_EQ(Prepare(caseC).status, 0);
    EXPECT_EQ(Prepare(With(caseC, "diameter", "1")).status, kBadUsage);
    EXPECT_EQ(Prepare(With(caseC, "velocity", "5")).status, kBadUsage);
    EXPECT_EQ(Prepare(With(caseC, "moisture", "5")).status, kBadUsage);
    EXPECT_EQ(
        Prepare(With(Without(With(caseC, "wet-flow", "300"), "dry-flow"), "moisture", "5")).status,
        0);
    EXPECT_EQ(Prepare(With(With(ExampleD(), "direction", "down"), "temperature", "80")).status,
              kBadUsage);
    EXPECT_EQ(Prepare(With(ExampleD(), "area", "1")).status, kBadUsage);
    EXPECT_EQ(Prepare(With(ExampleD(), "velocity", "5")).status, kBadUsage);
}

TEST(PrepareOutlet, MissingOrBadValuesGetTheirFieldsMessages) {
    RequestError e = Prepare(Without(ExampleD(), "diameter"));
    EXPECT_EQ(e.status, kBadInput);
    EXPECT_EQ(e.message, TallFieldMessage(TallField::Diameter));
    e = Prepare(Without(Without(ExampleD(), "direction"), "temperature"));
    EXPECT_EQ(e.message, kDirectionMessage);
    e = Prepare(Without(ExampleD(), "dry-flow"));
    EXPECT_EQ(e.message, TallFieldMessage(TallField::DryFlow));
    e = Prepare(With(ExampleD(), "moisture", "100"));
    EXPECT_EQ(e.message, TallFieldMessage(TallField::Moisture));
    e = Prepare(Without(ExampleD(), "building-boundary"));
    EXPECT_EQ(e.message, TallFieldMessage(TallField::BuildingToBoundary));
    e = Prepare(With(ExampleD(), "no1", "9"));
    EXPECT_EQ(e.message, TallFieldMessage(TallField::No1Standard));
    // The first bad field in the screen's order is reported.
    e = Prepare(With(With(ExampleD(), "no1", "9"), "dry-flow", "x"));
    EXPECT_EQ(e.message, TallFieldMessage(TallField::No1Standard));
    e = Prepare({{"case", "A"}, {"height", "5"}, {"no1", "12"}});
    EXPECT_EQ(e.message, kSizeClassMessage);
}

TEST(PrepareOutlet, HeightsOfAnotherCaseGetTheScreensQuestion) {
    RequestError e = Prepare(
        {{"case", "C"}, {"height", "30"}, {"building", "10"}, {"no1", "12"}, {"dry-flow", "300"}});
    EXPECT_EQ(e.status, kBadInput);
    EXPECT_EQ(e.message, kCaseCAtLeast15TimesQuestion);
    e = Prepare(With(With(ExampleD(), "building", "25"), "case", "D"));
    EXPECT_EQ(e.message, kCaseDBelow15TimesQuestion);
    e = Prepare(With(With(ExampleD(), "height", "10"), "case", "D"));
    EXPECT_EQ(e.message, kTallBelow15Question);
    e = Prepare({{"case", "A"}, {"height", "8"}, {"no1", "12"}, {"size", "small"}});
    EXPECT_EQ(e.message, kCaseAAtLeast67Question);
    e = Prepare(
        {{"case", "B"}, {"height", "5"}, {"building", "1"}, {"no1", "12"}, {"size", "small"}});
    EXPECT_EQ(e.message, kCaseBBelow67Question);
    e = Prepare(
        {{"case", "B"}, {"height", "15"}, {"building", "1"}, {"no1", "12"}, {"size", "small"}});
    EXPECT_EQ(e.message, kCaseBAtLeast15Question);
}

TEST(PrepareOutlet, AcceptedTextsAreWhatWasTyped) {
    ASSERT_EQ(Prepare(With(ExampleD(), "dry-flow", "９５．３０")).status, 0);
    EXPECT_STREQ(currentOutlet.dryFlowText, "95.30");
    ASSERT_EQ(Prepare({{"case", "C"},
                       {"height", "20"},
                       {"building", "15"},
                       {"no1", "12"},
                       {"dry-flow", "300"}})
                  .status,
              0);
    EXPECT_EQ(currentOutlet.tall.moisture, -1.0); // not given with the dry flow
    EXPECT_EQ(currentOutlet.tall.outletToBoundary, 0.0);
    EXPECT_STREQ(currentOutlet.outletToBoundaryText, "");
    EXPECT_EQ(currentOutlet.tall.outletDiameter, 0.9);
}

TEST(ComputeOutcome, NoRowBeyondTheBoundaryMeansNoLandingPointAndNoLimit) {
    // A site's grid step so small that the grid ends before the site boundary.
    ScratchDirectory dir;
    dir.Write("smell.prm", " 0.001   1.0   1.0 .2255\n");
    OutletCase screen;
    ASSERT_EQ(PrepareOutlet(ExampleOutlet(), currentOutlet, &screen).status, 0);
    DilutionGrid grid;
    OutletResults results;
    const Outcome outcome = ComputeOutcome(currentOutlet, screen, grid, results);
    std::map<std::string, OutcomeField> byKey;
    for (const OutcomeField &f : outcome)
        byKey[f.key] = f;
    EXPECT_EQ(byKey["landingRow"].number, -1);
    EXPECT_EQ(byKey["landingDilution"].kind, OutcomeField::Null);
    EXPECT_EQ(byKey["allowableEmissionRate"].kind, OutcomeField::Null);
    EXPECT_EQ(byKey["rateMantissaText"].text, "∞");
    EXPECT_EQ(byKey["rateExponentText"].text, "");
    EXPECT_EQ(byKey["landingDistanceText"].text, "");
    EXPECT_EQ(byKey["landingDilutionText"].text, "");
    EXPECT_EQ(byKey["redLimit"].number, 0);
    EXPECT_EQ(byKey["whiteLimit"].number, 300);
    EXPECT_EQ(byKey["downwindRange"].number, 100);
    // The shown outlet index is still the No. 1 standard plus the shown dilution degree.
    EXPECT_EQ(byKey["outletIndexText"].text, "313       （＝1号基準（12）＋希釈度（301））");
}

TEST(OutcomeOutput, JsonAndCsv) {
    Outcome outcome = {{OutcomeField::Text, "case", 0, "D"},
                       {OutcomeField::Number, "dryFlow", 0.1, ""},
                       {OutcomeField::Null, "allowableEmissionRate", 0, ""},
                       {OutcomeField::Text, "outletIndexText", 0, "a\"b"}};
    auto same = [](const std::string &s) { return s; };
    EXPECT_EQ(OutcomeJson(outcome, same),
              "{\"case\": \"D\", \"dryFlow\": 0.10000000000000001, \"allowableEmissionRate\": "
              "null, \"outletIndexText\": \"a\\\"b\"}\n");
    EXPECT_EQ(CsvQuote("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvQuote("say \"x\"\nnow"), "\"say \"\"x\"\"\nnow\"");
    EXPECT_EQ(SplitCsvLine("30,\"1,5\",,\"a\"\"b\""),
              (std::vector<std::string>{"30", "1,5", "", "a\"b"}));
}

#ifndef _WIN32
namespace {

struct Ran {
    int status;
    std::string out;
};

Ran RunCalc(const std::string &arguments) {
    const std::string command = std::string(KAMORTE_CALC) + " " + arguments + " 2>&1";
    std::FILE *pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    int status = pclose(pipe);
    return {WEXITSTATUS(status), out};
}

} // namespace

TEST(KamorteCalc, ExitStatusesAndMessages) {
    Ran r = RunCalc("--height 5 --no1 12 --size small --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"case\": \"A\", \"no1Index\": 12, \"no2Index\": 27.889716175206551, "
                     "\"dilution\": 15.889716175206551}\n");
    // With a measured index: the verdict after the results.
    r = RunCalc("--height 5 --no1 12 --size small --measured-index 30 --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(", \"measuredIndex\": 30, \"complies\": false, \"margin\": -2, "
                         "\"requiredReduction\": 0.369042655519806"),
              std::string::npos)
        << r.out;
    r = RunCalc("--height 5 --no1 ９ --size small");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, Cp932ToUtf8("臭気指数第１号基準に適切な値（10～21）を設定して下さい。\n"));
    EXPECT_EQ(RunCalc("--height 5 --no1 12 --size tiny").status, 2);
    EXPECT_EQ(RunCalc("--bogus 1").status, 2);
    EXPECT_EQ(RunCalc("--height").status, 2);
    EXPECT_EQ(RunCalc("--help").status, 0);
    // The report header's names: for a report, once each, not empty.
    for (const char *args :
         {"--example --author A", "--example --report x.pdf --author A --author B",
          "--example --report x.pdf --office \"\""})
        EXPECT_EQ(RunCalc(args).status, 2) << args;
}

TEST(KamorteCalc, ExampleWritesMapAndGrid) {
    ScratchDirectory dir;
    Ran r = RunCalc("--example --json --map " + dir.Path("map.bmp") + " --grid " +
                    dir.Path("grid.bin"));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find(Cp932ToUtf8("\"rateMantissaText\": \"9.1×10\"")), std::string::npos);
    std::FILE *map = std::fopen(dir.Path("map.bmp").c_str(), "rb");
    ASSERT_NE(map, nullptr);
    std::fseek(map, 0, SEEK_END);
    EXPECT_EQ(std::ftell(map), 254456);
    std::fclose(map);
    std::FILE *grid = std::fopen(dir.Path("grid.bin").c_str(), "rb");
    ASSERT_NE(grid, nullptr);
    std::fseek(grid, 648L * 800 * 8, SEEK_SET);
    double landing = 0;
    ASSERT_EQ(std::fread(&landing, 8, 1, grid), 1u);
    std::fclose(grid);
    EXPECT_NEAR(landing, 32.803561877706265, 1e-12);
}

TEST(KamorteCalc, BatchComputesGoodRowsAndReportsBadOnes) {
    ScratchDirectory dir;
    dir.Write("outlets.csv", "height,building,no1,size,dry-flow,case\n"
                             "5,,12,small,,\n"
                             "8,,12,small,,A\n"
                             "10,8,21,medium,,\n");
    Ran r = RunCalc("--batch " + dir.Path("outlets.csv") + " --columns all");
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(r.out.substr(start, end - start));
    ASSERT_GE(lines.size(), 4u);
    // An ASCII file is UTF-8: the result carries the byte order mark Excel looks for.
    EXPECT_EQ(lines[0].substr(0, 20), "\xEF\xBB\xBF"
                                      "case,no1Standard,");
    EXPECT_EQ(lines[0].substr(lines[0].size() - 6), ",error");
    EXPECT_NE(lines[1].find("A,"), std::string::npos);
    EXPECT_NE(lines[1].find("27.88971617520655"), std::string::npos);
    EXPECT_NE(lines[2].find(Cp932ToUtf8("\"排出口の実高さに 6.7m 以上が設定されています。")),
              std::string::npos);
    EXPECT_NE(r.out.find("34.01029995663981"), std::string::npos);
}
#endif
