#include "model/dispersion.h"
#include "model/plume_rise.h"
#include "model/quantise.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Prepared {
    TallRun in;
    PlumeRise rise;
};

// An outlet given by its exit velocity, normalised and with plume rise computed.
Prepared WithVelocity(double height, double building, double diameter, double velocity,
                      double temperature = 80) {
    Prepared p{MakeTallOutlet(height, building, diameter, velocity, true, temperature, 10), {}};
    SmellParams params;
    SetDefaultSmellParams(params);
    EXPECT_EQ(NormaliseFlows(p.in), ComputeStatus::Ok);
    p.rise = ComputePlumeRise(p.in, StandardMetConditions(), params);
    return p;
}

double He(Prepared &p, double x) {
    return EffectiveHeight(p.in, StandardMetConditions(), p.rise, x);
}

} // namespace

TEST(Quantise, RoundsHalfUpTowardZeroAndSaturates) {
    EXPECT_EQ(Quantise(1.5, 10000), 15000);
    EXPECT_EQ(Quantise(1.0, 15000), 15000);
    EXPECT_EQ(Quantise(9.99995, 10000), 100000);
    EXPECT_EQ(Quantise(-3.2, 10000), -31999);
    EXPECT_EQ(Quantise(1e300, 10000), INT32_MAX);
    EXPECT_EQ(Quantise(-1e300, 10000), INT32_MIN);
    EXPECT_EQ(Quantise(std::numeric_limits<double>::infinity(), 1), INT32_MAX);
    EXPECT_EQ(Quantise(std::nan(""), 1), 0);
}

// Every integer on the screens, the reports and kamorte-calc: trunc(v + 0.5), so halves go up
// above zero and toward zero below it.
TEST(RoundShown, AddsAHalfAndTruncatesTowardZero) {
    const struct {
        double value;
        int32_t shown;
    } cases[] = {
        {2.5, 3},
        {-0.7, 0},
        {0.5, 1},
        {1.5, 2},
        {0.4999, 0},
        {44.5, 45},
        {44.49999, 44},
        {-0.5, 0},
        {-1.5, -1},
        {-1.6, -1},
        {-2.5, -2},
        {-2.51, -2},
        {-0.49, 0},
        {0.0, 0},
        {32.803561877706, 33},
        {12.0, 12},
        // The sum rounds to 1.0 in double: the rule is the sum's, not the decimal value's.
        {0.49999999999999994, 1},
        {3e9, INT32_MAX},
        {-3e9, INT32_MIN},
        {std::numeric_limits<double>::infinity(), INT32_MAX},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RoundShown(c.value), c.shown) << c.value;
    EXPECT_EQ(RoundShown(std::nan("")), 0);
}

TEST(NormaliseFlows, DerivesTheOtherTwoFlowQuantities) {
    TallRun dry = MakeTallOutlet(30, 10, 1, 60, false, 0, 0);
    EXPECT_EQ(NormaliseFlows(dry), ComputeStatus::Ok);
    EXPECT_DOUBLE_EQ(dry.dryFlow, 1.0);
    EXPECT_DOUBLE_EQ(dry.wetFlow, 1.0);
    EXPECT_DOUBLE_EQ(dry.exitVelocity, 1 / 0.785);
    EXPECT_EQ(dry.buildingScale, 10.0);
    EXPECT_EQ(dry.moisture, 0.0);

    TallRun wet = MakeTallOutlet(30, 10, 1, -1, false, 0, 20);
    wet.wetFlow = 120;
    EXPECT_EQ(NormaliseFlows(wet), ComputeStatus::Ok);
    EXPECT_DOUBLE_EQ(wet.wetFlow, 2.0);
    EXPECT_DOUBLE_EQ(wet.dryFlow, 1.6);
    EXPECT_DOUBLE_EQ(wet.moisture, 0.2);

    TallRun velocity = MakeTallOutlet(30, 10, 2, 10, true, 273.15, 50);
    EXPECT_EQ(NormaliseFlows(velocity), ComputeStatus::Ok);
    EXPECT_DOUBLE_EQ(velocity.wetFlow, 10 * 0.785 * 4 / 2);
    EXPECT_DOUBLE_EQ(velocity.dryFlow, 0.5 * 10 * 0.785 * 4 / 2);
    EXPECT_EQ(velocity.exitVelocity, 10.0);
}

