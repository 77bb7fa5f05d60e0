// smell.prm values are used as written unless they would make a shown result no number or
// infinite: random files, and a file whose over-long first line moves the gradients into the
// segment bounds.
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/smell_prm_report.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

const OutletOptions kDownwashOutlet = {
    {"height", "20"}, {"building", "18"}, {"no1", "15"}, {"dry-flow", "50"}};

struct Computed {
    OutletInputs in;
    OutletCase outletCase;
    Outcome outcome;
};

// The example outlet (no downwash) and a case C outlet under a building's downwash, with
// the constants given.
Computed Compute(bool example, const SmellParams &params) {
    Computed c{};
    const OutletOptions options = example ? ExampleOutlet() : kDownwashOutlet;
    EXPECT_EQ(PrepareOutlet(options, c.in, &c.outletCase).status, kComputed);
    ComputeStatus status;
    OutletResults results;
    c.outcome = ComputeResults(c.in, c.outletCase, &params, results, &status);
    EXPECT_EQ(status, ComputeStatus::Ok);
    return c;
}

const OutcomeField *Field(const Outcome &outcome, const std::string &key) {
    for (const OutcomeField &f : outcome)
        if (f.key == key)
            return &f;
    return nullptr;
}

// Every number the screens show is finite. The rate alone may have no limit (the screen's
// "∞"), and the landing cell is empty only where there is no landing point.
void ExpectShownResultsFinite(const Outcome &outcome) {
    const OutcomeField *row = Field(outcome, "landingRow");
    ASSERT_NE(row, nullptr);
    for (const OutcomeField &f : outcome) {
        SCOPED_TRACE(f.key);
        if (f.kind == OutcomeField::Number) {
            EXPECT_TRUE(std::isfinite(f.number)) << f.number;
        } else if (f.kind == OutcomeField::Null && f.key == "allowableEmissionRate") {
            EXPECT_EQ(Field(outcome, "rateMantissaText")->text, "∞");
        } else if (f.kind == OutcomeField::Null) {
            EXPECT_TRUE(f.key == "landingDilution" && row->number < 0);
        } else if (f.kind == OutcomeField::Text) {
            EXPECT_EQ(f.text.find("nan"), std::string::npos) << f.text;
            EXPECT_EQ(f.text.find("inf"), std::string::npos) << f.text;
        }
    }
}

// The width of the fields of line n (0-based) and their count, as the file's format gives.
void LineFormat(int n, int *width, int *count) {
    const int widths[] = {6, 6, 8, 9, 8};
    const int counts[] = {4, 7, 6, 6, 2};
    const int group = n == 0 ? 0 : n == 1 ? 1 : n <= 9 ? 2 : n <= 16 ? 3 : 4;
    *width = widths[group];
    *count = counts[group];
}

// A value's text in fewer characters than its field, so that a blank always leads it ("0."
// written "." where that is needed).
std::string Fitted(double value, int width) {
    for (int digits = 6; digits >= 1; --digits) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        std::string fitted = text;
        const size_t zero = fitted.find("0.");
        if (static_cast<int>(fitted.size()) >= width && zero <= 1)
            fitted.erase(zero, 1);
        if (static_cast<int>(fitted.size()) < width)
            return fitted;
    }
    return "0";
}

// Texts for one field: around its default (or 1) within two decades either way, negative,
// zero, infinite, or the text of the field before it (equal bounds).
std::string RandomText(std::mt19937 &random, double defaultValue, int width,
                       const std::string &previous) {
    std::uniform_real_distribution<double> unit(0, 1);
    const double scale =
        (defaultValue != 0 ? defaultValue : 1) * std::pow(10, 4 * unit(random) - 2);
    const double kind = unit(random);
    if (kind < 0.08)
        return kind < 0.04 ? "0" : "-0";
    if (kind < 0.12)
        return width > 6 && kind < 0.10 ? "-1e999" : "1e999";
    if (kind < 0.22 && !previous.empty())
        return previous;
    if (kind < 0.37)
        return Fitted(-scale, width);
    if (kind < 0.42)
        return Fitted(defaultValue, width);
    return Fitted(scale, width);
}

// Whether the rule takes the value at position index as written: finite, and above 0 for the
// downwind step and class B's σ coefficients, not 0 for the index exponent.
bool TakenAsWritten(const SmellParams &p, int index, double value) {
    const double *at = &p.downwindStep + index;
    const bool positive = at == &p.downwindStep ||
                          (at >= p.sigmaZCoefficient[1] && at < p.sigmaZCoefficient[1] + 6) ||
                          (at >= p.sigmaYCoefficient[1] && at < p.sigmaYCoefficient[1] + 2);
    if (!std::isfinite(value))
        return false;
    if (positive)
        return value > 0;
    return at != &p.indexExponent || value != 0;
}

} // namespace

