#pragma once
#include <string>

// The two small calculators of the help topics on the gas flow and the exit velocity.
// Inputs live in single precision; a field that does not convert holds a sentinel that
// fails its range check, and the result is then empty.

enum CalculatorField {
    kCalcField1021 = 1021,
    kCalcField1022 = 1022,
    kCalcField1023 = 1023,
    kCalcField1024 = 1024
};

struct FlowCalculator {
    float area;        // 1021, m²
    float temperature; // 1022, °C
    float velocity;    // 1023, m/s
    float moisture;    // 1024, %
};

struct VelocityCalculator {
    float holeVelocity; // 1021, m/s
    float outletArea;   // 1022, m²
    float holeArea;     // 1023, m²
};

void ResetFlowCalculator(FlowCalculator &calc);
void ResetVelocityCalculator(VelocityCalculator &calc);

// Dry flow at standard state, m³/min, "%.1f"; empty unless every input is in range.
std::string FlowCalculatorResult(const FlowCalculator &calc);
// Exit velocity, m/s: "%.1f" below 1000000, else the rounded integer; empty when invalid.
std::string VelocityCalculatorResult(const VelocityCalculator &calc);

// A field's text changed (any notification): returns the text of the result field.
std::string FlowCalculatorFieldChanged(FlowCalculator &calc, int field, const char *text);
std::string VelocityCalculatorFieldChanged(VelocityCalculator &calc, int field, const char *text);
