#include "model/calculators.h"

#include <gtest/gtest.h>

namespace {

std::string Flow(const char *area, const char *velocity, const char *temperature,
                 const char *moisture) {
    FlowCalculator calc;
    ResetFlowCalculator(calc);
    FlowCalculatorFieldChanged(calc, FlowField::HoleArea, area);
    FlowCalculatorFieldChanged(calc, FlowField::HoleVelocity, velocity);
    FlowCalculatorFieldChanged(calc, FlowField::GasTemperature, temperature);
    return FlowCalculatorFieldChanged(calc, FlowField::Moisture, moisture);
}

std::string Velocity(const char *hole, const char *holeArea, const char *outletArea) {
    VelocityCalculator calc;
    ResetVelocityCalculator(calc);
    VelocityCalculatorFieldChanged(calc, VelocityField::HoleVelocity, hole);
    VelocityCalculatorFieldChanged(calc, VelocityField::HoleArea, holeArea);
    return VelocityCalculatorFieldChanged(calc, VelocityField::OutletArea, outletArea);
}

} // namespace

TEST(FlowCalculator, DryFlowAtStandardState) {
    EXPECT_EQ(Flow("1", "10", "0", "0"), "600.0");
    EXPECT_EQ(Flow("1", "10", "0", "100"), "0.0");
    EXPECT_EQ(Flow("0.5", "12", "80", "10"), "250.6");
    EXPECT_EQ(Flow("１", "１０", "０", "０"), "600.0");
}

TEST(FlowCalculator, OutOfRangeOrMissingValuesEmptyTheResult) {
    EXPECT_EQ(Flow("1", "10", "-15", "0"), "634.9");
    EXPECT_EQ(Flow("1", "10", "-15.1", "0"), "");
    EXPECT_EQ(Flow("0", "10", "0", "0"), "");
    EXPECT_EQ(Flow("100.1", "10", "0", "0"), "");
    EXPECT_EQ(Flow("1", "10001", "0", "0"), "");
    EXPECT_EQ(Flow("1", "10", "0", "100.5"), "");
    EXPECT_EQ(Flow("1", "10", "0", "abc"), "");
    // "%f" reads the number and ignores what follows it.
    EXPECT_EQ(Flow("1", "10", "0", "５％"), "570.0");
}

TEST(FlowCalculator, ClearingTheMoistureKeepsItsLastValue) {
    FlowCalculator calc;
    ResetFlowCalculator(calc);
    FlowCalculatorFieldChanged(calc, FlowField::HoleArea, "1");
    FlowCalculatorFieldChanged(calc, FlowField::HoleVelocity, "10");
    FlowCalculatorFieldChanged(calc, FlowField::GasTemperature, "0");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::Moisture, "50"), "300.0");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::Moisture, ""), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::HoleVelocity, "20"), "600.0");
    // Clearing another field makes it invalid until it is filled again.
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::HoleArea, ""), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::HoleVelocity, "10"), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::HoleArea, "1"), "300.0");
    // A kanji leaves the stored value as it was.
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::HoleArea, "一"), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, FlowField::GasTemperature, "0"), "300.0");
}

TEST(VelocityCalculator, ExitVelocityFromTheMeasuringHole) {
    EXPECT_EQ(Velocity("20", "0.5", "0.25"), "40.0");
    EXPECT_EQ(Velocity("10000", "100", "0.5"), "2000000");
    EXPECT_EQ(Velocity("10000", "100", "0.0001"), "10000000000");
    EXPECT_EQ(Velocity("20", "0.5", "0"), "");
    EXPECT_EQ(Velocity("20", "", "0.25"), "");
}

// Beyond a million the velocity is an integer: rounded in 64 bits below 2^63, written from
// the single-precision value above, "∞" when the quotient overflows; never negative.
TEST(VelocityCalculator, HugeVelocitiesStayPositiveAndExact) {
    struct Case {
        const char *hole;
        const char *holeArea;
        const char *outletArea;
        const char *shown;
    };
    const Case cases[] = {
        {"10000", "100", "1e-9", "1000000054099968"},
        {"10000", "100", "1e-12", "999999984306749440"},
        {"10000", "100", "1e-13", "9999999980506447872"},
        {"10000", "100", "1e-16", "9999999778196308361216"},
        {"10000", "100", "1e-30", "999999961690316245365415600208216064"},
        {"10000", "100", "1e-38", "∞"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Velocity(c.hole, c.holeArea, c.outletArea), c.shown) << c.outletArea;
}