TEST(SmellPrmAsWritten, RandomFilesComputeWithEveryValueTheRuleTakes) {
    std::mt19937 random(30);
    SmellParams defaults;
    SetDefaultSmellParams(defaults);
    const double *built = &defaults.downwindStep;
    for (int file = 0; file < 150; ++file) {
        std::string content;
        double written[kSmellParamCount];
        int index = 0;
        for (int n = 0; n < 31; ++n) {
            int width, count;
            LineFormat(n, &width, &count);
            std::string previous;
            for (int f = 0; f < count; ++f, ++index) {
                previous = RandomText(random, built[index], width, previous);
                written[index] = std::strtod(previous.c_str(), nullptr);
                content +=
                    std::string(static_cast<size_t>(width) - previous.size(), ' ') + previous;
            }
            content += "\n";
        }
        SCOPED_TRACE(content);
        ScratchDirectory dir;
        dir.Write("smell.prm", content);
        const SmellPrmReport report = ReadSmellPrmReport();
        const double *used = &report.params.downwindStep;
        int taken = 0;
        for (int i = 0; i < kSmellParamCount; ++i) {
            const bool asWritten = TakenAsWritten(defaults, i, written[i]);
            taken += asWritten;
            EXPECT_EQ(used[i], asWritten ? written[i] : built[i]) << "value " << i + 1;
        }
        EXPECT_EQ(report.source.valuesRead, taken);
        EXPECT_NE(
            SmellPrmLine(report).find(": " + std::to_string(taken) + " of 129 constants read"),
            std::string::npos);
        for (bool example : {true, false}) {
            const Computed results = Compute(example, report.params);
            ExpectShownResultsFinite(results.outcome);
            // Now and then the program's own path, the whole grid: the same results.
            if (file % 25 != 0)
                continue;
            OutletInputs in{};
            OutletCase outletCase;
            const OutletOptions options = example ? ExampleOutlet() : kDownwashOutlet;
            ASSERT_EQ(PrepareOutlet(options, in, &outletCase).status, kComputed);
            DilutionGrid grid;
            OutletResults wholeResults;
            const Outcome whole = ComputeOutcome(in, outletCase, grid, wholeResults);
            for (const char *key : {"allowableOutletIndex", "dilutionDegree", "landingRow"})
                EXPECT_EQ(Field(whole, key)->number, Field(results.outcome, key)->number) << key;
        }
    }
}

// The first line one character over its limit: the rest of the file moves down one line, so
// the gradients 0 0 0 0 0.02 0.035 become the σz segment bounds and are computed with.
TEST(SmellPrmAsWritten, AnOverlongFirstLineComputesWithTheBoundsItGives) {
    std::ifstream data(KAMORTE_SOURCE_DIR "/tests/portable/data/smell_overlong_line1.prm",
                       std::ios::binary);
    ASSERT_TRUE(static_cast<bool>(data));
    std::ostringstream content;
    content << data.rdbuf();
    ScratchDirectory dir;
    dir.Write("smell.prm", content.str());
    const SmellPrmReport report = ReadSmellPrmReport();
    EXPECT_EQ(report.params.sigmaZBreak[0], 0.0);
    EXPECT_EQ(report.params.sigmaZBreak[5], 0.035);

    const Computed results = Compute(true, report.params);
    EXPECT_EQ(Field(results.outcome, "allowableOutletIndex")->number, 30.179659640820194);
    EXPECT_EQ(Field(results.outcome, "landingRow")->number, 468);
    EXPECT_EQ(Field(results.outcome, "landingDistanceText")->text, "  469");
    // The program's own path: the whole grid, smell.prm read from the current folder.
    OutletInputs in{};
    OutletCase outletCase;
    ASSERT_EQ(PrepareOutlet(ExampleOutlet(), in, &outletCase).status, kComputed);
    ComputeStatus status;
    DilutionGrid grid;
    OutletResults wholeResults;
    const Outcome whole = ComputeOutcome(in, outletCase, grid, wholeResults, &status);
    ASSERT_EQ(status, ComputeStatus::Ok);
    EXPECT_EQ(Field(whole, "allowableOutletIndex")->number, 30.179659640820194);
    EXPECT_EQ(Field(whole, "landingRow")->number, 468);
}
