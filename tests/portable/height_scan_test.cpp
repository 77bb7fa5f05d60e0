// The height search and the sweep: every answer checked against the computation made
// directly at the found height and 0.1 m below it.
#include "calc/calc_request.h"
#include "calc/height_chart.h"
#include "calc/height_scan.h"
#include "model/form_rules.h"
#include "model/quantise.h"
#include "tools/kamorte_calc/terminal_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

OutletOptions With(OutletOptions options, const OutletOptions &more) {
    for (const auto &option : more)
        options[option.first] = option.second;
    return options;
}

const OutletOptions kCaseD = {
    {"building", "10"},         {"no1", "12"},       {"diameter", "1"},  {"direction", "up"},
    {"temperature", "80"},      {"dry-flow", "300"}, {"moisture", "10"}, {"outlet-boundary", "50"},
    {"building-boundary", "20"}};

struct Direct {
    OutletCase outletCase;
    bool complies;
};

// The outlet computed at one height with the case the start menu gives, judged here from
// the shown standard (cases A and B) or the rate (C and D).
Direct DirectAt(const OutletOptions &options, const std::string &height, double measured) {
    OutletInputs in{};
    ReadMenuField(in, MenuField::OutletHeight, height.c_str());
    ReadMenuField(in, MenuField::BuildingHeight,
                  options.count("building") ? options.at("building").c_str() : "");
    const OutletCase c = ValidateStartMenu(in).nextCase;
    OutletOptions own;
    for (const auto &option : options)
        if (CaseOptionNames(c).count(option.first) && !(c == CaseC && option.first == "moisture"))
            own.insert(option);
    own["height"] = height;
    own["case"] = std::string(1, static_cast<char>('A' + (c - CaseA)));
    OutletCase prepared;
    EXPECT_EQ(PrepareOutlet(own, in, &prepared).message, "") << height;
    OutletResults results;
    const Outcome outcome = ComputeResults(in, prepared, nullptr, results);
    double no2 = 0, rate = 0, flow = 0;
    for (const OutcomeField &f : outcome) {
        if (f.key == "no2Index")
            no2 = f.number;
        if (f.key == "allowableEmissionRate")
            rate = f.kind == OutcomeField::Null ? HUGE_VAL : f.number;
        if (f.key == "dryFlow")
            flow = f.number;
    }
    if (c == CaseA || c == CaseB)
        return {c, measured <= RoundShown(no2)};
    return {c, flow * std::pow(10.0, measured / 10) <= rate};
}

SmellParams Params() {
    SmellParams params;
    SetDefaultSmellParams(params);
    ReadSmellParams(params);
    return params;
}

} // namespace

