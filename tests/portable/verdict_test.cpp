// The typed verdict, margin and reduction of a computed outlet: equal to what kamorte-calc
// prints for every golden outlet on either side of its limit, and the reduction that
// brings the measured odor exactly down to the limit.
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "model/verdict.h"
#include "tests/portable/golden_outlets.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

#ifndef _WIN32
// A member of kamorte-calc's one-line JSON: its text after the colon, up to , or }.
std::string JsonMember(const std::string &json, const std::string &key) {
    const size_t at = json.find("\"" + key + "\": ");
    if (at == std::string::npos)
        return "";
    const size_t from = at + key.size() + 4;
    return json.substr(from, json.find_first_of(",}", from) - from);
}

std::string CalcJson(const std::vector<std::string> &args, double measured) {
    std::string command = KAMORTE_CALC;
    for (const std::string &arg : args)
        command += " '" + arg + "'";
    char index[40];
    std::snprintf(index, sizeof index, "%.17g", measured);
    command += std::string(" --measured-index ") + index + " --format json 2>/dev/null";
    std::string out;
    if (std::FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}
#endif

OutletStandard Computed(const std::vector<std::string> &args) {
    OutletOptions options;
    for (size_t i = 0; i + 1 < args.size(); i += 2)
        options[args[i].substr(2)] = TerminalToCp932(args[i + 1]);
    OutletInputs in{};
    OutletCase screen = CaseUndecided;
    EXPECT_EQ(PrepareOutlet(options, in, &screen).status, kComputed);
    ComputeStatus status;
    OutletResults results;
    ComputeResults(in, screen, nullptr, results, &status);
    EXPECT_EQ(status, ComputeStatus::Ok);
    return StandardOf(screen, results);
}

} // namespace

TEST(Verdict, EqualsWhatKamorteCalcPrintsForEveryGoldenOutlet) {
    const std::vector<GoldenOutlet> outlets = LoadGolden();
    ASSERT_EQ(outlets.size(), 8u);
    int reductions = 0;
    for (const GoldenOutlet &g : outlets) {
        const OutletStandard standard = Computed(g.args);
        for (double measured : {0.0, 20.0, 33.5, 45.0, 48.0, 60.0, 100.0}) {
            SCOPED_TRACE(g.what + " measured " + std::to_string(measured));
            Compliance v;
            ASSERT_TRUE(JudgeMeasured(standard, measured, &v));
#ifndef _WIN32 // kamorte-calc runs as a native process beside the native tests
            const std::string json = CalcJson(g.args, measured);
            ASSERT_FALSE(json.empty());
            EXPECT_EQ(JsonMember(json, "complies"), v.complies ? "true" : "false");
            const std::string margin = JsonMember(json, "margin");
            if (std::isfinite(v.margin))
                EXPECT_EQ(std::strtod(margin.c_str(), nullptr), v.margin);
            else
                EXPECT_EQ(margin, "null");
            const std::string rate = JsonMember(json, "measuredEmissionRate");
            if (v.measuredEmissionRate >= 0)
                EXPECT_EQ(std::strtod(rate.c_str(), nullptr), v.measuredEmissionRate);
            else
                EXPECT_EQ(rate, "");

#endif
            // Reduced by the fraction, the measured odor stands at the limit (to the rounding
            // of 1 − reduction, which at an index of 100 is some 10⁻⁵).
            const double reduction = ReductionNeeded(standard, v);
            if (v.complies) {
                EXPECT_EQ(reduction, 0);
                continue;
            }
            ++reductions;
            EXPECT_GT(reduction, 0);
            EXPECT_LT(reduction, 1);
            if (v.measuredEmissionRate >= 0)
                EXPECT_NEAR(v.measuredEmissionRate * (1 - reduction),
                            standard.allowableEmissionRate, 1e-8 * standard.allowableEmissionRate);
            else
                EXPECT_NEAR(measured + 10 * std::log10(1 - reduction),
                            std::floor(standard.no2Index + 0.5), 1e-7);
        }
    }
    EXPECT_GE(reductions, 8);
}

TEST(Verdict, ReductionOfTheExamplesAndItsShownPercent) {
    struct Row {
        const char *what;
        std::vector<std::string> args;
        double measured;
        double percent; // the reduction needed, %
        int shown;
    } const rows[] = {
        {"the example outlet", {"--example"}, 48, 52.098, 53},
        {"case A 5 m", {"--height", "5", "--no1", "12", "--size", "small"}, 30, 36.904, 37},
        {"case A at its standard", {"--height", "5", "--no1", "12", "--size", "small"}, 28, 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        OutletStandard standard;
        if (row.args[0] == "--example") {
            std::vector<std::string> args;
            for (const auto &option : ExampleOutlet()) {
                args.push_back("--" + option.first);
                args.push_back(option.second);
            }
            standard = Computed(args);
        } else {
            standard = Computed(row.args);
        }
        Compliance v;
        ASSERT_TRUE(JudgeMeasured(standard, row.measured, &v));
        const double reduction = ReductionNeeded(standard, v);
        EXPECT_NEAR(reduction * 100, row.percent, 5e-4);
        EXPECT_EQ(ShownReductionPercent(reduction), row.shown);
    }
    // A whole percent shows as itself, anything above it as the next.
    EXPECT_EQ(ShownReductionPercent(0.37), 37);
    EXPECT_EQ(ShownReductionPercent(0.3700001), 38);
}

TEST(Verdict, NoStandardToJudge) {
    Compliance v;
    const OutletStandard refused[] = {
        {},                         // no case
        {CaseA, std::nan("")},      // a low standard that is no number
        {CaseD, -1, 9e6, -1},       // a tall outlet without its dry flow
        {CaseC, -1, 9e6, HUGE_VAL}, // nor with one that is no number
    };
    for (const OutletStandard &s : refused)
        EXPECT_FALSE(JudgeMeasured(s, 40, &v)) << s.outletCase;
    // Without a limit a tall outlet always complies, with an infinite margin and nothing to
    // reduce.
    const OutletStandard unlimited = {CaseC, -1, HUGE_VAL, 300};
    ASSERT_TRUE(JudgeMeasured(unlimited, 100, &v));
    EXPECT_TRUE(v.complies);
    EXPECT_TRUE(std::isinf(v.margin));
    EXPECT_EQ(ReductionNeeded(unlimited, v), 0);
}
