// The two calculators of the help topics: any text typed into any of their fields, in any
// order. Input: texts separated by newlines, each led by the field's number byte.
#include "tests/fuzz/fuzz_support.h"

#include "model/calculators.h"

namespace {

void CheckResult(const std::string &shown) {
    FUZZ_CHECK(shown.size() < 40);
    for (char c : shown) {
        // "%.1f", an integer, "∞" or nothing.
        const bool digitOrPoint = (c >= '0' && c <= '9') || c == '.' || c == '-';
        FUZZ_CHECK(digitOrPoint || static_cast<unsigned char>(c) >= 0x80);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FlowCalculator flow;
    VelocityCalculator velocity;
    ResetFlowCalculator(flow);
    ResetVelocityCalculator(velocity);
    for (const std::string &part : SplitInput(data, size, '\n', 1)) {
        if (part.empty())
            continue;
        const int which = static_cast<unsigned char>(part[0]) % 7;
        const std::string text = part.substr(1);
        if (which < 4)
            CheckResult(
                FlowCalculatorFieldChanged(flow, static_cast<FlowField>(which), text.c_str()));
        else
            CheckResult(VelocityCalculatorFieldChanged(
                velocity, static_cast<VelocityField>(which - 4), text.c_str()));
    }
    const std::string flowResult = FlowCalculatorResult(flow);
    const std::string velocityResult = VelocityCalculatorResult(velocity);
    CheckResult(flowResult);
    CheckResult(velocityResult);
    if (!flowResult.empty() || !velocityResult.empty())
        CountComputed();
    return 0;
}
