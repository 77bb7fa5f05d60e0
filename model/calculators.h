#pragma once
#include <string>

// The two small calculators of the help topics on the gas flow and the exit velocity.
// Inputs live in single precision; a field that does not convert holds a sentinel that
// fails its range check, and the result is then empty.

// A calculator reads at most 30 bytes of a field; typing stops there, and a longer text set
// or pasted past the limit is no number as a whole.
constexpr int kCalculatorFieldChars = 30;

// The flow calculator's fields: what was measured at the measuring hole.
enum class FlowField { HoleArea, GasTemperature, HoleVelocity, Moisture };

struct FlowCalculator {
    float area;        // the measuring hole's cross-section, m²
    float temperature; // gas temperature, °C
    float velocity;    // gas velocity at the hole, m/s
    float moisture;    // %
};

// The velocity calculator's fields: the velocity and area at the measuring hole, and the
// outlet's area.
enum class VelocityField { HoleVelocity, OutletArea, HoleArea };

struct VelocityCalculator {
    float holeVelocity; // m/s
    float outletArea;   // m²
    float holeArea;     // m²
};

void ResetFlowCalculator(FlowCalculator &calc);
void ResetVelocityCalculator(VelocityCalculator &calc);

// Dry flow at standard state, m³/min, "%.1f"; empty unless every input is in range.
std::string FlowCalculatorResult(const FlowCalculator &calc);
// Exit velocity, m/s: "%.1f" below 1000000, else the integer (rounded below 2^63, where it
// fits 64 bits; from there single precision holds only integers, shown with "%.0f"); "∞"
// when the quotient overflows; empty when invalid.
std::string VelocityCalculatorResult(const VelocityCalculator &calc);

// A field's text changed (any notification): returns the text of the result field.
std::string FlowCalculatorFieldChanged(FlowCalculator &calc, FlowField field, const char *text);
std::string VelocityCalculatorFieldChanged(VelocityCalculator &calc, VelocityField field,
                                           const char *text);
