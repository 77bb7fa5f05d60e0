#include "screens/low_outlet_validation.h"

#include "app/current_outlet.h"
#include "app/screen_common.h"
#include "app/shell.h"
#include "text/text_helpers.h"
#include "app/field_controls.h"

#include <string>

namespace {

// A field is judged on all it holds, not on what the record keeps. A text past the read
// limit is refused as a whole, as a word after the number would be.
std::string FieldText(HWND dlg, int id) {
    return ReadFieldText(GetDlgItem(dlg, id), CaseB, "x");
}

} // namespace

bool ValidateLowOutletInputs(HWND dlg, ScreenId lowCase, ValidationMode mode) {
    LowFormTexts form;
    const auto control = [lowCase](LowField field) { return ControlOf(FieldOf(field), lowCase); };
    form.no1 = FieldText(dlg, control(LowField::No1Index));
    form.outletHeight = FieldText(dlg, control(LowField::OutletHeight));
    if (lowCase == CaseB)
        form.buildingHeight = FieldText(dlg, control(LowField::BuildingHeight));
    const LowVerdict verdict =
        ValidateLowForm(static_cast<OutletCase>(lowCase), form, mode, gOutletInputs);
    for (LowField field : verdict.accepted)
        SetDlgItemTextA(dlg, control(field), gOutletInputs.*LowRule(field).text);
    if (verdict.verdict == Verdict::Proceed)
        return true;
    const int verdictControl = control(verdict.field);
    if (verdict.verdict == Verdict::Refuse)
        ShowRefusal(dlg, verdictControl, verdict.focusField, verdict.beepMilliseconds,
                    verdict.message, MB_TOPMOST);
    else if (AskQuestion(dlg, verdictControl, verdict.beepMilliseconds, verdict.message))
        RequestScreen(AnswerLowYes(verdict, gOutletInputs));
    return false;
}
