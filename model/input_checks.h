#pragma once
#include "model/outlet_inputs.h"

#include <cstddef>
#include <string>

// How the input forms read and check one numeric field by the rules of the field table
// (field_table.h). The order of the checks and the questions are in form_rules.h.

enum class TallField {
    OutletHeight,
    BuildingHeight,
    No1Standard,
    Diameter,
    Area,
    Temperature,
    DryFlow,
    WetFlow,
    Velocity,
    Moisture,
    OutletToBoundary,
    BuildingToBoundary,
};
constexpr size_t kTallFieldCount = 12;

// One limit of a field: the value must be above (open) or at least (closed) the bound.
struct FieldLimits {
    double low;
    bool lowOpen;
    double high;
    bool highOpen;
};
bool Within(const FieldLimits &limits, double value);

// How cases C and D read a field (a part of its row in the field table).
struct TallFieldRule {
    TallField field;
    double TallOutletInputs::*value;       // the accepted value
    char (OutletInputs::*text)[kTextSize]; // the accepted text
    double preset;                         // the value before reading: what no number leaves
    FieldLimits limits;
    bool distance;       // trimmed; omissible on the case C screen
    const char *message; // the fault's message ("パラメータエラー")
};
const TallFieldRule &TallRule(TallField field);

struct FieldReading {
    double value;             // what was read; the preset when no number was read
    bool valid;               // convertible, nothing after the number, within the limits
    bool omitted;             // a distance left empty on the case C screen (value 0)
    std::string acceptedText; // the converted text on success, otherwise empty
};

// Reads a tall-outlet field: single-byte forms, the distances trimmed (and on the case C
// screen omissible), a number with nothing after it, then the field's limits. In silent
// mode a text with a character that has no single-byte form is read as it stands.
FieldReading ReadTallField(TallField field, const char *text, bool caseC, bool silent = false);
bool TallFieldInRange(TallField field, double value);
// The message a fault of the field shows ("パラメータエラー").
const char *TallFieldMessage(TallField field);

// The low-outlet screens' fields.
enum class LowField { No1Index, OutletHeight, BuildingHeight };
// No. 1 standard: not trimmed, 10 … 21. Heights: trimmed, 0 … 400; the case decides the
// outlet message. A character without single-byte form makes a height invalid.
FieldReading ReadLowField(LowField field, const char *text);
const char *LowFieldMessage(LowField field, bool caseA);

// Messages that are not tied to one text field.
extern const char *const kDirectionMessage;   // no outlet direction chosen
extern const char *const kSizeClassMessage;   // no size class chosen (cases A, B)
extern const char *const kStartOutletMessage; // start menu, outlet above 400 m
extern const char *const kStartBuildingMessage;
extern const char *const kParameterErrorCaption;

// The questions that offer the screen of the case the heights belong to.
extern const char *const kTallBelow15Question;
extern const char *const kCaseCAtLeast15TimesQuestion; // case C screen, outlet ≥ 1.5 × building
extern const char *const kCaseDBelow15TimesQuestion;   // case D screen, outlet < 1.5 × building
extern const char *const kCaseAAtLeast67Question;
extern const char *const kCaseBBelow67Question;
extern const char *const kCaseBAtLeast15Question;

// The outlet is at least 1.5 times the building: 2 × Quantise(h) ≥ 3 × Quantise(b).
bool AtLeast15TimesBuilding(double outletHeight, double buildingHeight);
