// The verdict on a measured index: on either side of each case's limit, and how the index
// is read.
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "calc/compliance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

const OutcomeField *Field(const Outcome &outcome, const std::string &key) {
    for (const OutcomeField &f : outcome)
        if (f.key == key)
            return &f;
    return nullptr;
}

Outcome Computed(const OutletOptions &options, OutletStandard *standard) {
    OutletInputs in{};
    OutletCase screen;
    EXPECT_EQ(PrepareOutlet(options, in, &screen).status, kComputed);
    ComputeStatus status;
    OutletResults results;
    Outcome outcome = ComputeResults(in, screen, nullptr, results, &status);
    EXPECT_EQ(status, ComputeStatus::Ok);
    *standard = StandardOf(screen, results);
    return outcome;
}

std::string Text(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

} // namespace

TEST(Compliance, VerdictOnEitherSideOfTheLimit) {
    struct Row {
        const char *what;
        OutletOptions outlet;
    } const rows[] = {
        {"A", {{"height", "5"}, {"no1", "12"}, {"size", "small"}}},
        {"B", {{"height", "10"}, {"building", "8"}, {"no1", "15"}, {"size", "medium"}}},
        {"C",
         {{"height", "20"},
          {"building", "15"},
          {"no1", "12"},
          {"dry-flow", "100"},
          {"outlet-boundary", "30"},
          {"building-boundary", "20"}}},
        {"D", ExampleOutlet()},
    };
    for (const Row &row : rows) {
        OutletStandard standard;
        const Outcome plain = Computed(row.outlet, &standard);
        const bool low = row.what[0] == 'A' || row.what[0] == 'B';
        // The limit in index units: the shown whole standard of a low outlet, the index at
        // which the measured rate reaches the allowable rate of a tall one.
        const double limit = low ? std::floor(Field(plain, "no2Index")->number + 0.5)
                                 : 10 * std::log10(Field(plain, "allowableEmissionRate")->number /
                                                   Field(plain, "dryFlow")->number);
        for (double offset : {-1.0, -0.05, 0.0, 0.05, 1.0}) {
            if (!low && offset == 0.0)
                continue; // the exact limit of a rate is not a number one can type
            Outcome outcome = plain;
            OutletOptions options = row.outlet;
            options["measured-index"] = Text(limit + offset);
            const std::string where = std::string(row.what) + " offset " + Text(offset);
            ASSERT_EQ(JudgeMeasuredIndex(options, standard, outcome).status, kComputed) << where;
            ASSERT_EQ(outcome.size(), plain.size() + (low ? 3 : 4)) << where;
            const OutcomeField *complies = Field(outcome, "complies");
            ASSERT_NE(complies, nullptr);
            EXPECT_EQ(complies->kind, OutcomeField::Bool);
            EXPECT_EQ(complies->number != 0, offset <= 0) << where;
            EXPECT_EQ(complies->text, offset <= 0 ? "適合" : "不適合") << where;
            EXPECT_NEAR(Field(outcome, "margin")->number, -offset, 1e-9) << where;
            EXPECT_DOUBLE_EQ(Field(outcome, "measuredIndex")->number, limit + offset);
            const OutcomeField *rate = Field(outcome, "measuredEmissionRate");
            if (low) {
                EXPECT_EQ(rate, nullptr) << where;
            } else {
                ASSERT_NE(rate, nullptr) << where;
                EXPECT_NEAR(rate->number / Field(plain, "allowableEmissionRate")->number,
                            std::pow(10.0, offset / 10), 1e-12)
                    << where;
            }
        }
    }
}

TEST(Compliance, MeasuredIndexIsReadAsTheScreensReadNumbers) {
    struct Row {
        const char *text;
        bool accepted;
        double value;
    } const rows[] = {
        {"12.5", true, 12.5},   {" 12.5 ", true, 12.5}, {"１２．５", true, 12.5},
        {"1.25e1", true, 12.5}, {"0", true, 0},         {"100", true, 100},
        {"12m", false, 0},      {"12 5", false, 0},     {"", false, 0},
        {"-1", false, 0},       {"100.1", false, 0},    {"十二", false, 0},
        {"nan", false, 0},      {"1e400", false, 0},
    };
    for (const Row &row : rows) {
        double value = -7;
        const char *message = ReadMeasuredIndex(row.text, &value);
        EXPECT_EQ(message == nullptr, row.accepted) << row.text;
        if (row.accepted)
            EXPECT_EQ(value, row.value) << row.text;
        else
            EXPECT_STREQ(message,
                         "排出口の臭気指数（測定値）に適切な値（0～100）を設定して下さい。");
    }
    // Without the option the outcome stays as computed.
    Outcome outcome = {{OutcomeField::Text, "case", 0, "A"}};
    const OutletStandard a = {CaseA, 28};
    EXPECT_EQ(JudgeMeasuredIndex({{"height", "5"}}, a, outcome).status, kComputed);
    EXPECT_EQ(outcome.size(), 1u);
    EXPECT_EQ(JudgeMeasuredIndex({{"measured-index", "x"}}, a, outcome).status, kBadInput);
}
