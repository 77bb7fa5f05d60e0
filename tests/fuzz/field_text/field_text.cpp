// Field texts through every form's checks, in both modes, as the screens and kamorte-calc
// hand them over; what a form accepts is computed on the results-only path.
//
// Input: one byte of choices, then the texts separated by newlines: the twelve tall-outlet
// fields in their table order; the low-outlet forms and the start menu read the first three
// (No. 1 standard, outlet height, building height).
#include "tests/fuzz/fuzz_support.h"

#include "model/form_rules.h"
#include "model/small_outlet.h"
#include "text/text_helpers.h"

#include <cstring>

namespace {

bool LowFieldOnForm(OutletCase lowCase, LowField field) {
    return lowCase == CaseB || field != LowField::BuildingHeight;
}

void CheckRefusal(bool hasMessage, bool focusField, bool fieldOnForm) {
    FUZZ_CHECK(hasMessage);
    if (focusField)
        FUZZ_CHECK(fieldOnForm);
}

void Compute(OutletInputs &in, OutletCase outletCase) {
    ComputeStatus status;
    OutletResults results;
    const Outcome outcome = ComputeResults(in, outletCase, nullptr, results, &status);
    // The form rules never pass two flows or a flow with a velocity.
    FUZZ_CHECK(status == ComputeStatus::Ok);
    CheckShownOutcome(outcome);
}

void RunTall(OutletCase tallCase, ValidationMode mode, uint8_t choices, const TallFormTexts &form) {
    static OutletInputs in;
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    SetTallChoices(in, tallCase, static_cast<SizeMode>(choices & 1),
                   static_cast<FlowMode>((choices >> 1) % 3),
                   static_cast<OutletDirection>(static_cast<int>((choices >> 3) % 3) - 1));
    const TallVerdict v = ValidateTallForm(tallCase, form, mode, in);
    if (mode == ValidationMode::Silent)
        return; // kana kept as typed by a silent check count as changed ever after
    // A text put back into its control after a check is not a change.
    for (TallField f : v.accepted)
        FUZZ_CHECK(!TallFieldChanged(in, f, (in.*TallRule(f).text)));
    if (v.verdict == Verdict::Refuse)
        CheckRefusal(v.message != nullptr, v.focusField, TallFieldApplies(in, tallCase, v.field));
    if (v.verdict == Verdict::Ask) {
        FUZZ_CHECK(v.message != nullptr);
        OutletInputs other = in;
        AnswerTallYes(v, form, other);
    }
    if (v.verdict == Verdict::Proceed)
        Compute(in, tallCase);
}

void RunLow(OutletCase lowCase, ValidationMode mode, uint8_t choices, const LowFormTexts &form) {
    static OutletInputs in;
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    in.sizeClass = static_cast<SizeClass>(static_cast<int32_t>(choices % 4) - 1);
    in.representativeDiameter = RepresentativeDiameter(in.sizeClass);
    const LowVerdict v = ValidateLowForm(lowCase, form, mode, in);
    LowFieldChanged(in, LowField::No1Index, form.no1.c_str());
    LowFieldChanged(in, LowField::OutletHeight, form.outletHeight.c_str());
    if (mode == ValidationMode::Silent)
        return;
    if (v.verdict == Verdict::Refuse)
        CheckRefusal(v.message != nullptr, v.focusField, LowFieldOnForm(lowCase, v.field));
    if (v.verdict == Verdict::Ask) {
        FUZZ_CHECK(v.message != nullptr);
        OutletInputs other = in;
        AnswerLowYes(v, other);
    }
    if (v.verdict == Verdict::Proceed)
        Compute(in, lowCase);
}

void RunStartMenu(const std::string &outlet, const std::string &building) {
    static OutletInputs in;
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    ReadMenuField(in, MenuField::OutletHeight, outlet.c_str());
    ReadMenuField(in, MenuField::BuildingHeight, building.c_str());
    FUZZ_CHECK(std::strlen(in.outletHeightText) < kTextSize);
    const bool enabled = MenuNextEnabled(in);
    const MenuVerdict v = ValidateStartMenu(in);
    // 次へ greyed: nothing happens, and nothing is said unless the outlet is above 400 m.
    if (!enabled)
        FUZZ_CHECK(v.verdict == Verdict::Refuse);
    if (v.verdict == Verdict::Proceed)
        FUZZ_CHECK(v.nextCase >= CaseA && v.nextCase <= CaseD);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    const uint8_t choices = data[0];
    const std::vector<std::string> texts = SplitInput(data + 1, size - 1, '\n', kTallFieldCount);
    TallFormTexts tall;
    for (size_t i = 0; i < kTallFieldCount; ++i)
        tall.texts[i] = texts[i];
    const LowFormTexts low{texts[0], texts[1], texts[2]};

    for (const std::string &t : texts) {
        char buffer[256];
        CopyText(buffer, sizeof buffer, t.c_str());
        FUZZ_CHECK(std::strlen(buffer) < sizeof buffer);
        TrimBlanks(buffer);
        ToSingleByte(buffer);
        double value;
        if (ParseFieldNumber(buffer, &value))
            FUZZ_CHECK(value == value);
    }
    for (ValidationMode mode : {ValidationMode::Interactive, ValidationMode::Silent}) {
        RunLow(CaseA, mode, choices, low);
        RunLow(CaseB, mode, choices, low);
        RunTall(CaseC, mode, choices, tall);
        RunTall(CaseD, mode, choices, tall);
    }
    RunStartMenu(texts[1], texts[2]);
    return 0;
}
