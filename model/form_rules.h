#pragma once
#include "model/input_checks.h"
#include "model/outlet_case.h"
#include "model/outlet_inputs.h"

#include <array>
#include <string>
#include <vector>

// The checks of the four input forms (start menu, cases A and B, cases C and D), once, for
// every front: the screens and kamorte-calc hand over the texts of their fields and get back
// a verdict; the accepted values and texts are written into OutletInputs here. Nothing here
// knows of windows: putting a text back into a control, moving the focus, beeping and asking
// are the caller's, as the verdict says.

// How a form is checked: for 計算する, stopping at the first fault with its message or at a
// question; for メニューに戻る, keeping every valid field and setting the others to not set,
// without a word.
enum class ValidationMode { Interactive, Silent };

// ---------------------------------------------------------------------------------------
// The case rules. Each is its own rule with its own comparison; they are not one rule.

// Start menu and low-outlet screens: an outlet from this height on needs a building height
// and is case B or higher (a plain comparison of doubles).
constexpr double kCaseBFromHeight = 6.7;
// From this height on the outlet is tall, case C or D (a plain comparison of doubles).
constexpr double kTallFromHeight = 15.0;
bool NeedsBuildingHeight(double outletHeight); // outletHeight >= 6.7
bool IsTallOutlet(double outletHeight);        // outletHeight >= 15
// Case D rather than C: the outlet is at least 1.5 times the building, compared at a tenth of
// a millimetre as 2 × Quantise(h, 10000) ≥ 3 × Quantise(b, 10000) (declared in
// input_checks.h: AtLeast15TimesBuilding).
// The case of an outlet by the start menu's selection: A below 6.7 m, B below 15 m, then D
// when at least 1.5 times the building, else C.
OutletCase CaseOfHeights(double outletHeight, double buildingHeight);

// ---------------------------------------------------------------------------------------
// Verdicts.

enum class Verdict {
    Proceed, // everything accepted: compute (or, in Silent mode, leave the screen)
    Refuse,  // a fault: beep, show the message (OK only), focus the field if focusField
    Ask,     // a question (Yes/No) offering the screen of another case
};

template <typename Field> struct FormVerdict {
    Verdict verdict = Verdict::Proceed;
    // Refuse: the field at fault. Ask: the field that gets the focus after No.
    Field field{};
    // False for a fault that is no text field (direction, size class): the focus stays.
    bool focusField = false;
    const char *message = nullptr; // the message or question, caption kParameterErrorCaption
    int beepMilliseconds = 0;      // the 500 Hz beep before the message or question
    // Ask: the case whose screen Yes leads to (call the form's Answer…Yes before requesting
    // it). Proceed on the start menu: the case selected. CaseUndecided means the start menu.
    OutletCase nextCase = CaseUndecided;
    // Fields accepted by this run, in order: their accepted texts go back into the controls,
    // so full-width entries show in single-byte form from then on. In Silent mode this is
    // what was stored.
    std::vector<Field> accepted;
};

// ---------------------------------------------------------------------------------------
// Cases C and D. Field texts as the controls hold them (up to 254 bytes), by TallField.

struct TallFormTexts {
    std::array<std::string, kTallFieldCount> texts;
    std::string &operator[](TallField f) { return texts[static_cast<size_t>(f)]; }
    const std::string &operator[](TallField f) const { return texts[static_cast<size_t>(f)]; }
};

using TallVerdict = FormVerdict<TallField>;

// The radio choices of the tall-outlet screens, as their handlers store them: size
// alternative, flow alternative and direction. Case C has none of size and direction: it
// keeps the diameter 0.9 m, 15 °C, no direction, and has no velocity (it becomes the dry
// flow). A direction
// other than upward sets the temperature to 15 °C.
void SetTallChoices(OutletInputs &in, OutletCase tallCase, SizeMode sizeMode, FlowMode flowMode,
                    OutletDirection outletDirection);

// Whether the field is read on the open form with the current choices.
bool TallFieldApplies(const OutletInputs &in, OutletCase tallCase, TallField field);

// Checks the fields of the case C or D form in their fixed order (heights, No. 1 standard,
// size, direction, temperature, flow, moisture, distances), then the 15 m and 1.5 × questions
// (Interactive only). The choices are taken from the records (SetTallChoices). No direction
// chosen is refused with kDirectionMessage and focusField false. The accepted text of a field
// is in.*TallRule(field).text; the layout picture follows BuildingNearerBoundary in both
// modes. Yes to a question: AnswerTallYes, then request its case; No: focus verdict.field.
TallVerdict ValidateTallForm(OutletCase tallCase, const TallFormTexts &form, ValidationMode mode,
                             OutletInputs &in);

// Yes to a question of ValidateTallForm: writes what the other screen takes over (for the
// 15 m question the heights and the No. 1 standard go to the low-outlet records, read from
// the form's texts) and returns the case of the screen to request.
OutletCase AnswerTallYes(const TallVerdict &verdict, const TallFormTexts &form, OutletInputs &in);

// The change check of one tall field: whether its text (as the control holds it) no longer
// matches the accepted value and text, so a shown result must be withdrawn. A text with a
// character that has no single-byte form always counts as changed.
bool TallFieldChanged(const OutletInputs &in, TallField field, const char *text);

// The layout picture after validation: the building drawn nearer the site boundary.
bool BuildingNearerBoundary(const TallOutletInputs &t);

// ---------------------------------------------------------------------------------------
// Cases A and B.

struct LowFormTexts {
    std::string no1;            // control 1013
    std::string outletHeight;   // control 1012
    std::string buildingHeight; // control 1005, case B only
};

using LowVerdict = FormVerdict<LowField>;

// Checks No. 1 standard, outlet height, building height (case B), then in Interactive mode
// the size class (records) and the case questions. A height holding a character without a
// single-byte form is refused with the field's message in either mode. Interactive mode in
// case A first sets the building height to not set. A No. 1 text that kept a character
// without single-byte form reads as a number all the same; it is accepted but not listed
// in accepted, so the control keeps it as typed.
LowVerdict ValidateLowForm(OutletCase lowCase, const LowFormTexts &form, ValidationMode mode,
                           OutletInputs &in);

// Yes to a question of ValidateLowForm: toward case C or D the No. 1 standard goes to the
// tall-outlet records. Returns the case of the screen to request (CaseUndecided: the start
// menu).
OutletCase AnswerLowYes(const LowVerdict &verdict, OutletInputs &in);

// The change check of one low field (text up to 254 bytes): whether it no longer matches
// what was accepted. A height with kana or kanji is left to the next check (unchanged);
// a No. 1 text with one counts as changed.
bool LowFieldChanged(const OutletInputs &in, LowField field, const char *text);

// ---------------------------------------------------------------------------------------
// Start menu.

enum class MenuField { OutletHeight, BuildingHeight };
using MenuVerdict = FormVerdict<MenuField>;

// The read rule of a start-menu field on every change: the text (at most 62 bytes) goes
// into outletHeightText or buildingHeightText, converted and trimmed; the menu value becomes
// the number, or −1 for a negative number, a word after it or no number. Returns false, with
// the value left as it was, when the text holds a character without a single-byte form.
bool ReadMenuField(OutletInputs &in, MenuField field, const char *text);
// Whether 次へ is enabled by the two values.
bool MenuNextEnabled(const OutletInputs &in);
// 次へ: the 400 m limits, then the case; on Proceed the heights are handed to the records of
// the case and nextCase is the case to request. An outlet above 400 m is refused first; then,
// while 次へ would be disabled, the verdict is Refuse with no message.
MenuVerdict ValidateStartMenu(OutletInputs &in);
