#include "model/calculators.h"

#include "text/text_helpers.h"
#include "text/number_scan.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Reads a field as the calculators do: at most 30 characters, single-byte forms.
// Returns false when the text has a character without a single-byte form.
bool ReadCalculatorText(const char *text, char *buffer) {
    CopyText(buffer, kCalculatorFieldChars + 1, text);
    return ToSingleByte(buffer);
}

void ConvertInto(float *value, float sentinel, const char *text) {
    *value = sentinel;
    float number;
    size_t used;
    if (ScanDecimalFloat(text, static_cast<size_t>(-1), &number, &used))
        *value = number;
}

std::string Format1(float v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(v));
    return text;
}

} // namespace

void ResetFlowCalculator(FlowCalculator &calc) {
    calc.area = -1;
    calc.velocity = -1;
    calc.temperature = -1000;
    calc.moisture = -1;
}

void ResetVelocityCalculator(VelocityCalculator &calc) {
    calc.holeVelocity = -1;
    calc.holeArea = -1;
    calc.outletArea = -1;
}

std::string FlowCalculatorResult(const FlowCalculator &c) {
    const float A = c.area, V = c.velocity, T = c.temperature, W = c.moisture;
    if (!(A > 0 && A <= 100 && V > 0 && V <= 10000 && T >= -15 && T <= 999 && W >= 0 && W <= 100))
        return "";
    // Single precision throughout: the shown value depends on it.
    const float Q = 273.15f / (T + 273.15f) * (A * V * 60.0f) * ((100.0f - W) / 100.0f);
    return Format1(Q);
}

std::string VelocityCalculatorResult(const VelocityCalculator &c) {
    const float v = c.holeVelocity, a = c.holeArea, A = c.outletArea;
    if (!(v > 0 && v <= 10000 && a > 0 && a <= 100 && A > 0 && A <= 100))
        return "";
    const float r = v * a / A;
    if (r < 1000000)
        return Format1(r);
    if (std::isinf(r))
        return "∞";
    char text[64];
    // 2^63: a float below it is at most 2^63 − 2^39, so adding the half stays in range.
    if (static_cast<double>(r) < 9223372036854775808.0)
        std::snprintf(text, sizeof text, "%lld",
                      static_cast<long long>(std::trunc(static_cast<double>(r) + 0.5)));
    else
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(r));
    return text;
}

std::string FlowCalculatorFieldChanged(FlowCalculator &calc, FlowField field, const char *text) {
    if (field == FlowField::Moisture && text[0] == '\0')
        return ""; // the moisture keeps its last value
    char buffer[kCalculatorFieldChars + 1];
    if (!ReadCalculatorText(text, buffer))
        return "";
    switch (field) {
    case FlowField::HoleArea: ConvertInto(&calc.area, -1, buffer); break;
    case FlowField::GasTemperature: ConvertInto(&calc.temperature, -100, buffer); break;
    case FlowField::HoleVelocity: ConvertInto(&calc.velocity, -1, buffer); break;
    case FlowField::Moisture: ConvertInto(&calc.moisture, -1, buffer); break;
    }
    return FlowCalculatorResult(calc);
}

std::string VelocityCalculatorFieldChanged(VelocityCalculator &calc, VelocityField field,
                                           const char *text) {
    if (text[0] == '\0')
        return "";
    char buffer[kCalculatorFieldChars + 1];
    if (!ReadCalculatorText(text, buffer))
        return "";
    switch (field) {
    case VelocityField::HoleVelocity: ConvertInto(&calc.holeVelocity, -1, buffer); break;
    case VelocityField::OutletArea: ConvertInto(&calc.outletArea, -1, buffer); break;
    case VelocityField::HoleArea: ConvertInto(&calc.holeArea, -1, buffer); break;
    }
    return VelocityCalculatorResult(calc);
}
