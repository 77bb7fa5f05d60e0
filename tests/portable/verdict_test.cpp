// How a reduction shows, and the standards that cannot be judged. The verdict and its
// reduction stand in the compliance table, for every golden outlet in the screens' table
// against kamorte-calc, and the examples' shown percents in the end-to-end walk.
#include "model/verdict.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Verdict, AWholePercentShowsAsItselfAnythingAboveItAsTheNext) {
    EXPECT_EQ(ShownReductionPercent(0), 0);
    EXPECT_EQ(ShownReductionPercent(0.37), 37);
    EXPECT_EQ(ShownReductionPercent(0.3700001), 38);
    EXPECT_EQ(ShownReductionPercent(0.52098), 53);
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