TEST(NormaliseFlows, TwoFlowsAreRefusedWithAFailureStatus) {
    TallRun both = MakeTallOutlet(30, 10, 1, 60, false, 0, 0);
    both.wetFlow = 60;
    EXPECT_EQ(NormaliseFlows(both), ComputeStatus::FlowGuard);
    EXPECT_EQ(both.dryFlow, 60.0); // nothing but the moisture has changed
    TallRun flowAndVelocity = MakeTallOutlet(30, 10, 1, 60, false, 0, 0);
    flowAndVelocity.exitVelocity = 5;
    EXPECT_EQ(NormaliseFlows(flowAndVelocity), ComputeStatus::FlowGuard);
}

TEST(StackTipDownwash, StartsBelowOneAndAHalfMetresPerSecond) {
    Prepared at = WithVelocity(30, 0, 2, 1.5);
    EXPECT_EQ(at.in.result.downwashedHeight, 30.0);
    Prepared below = WithVelocity(30, 0, 2, 1.4999);
    EXPECT_NEAR(below.in.result.downwashedHeight, 30 - 2 * 0.0001 * 2, 1e-12);
}

TEST(BuildingDownwash, ClassBoundsAtOneAndAHalfAndTwoAndAHalfBuildingHeights) {
    Prepared none = WithVelocity(25, 10, 1, 10);
    EXPECT_EQ(none.in.result.downwashClass, DownwashNone);
    EXPECT_EQ(none.in.result.downwashedHeight, 25.0);

    Prepared weak = WithVelocity(24.9999, 10, 1, 10);
    EXPECT_EQ(weak.in.result.downwashClass, DownwashWeak);
    EXPECT_NEAR(weak.in.result.downwashedHeight, 2 * 24.9999 - 25, 1e-12);

    Prepared edge = WithVelocity(15, 10, 1, 10);
    EXPECT_EQ(edge.in.result.downwashClass, DownwashWeak);
    EXPECT_EQ(edge.in.result.downwashedHeight, 5.0);

    Prepared strong = WithVelocity(14.9999, 10, 1, 10);
    EXPECT_EQ(strong.in.result.downwashClass, DownwashStrong);
    for (double x : {1.0, 500.0, 10000.0})
        EXPECT_EQ(He(strong, x), 0.0);

    Prepared below = WithVelocity(15, 16, 1, 10); // h' below the building itself
    EXPECT_EQ(below.in.result.downwashClass, DownwashStrong);
    EXPECT_DOUBLE_EQ(below.in.result.downwashedHeight, 15 - 1.5 * 16);

    Prepared noBuilding = WithVelocity(15, 0, 1, 10);
    EXPECT_EQ(noBuilding.in.result.downwashClass, DownwashNone);
}

TEST(EffectiveHeight, RisesGraduallyToTheFinalRise) {
    Prepared p = WithVelocity(30, 10, 1, 10, 80);
    const double far = He(p, 10000);
    EXPECT_DOUBLE_EQ(far, 30 + p.rise.dh);
    EXPECT_LT(He(p, 10), far);
    EXPECT_GT(He(p, 10), 30.0);
    EXPECT_LE(He(p, 100), He(p, 200));
    EXPECT_EQ(p.in.result.effectiveHeight, He(p, 200));
    // A hot, small flux: buoyancy decides (Ts − Ta above the critical difference).
    EXPECT_EQ(p.rise.dh, p.rise.dhb);
}

