#include "model/calculators.h"

#include <gtest/gtest.h>

namespace {

std::string Flow(const char *area, const char *velocity, const char *temperature,
                 const char *moisture) {
    FlowCalculator calc;
    ResetFlowCalculator(calc);
    FlowCalculatorFieldChanged(calc, 1021, area);
    FlowCalculatorFieldChanged(calc, 1023, velocity);
    FlowCalculatorFieldChanged(calc, 1022, temperature);
    return FlowCalculatorFieldChanged(calc, 1024, moisture);
}

std::string Velocity(const char *hole, const char *holeArea, const char *outletArea) {
    VelocityCalculator calc;
    ResetVelocityCalculator(calc);
    VelocityCalculatorFieldChanged(calc, 1021, hole);
    VelocityCalculatorFieldChanged(calc, 1023, holeArea);
    return VelocityCalculatorFieldChanged(calc, 1022, outletArea);
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
    FlowCalculatorFieldChanged(calc, 1021, "1");
    FlowCalculatorFieldChanged(calc, 1023, "10");
    FlowCalculatorFieldChanged(calc, 1022, "0");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1024, "50"), "300.0");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1024, ""), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1023, "20"), "600.0");
    // Clearing another field makes it invalid until it is filled again.
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1021, ""), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1023, "10"), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1021, "1"), "300.0");
    // A kanji leaves the stored value as it was.
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1021, "一"), "");
    EXPECT_EQ(FlowCalculatorFieldChanged(calc, 1022, "0"), "300.0");
}

TEST(VelocityCalculator, ExitVelocityFromTheMeasuringHole) {
    EXPECT_EQ(Velocity("20", "0.5", "0.25"), "40.0");
    EXPECT_EQ(Velocity("10000", "100", "0.5"), "2000000");
    EXPECT_EQ(Velocity("10000", "100", "0.0001"), "10000000000");
    EXPECT_EQ(Velocity("20", "0.5", "0"), "");
    EXPECT_EQ(Velocity("20", "", "0.25"), "");
}
