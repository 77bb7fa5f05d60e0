#pragma once
#include "model/input_checks.h"
#include "model/map_adjust_form.h"
#include "model/outlet_case.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// Every field a user gives a value for, once: on which forms it stands, its command-line
// option and batch column, the labels the screens show for it, its rules and the record
// members that keep its value and accepted text. The screens, the form checks, kamorte-calc's
// options and usage text, and the batch headings all read this table; control ids are the
// Windows side's (app/field_controls).

enum class Field {
    OutletHeight,
    BuildingHeight,
    No1Standard,
    SizeClass,
    Diameter,
    Area,
    Direction,
    Temperature,
    DryFlow,
    WetFlow,
    Velocity,
    Moisture,
    OutletToBoundary,
    BuildingToBoundary,
    Case,
    MeasuredIndex,
    DownwindRange,
    DisplayHeight,
    RedLimit,
    WhiteLimit,
    AuthorName,
    OfficeName,
    FacilityName,
};
constexpr size_t kFieldCount = 23;

// The forms a field stands on.
enum FieldForm : unsigned {
    kMenuForm = 1,  // the start menu
    kLowForm = 2,   // cases A and B
    kTallForm = 4,  // cases C and D
    kMapForm = 8,   // the map adjustment
    kPrintForm = 16 // the print information
};

// The cases whose screens have a field or a choice for a field.
constexpr unsigned CaseBit(OutletCase c) {
    return 1u << c;
}
constexpr unsigned kEveryCase = CaseBit(CaseA) | CaseBit(CaseB) | CaseBit(CaseC) | CaseBit(CaseD);

// How cases A and B read a field: single-byte forms, trimmed (heights) or not (the No. 1
// standard), a number with nothing after it within the limits.
struct LowFieldRule {
    LowField field;
    FieldLimits limits;
    bool trimmed;                // also: a character without a single-byte form makes it invalid
    const char *messageA;        // the fault's message on the case A screen
    const char *messageB;        // on the case B screen
    double OutletInputs::*value; // the accepted value
    char (OutletInputs::*text)[kTextSize]; // the accepted text
};

// A rule of a value the screens do not keep (the measured index): a trimmed number within
// the limits, else the message.
struct ValueRule {
    FieldLimits limits;
    const char *message;
};

struct FieldRow {
    Field field;
    const char *name;   // the field in words, for tests and diagnostics
    unsigned forms;     // FieldForm bits
    const char *option; // command-line option and batch column without dashes; "" if none
    std::array<const char *, 2> labels; // code page 932: the screens' labels, batch headings
    unsigned cases;                     // CaseBit of each case whose screen reads the option
    // The option's line in the usage text: the value after the option, and the description
    // (nullptr: the option shares the next row's line; "\n" continues it underneath).
    const char *usageValue;
    const char *usageText;
    TallFieldRule tall; // on kTallForm
    LowFieldRule low;   // on kLowForm
    MapAdjustRule map;  // on kMapForm
    ValueRule value;    // the measured index
    // The printed reports' label where their wording differs from the screens' (nullptr:
    // the screens' label).
    const char *printLabel = nullptr;
};

// How much of a field's text its form takes: typing stops at `typed` bytes, and the form's
// rule reads up to `read` bytes. A longer text (set or pasted past the typing limit) is
// refused as a whole rather than judged on its beginning.
struct FieldTextLimits {
    int typed;
    int read;
};
// The limits of a form's fields; {0, 0} for the print information, whose texts the print
// side limits.
FieldTextLimits TextLimitsOf(FieldForm form);

// The rows in the order of Field.
const std::vector<FieldRow> &FieldTable();
const FieldRow &FieldRowOf(Field field);
// The field's option name ("" when it has none).
const char *OptionOf(Field field);
// The label the printed reports give the field's row.
const char *PrintLabelOf(Field field);
// "--" and the option name, as messages quote it.
std::string DashedOption(Field field);

// The words a choice's radio buttons show, accepted in its batch column for the option's
// value.
struct FieldWord {
    Field field;
    const char *word; // code page 932
    const char *value;
};
const std::vector<FieldWord> &FieldWords();

// The options' part of kamorte-calc's usage text, one line an option (or a group of options
// sharing a description), built from the table.
std::string OptionUsageLines();

const LowFieldRule &LowRule(LowField field);
// The row of a field of the tall-outlet or the low-outlet forms.
Field FieldOf(TallField field);
Field FieldOf(LowField field);