TEST(HeightScan, SolvedHeightsAgreeWithTheComputationAtAndBelowThem) {
    struct Row {
        const char *what;
        OutletOptions outlet;
        const char *solved;                   // the lowest complying height; "" for none
        OutletCase solvedCase;                // or the case whose inputs are missing
        const char *missingNames;             // part of the message when the scan stops
        OutletCase startCase = CaseUndecided; // where the case changes inside the scan
        int status = kBadInput;               // of the message
    } const rows[] = {
        {"case A",
         {{"height", "5"}, {"no1", "12"}, {"size", "small"}, {"measured-index", "29"}},
         "5.4",
         CaseA,
         ""},
        {"case B",
         {{"height", "6.8"},
          {"building", "12"},
          {"no1", "15"},
          {"size", "medium"},
          {"measured-index", "30"}},
         "8.0",
         CaseB,
         ""},
        {"already complies", With(kCaseD, {{"height", "30"}, {"measured-index", "40"}}), "30",
         CaseD, ""},
        {"B into D",
         With(kCaseD,
              {{"height", "10"}, {"building", "8"}, {"size", "medium"}, {"measured-index", "40"}}),
         "15.0", CaseD, "", CaseB},
        {"C into D", With(kCaseD, {{"height", "20"}, {"building", "15"}, {"measured-index", "47"}}),
         "59.3", CaseD, "", CaseC},
        {"D", With(kCaseD, {{"height", "30"}, {"measured-index", "48"}}), "75.5", CaseD, ""},
        {"none up to 400 m", With(kCaseD, {{"height", "390"}, {"measured-index", "70"}}), "", CaseD,
         ""},
        {"B into D without D's inputs",
         {{"height", "10"},
          {"building", "8"},
          {"no1", "15"},
          {"size", "medium"},
          {"measured-index", "40"}},
         "",
         CaseD,
         "at 15.0 m the outlet is case D, which needs --diameter or --area, "},
        {"C into D without D's inputs",
         {{"height", "20"},
          {"building", "15"},
          {"no1", "12"},
          {"dry-flow", "100"},
          {"measured-index", "40"}},
         "",
         CaseD,
         "at 22.5 m the outlet is case D, which needs --diameter or --area, "},
        {"A into B without a building",
         {{"height", "6"}, {"no1", "12"}, {"size", "small"}, {"measured-index", "40"}},
         "",
         CaseUndecided,
         "at 6.7 m the outlet needs --building"},
        {"D's options refused only where D is reached",
         {{"height", "10"},
          {"building", "8"},
          {"no1", "15"},
          {"size", "medium"},
          {"diameter", "1"},
          {"area", "2"},
          {"measured-index", "28"}},
         "10",
         CaseB,
         ""},
        {"B into D with a downward outlet's temperature",
         With(kCaseD, {{"height", "10"},
                       {"building", "8"},
                       {"size", "medium"},
                       {"direction", "down"},
                       {"measured-index", "40"}}),
         "", CaseD, "--temperature applies only to an upward outlet", CaseB, kBadUsage},
        {"too long to keep", With(kCaseD, {{"height", "30"}, {"no1", std::string(64, '1')}}), "",
         CaseD, "--no1 takes at most 63 bytes", CaseD, kBadUsage},
    };
    const SmellParams params = Params();
    for (const Row &row : rows) {
        const std::vector<std::string> heights = SearchHeights(row.outlet.at("height"));
        ASSERT_FALSE(heights.empty()) << row.what;
        const OptionScan scan = ScanOptionHeights(row.outlet, heights, params, true, 2);
        const std::vector<HeightScanPoint> &points = scan.points;
        if (row.missingNames[0] != '\0') {
            EXPECT_EQ(scan.error.status, row.status) << row.what;
            EXPECT_EQ(scan.error.message.find(row.missingNames), 0u)
                << row.what << ": " << scan.error.message;
            continue;
        }
        ASSERT_EQ(scan.error.status, kComputed) << row.what << ": " << scan.error.message;
        const HeightScanPoint &last = points.back();
        const double measured = std::atof(row.outlet.at("measured-index").c_str());
        if (row.solved[0] == '\0') {
            EXPECT_FALSE(last.verdict.complies) << row.what;
            EXPECT_EQ(last.heightText, "400.0") << row.what;
            EXPECT_EQ(points.size(), heights.size()) << row.what;
            EXPECT_FALSE(DirectAt(row.outlet, "400", measured).complies) << row.what;
            continue;
        }
        EXPECT_TRUE(last.verdict.complies) << row.what;
        EXPECT_EQ(last.heightText, row.solved) << row.what;
        EXPECT_EQ(last.outletCase, row.solvedCase) << row.what;
        if (row.startCase != CaseUndecided) {
            EXPECT_EQ(points.front().outletCase, row.startCase) << row.what;
        }
        const Direct at = DirectAt(row.outlet, last.heightText, measured);
        EXPECT_TRUE(at.complies) << row.what;
        EXPECT_EQ(at.outletCase, row.solvedCase) << row.what;
        if (points.size() > 1) {
            char below[32];
            std::snprintf(below, sizeof below, "%.1f", std::atof(row.solved) - 0.1);
            EXPECT_FALSE(DirectAt(row.outlet, below, measured).complies) << row.what;
            EXPECT_FALSE(points[points.size() - 2].verdict.complies) << row.what;
        }
    }
}