TEST(EffectiveHeight, AnOutletNotPointingUpwardHasNoRise) {
    Prepared p = WithVelocity(30, 10, 1, 10, 80);
    p.in.outletDirection = DirectionOther;
    for (double x : {1.0, 100.0, 10000.0})
        EXPECT_EQ(He(p, x), 30.0);
}

TEST(EffectiveHeight, GasColderThanTheAirTakesTheMomentumRiseEverywhere) {
    Prepared p = WithVelocity(30, 10, 1, 10, -15);
    ASSERT_LT(p.rise.F, 0);
    const double expected = 30 + 3 * 1 * 10 / 1.0;
    for (double x : {1.0, 50.0, 3000.0, 10000.0})
        EXPECT_EQ(He(p, x), expected) << x;
}

TEST(EffectiveHeight, GasJustAboveAmbientIsDecidedByMomentum) {
    // 15 °C is 0.15 K above the air: a tiny positive flux.
    Prepared p = WithVelocity(30, 10, 0.9, 10, 15);
    ASSERT_GT(p.rise.F, 0);
    ASSERT_LT(p.rise.F, 55);
    EXPECT_EQ(p.rise.dh, p.rise.dhm);
    EXPECT_DOUBLE_EQ(He(p, 10000), 30 + 3 * 0.9 * 10);
}

TEST(Dispersion, PasquillSegmentsOfClassB) {
    Prepared p = WithVelocity(100, 10, 1, 10);
    ASSERT_EQ(p.in.result.downwashClass, DownwashNone);
    SmellParams params;
    SetDefaultSmellParams(params);
    const MetConditions met = StandardMetConditions();
    EXPECT_DOUBLE_EQ(SigmaZ(p.in, met, params, 300), 0.1272 * std::pow(300, 0.964));
    EXPECT_DOUBLE_EQ(SigmaZ(p.in, met, params, 500.5), 0.057 * std::pow(500.5, 1.094));
    EXPECT_DOUBLE_EQ(SigmaY(p.in, met, params, 999), 0.0806 * std::pow(999, 0.914));
    EXPECT_DOUBLE_EQ(SigmaY(p.in, met, params, 1000), 0.113 * std::pow(1000, 0.865));
}

TEST(Dispersion, BuildingWakeRulesJoinAtThreeAndTenWakeLengths) {
    Prepared p = WithVelocity(20, 12, 1, 10); // weak or strong downwash, Lw = 12
    ASSERT_GE(p.in.result.downwashClass, DownwashWeak);
    SmellParams params;
    SetDefaultSmellParams(params);
    const MetConditions met = StandardMetConditions();
    const double Lw = 12;
    EXPECT_DOUBLE_EQ(SigmaY(p.in, met, params, 35.99994), 0.35 * Lw);
    EXPECT_DOUBLE_EQ(SigmaY(p.in, met, params, 36), 0.35 * Lw);
    EXPECT_DOUBLE_EQ(SigmaY(p.in, met, params, 50), 0.35 * Lw + 0.067 * (50 - 36));
    EXPECT_DOUBLE_EQ(SigmaZ(p.in, met, params, 35), 0.7 * Lw);
    EXPECT_DOUBLE_EQ(SigmaZ(p.in, met, params, 50), 0.7 * Lw + 0.067 * (50 - 36));
    // Beyond ten wake lengths the Pasquill curves continue from a virtual distance.
    EXPECT_NEAR(SigmaY(p.in, met, params, 120), 0.819 * Lw, 1e-9);
    EXPECT_NEAR(SigmaZ(p.in, met, params, 120), 1.169 * Lw, 1e-9);
    EXPECT_GT(SigmaZ(p.in, met, params, 2000), SigmaZ(p.in, met, params, 200));

    // The wake is 1.5 × the outlet when the building is at least that high.
    Prepared tall = WithVelocity(15, 30, 1, 10);
    EXPECT_DOUBLE_EQ(SigmaY(tall.in, met, params, 10), 0.35 * 22.5);
}
