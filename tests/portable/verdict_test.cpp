// The reduction a verdict asks for and its shown percent, and the standards that cannot be
// judged. The verdict itself stands in the compliance table and, for every golden outlet, in
// the screens' table against kamorte-calc.
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "model/verdict.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

OutletStandard Computed(const OutletOptions &options) {
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

TEST(Verdict, ReductionOfTheExamplesAndItsShownPercent) {
    const OutletOptions caseA = {{"height", "5"}, {"no1", "12"}, {"size", "small"}};
    struct Row {
        const char *what;
        OutletOptions outlet;
        double measured;
        double percent; // the reduction needed, %
        int shown;
    } const rows[] = {
        {"the example outlet", ExampleOutlet(), 48, 52.098, 53},
        {"case A 5 m", caseA, 30, 36.904, 37},
        {"case A at its standard", caseA, 28, 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const OutletStandard standard = Computed(row.outlet);
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