TEST(HeightScan, HeightsOfTheSearchAndTheSweep) {
    struct Row {
        const char *given;
        bool sweep;
        std::vector<std::string> first; // the first heights, then the count
        size_t count;
    } const rows[] = {
        {"30", false, {"30", "30.1", "30.2"}, 3701},
        {"30.05", false, {"30.05", "30.1", "30.2"}, 3701},
        {"３０．０", false, {"30.0", "30.1"}, 3701},
        {"399.95", false, {"399.95", "400.0"}, 2},
        {"400", false, {"400"}, 1},
        {"401", false, {"401"}, 1},
        {"abc", false, {}, 0},
        {"15:16:0.5", true, {"15.0", "15.5", "16.0"}, 3},
        {"1:2:0.25", true, {"1.00", "1.25", "1.50"}, 5},
        {"10:40:10", true, {"10", "20", "30"}, 4},
        {"2:1:1", true, {}, 0},
        {"1:2:0", true, {}, 0},
        {"1:2", true, {}, 0},
        {"0:400:0.01", true, {}, 0}, // beyond the most heights a sweep covers
    };
    for (const Row &row : rows) {
        std::string problem;
        const std::vector<std::string> heights =
            row.sweep ? SweepHeights(row.given, &problem) : SearchHeights(row.given);
        ASSERT_EQ(heights.size(), row.count) << row.given;
        for (size_t i = 0; i < row.first.size(); ++i)
            EXPECT_EQ(heights[i], row.first[i]) << row.given;
        if (row.sweep) {
            EXPECT_EQ(problem.empty(), row.count != 0) << row.given;
        }
    }
}

#ifndef _WIN32
namespace {

std::string RunCalcCommand(const std::string &arguments, int *status) {
    std::FILE *pipe = popen((std::string(KAMORTE_CALC) + " " + arguments).c_str(), "r");
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    *status = WEXITSTATUS(pclose(pipe));
    return out;
}

} // namespace

// The CSV columns against the computation at each height, and the chart as rsvg-convert
// reads it.
TEST(HeightScan, SweepCsvAndChart) {
    ScratchDirectory dir;
    int status = 0;
    const std::string csv = RunCalcCommand(
        "--height 10 --building 8 --no1 15 --size medium --diameter 1 --direction up "
        "--temperature 80 --dry-flow 300 --moisture 10 --outlet-boundary 50 "
        "--building-boundary 20 --measured-index 30 --sweep height=10:20:2.5 --plot " +
            dir.Path("chart.svg"),
        &status);
    ASSERT_EQ(status, 0) << csv;
    const OutletOptions outlet =
        With(kCaseD, {{"size", "medium"}, {"building", "8"}, {"no1", "15"}});
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "height,case,no2Index,dilution,allowableEmissionRate,complies");
    const char *heights[] = {"10.0", "12.5", "15.0", "17.5", "20.0"};
    const char cases[] = {'B', 'B', 'D', 'D', 'D'};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(std::getline(lines, line)) << i;
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, ',');)
            cells.push_back(cell);
        ASSERT_EQ(cells.size(), 6u) << line;
        EXPECT_EQ(cells[0], heights[i]);
        EXPECT_EQ(cells[1], std::string(1, cases[i]));
        EXPECT_EQ(cells[4].empty(), cases[i] == 'B') << line;
        const Direct direct = DirectAt(outlet, heights[i], 30);
        EXPECT_EQ(cells[5], Cp932ToUtf8(direct.complies ? "適合" : "不適合")) << line;
    }
    EXPECT_FALSE(std::getline(lines, line));

    std::ifstream file(dir.Path("chart.svg"));
    const std::string svg((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (const char *part : {"id=\"standard\"", "id=\"measured\"", "id=\"complying-height\"",
                             "class=\"case\"", "ケースＢ", "ケースＤ", "排出口の実高さ（m）"})
        EXPECT_NE(svg.find(Cp932ToUtf8(part)), std::string::npos) << part;
    const std::string png = dir.Path("chart.png");
    const std::string render = "rsvg-convert -o " + png + " " + dir.Path("chart.svg") + " 2>&1";
    std::FILE *pipe = popen(render.c_str(), "r");
    char buffer[256];
    std::string said;
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        said.append(buffer, n);
    EXPECT_EQ(WEXITSTATUS(pclose(pipe)), 0) << said;
    std::ifstream image(png, std::ios::binary);
    char signature[8] = {};
    image.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}
#endif
