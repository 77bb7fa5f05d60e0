#include "model/small_outlet.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SmallOutletStandard, CorrectedHeightOfEachCase) {
    // Case A: He = 1.5 × hs.
    EXPECT_NEAR(SmallOutletStandard(12, 5, 0.4, -1), 12 + 10 * std::log10(0.69 * 56.25), 1e-12);
    // Case B below a 10 m building: He = 10 m.
    EXPECT_NEAR(SmallOutletStandard(12, 10, 0.75, 8) - 12, 10 * std::log10(20.0), 1e-12);
    // Building at least 1.5 × hs: He = 1.5 × hs.
    EXPECT_NEAR(SmallOutletStandard(12, 10, 1.2, 20) - 12, 13.52, 0.005);
    // Otherwise the building height.
    EXPECT_NEAR(SmallOutletStandard(12, 10, 0.4, 12) - 12, 19.97, 0.005);
}

TEST(SmallOutletStandard, TenMetreBuildingBoundAtATenthOfAMillimetre) {
    const double below = SmallOutletStandard(12, 8, 0.4, 9.9999);   // He = 10
    const double at = SmallOutletStandard(12, 8, 0.4, 10);          // He = 10 (building)
    const double almost = SmallOutletStandard(12, 8, 0.4, 9.99995); // quantises to 10 m
    EXPECT_NEAR(below, 12 + 10 * std::log10(0.69 * 100), 1e-12);
    EXPECT_NEAR(at, 12 + 10 * std::log10(0.69 * 100), 1e-12);
    EXPECT_NEAR(almost, 12 + 10 * std::log10(0.69 * 9.99995 * 9.99995), 1e-12);
    // 6.7 m is where case B's 10 m floor starts.
    EXPECT_NEAR(SmallOutletStandard(12, 6.7, 0.4, 5), 12 + 10 * std::log10(69.0), 1e-12);
    EXPECT_NEAR(SmallOutletStandard(12, 6.6999, 0.4, 5),
                12 + 10 * std::log10(0.69 * (1.5 * 6.6999) * (1.5 * 6.6999)), 1e-12);
}

TEST(CalculateLowOutlet, NeverBelowTheNo1Standard) {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    in.no1Index = 12;
    in.outletHeight = 5;
    in.representativeDiameter = RepresentativeDiameter(SizeSmall);
    LowOutletResult r = CalculateLowOutlet(in, CaseA);
    EXPECT_NEAR(r.no2Index, 27.88971617520655, 1e-12);
    EXPECT_NEAR(r.dilution, 15.889716175206551, 1e-12);

    in.outletHeight = 0.5; // He 0.75 m: raw below the No. 1 standard
    r = CalculateLowOutlet(in, CaseA);
    EXPECT_EQ(r.no2Index, 12.0);
    EXPECT_EQ(r.dilution, 0.0);

    in.outletHeight = 0; // no logarithm of zero
    r = CalculateLowOutlet(in, CaseA);
    EXPECT_EQ(r.no2Index, 12.0);
    EXPECT_EQ(r.dilution, 0.0);
    EXPECT_TRUE(std::isinf(SmallOutletStandard(12, 0, 0.4, -1)));

    in.buildingHeight = 30; // case A ignores a building height
    in.outletHeight = 5;
    r = CalculateLowOutlet(in, CaseA);
    EXPECT_NEAR(r.no2Index, 27.88971617520655, 1e-12);
}

TEST(RepresentativeDiameter, OfEachSizeClass) {
    EXPECT_EQ(RepresentativeDiameter(SizeSmall), 0.4);
    EXPECT_EQ(RepresentativeDiameter(SizeMedium), 0.75);
    EXPECT_EQ(RepresentativeDiameter(SizeLarge), 1.2);
    EXPECT_EQ(RepresentativeDiameter(SizeNone), 0.4);
}
