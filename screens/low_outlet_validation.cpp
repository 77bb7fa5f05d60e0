#include "screens/low_outlet_validation.h"

#include "app/screen_common.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "text/text_helpers.h"
#include "resources/resource.h"

#include <string>

namespace {

// Room for 254 characters: a field is judged on all of it, not on what the record keeps. A
// longer text is refused as a whole, as a word after the number would be.
constexpr int kFieldReadChars = 254;

std::string FieldText(HWND dlg, int id) {
    return WholeFieldText(GetDlgItem(dlg, id), kFieldReadChars, "x");
}

int ControlOf(LowField field) {
    switch (field) {
    case LowField::No1Index: return IDC_NO1_STANDARD;
    case LowField::OutletHeight: return IDC_CASE_OUTLET_HEIGHT;
    case LowField::BuildingHeight: return IDC_CASE_BUILDING_HEIGHT;
    }
    return 0;
}

const char *AcceptedText(LowField field) {
    const OutletInputs &in = gOutletInputs;
    switch (field) {
    case LowField::No1Index: return in.no1Text;
    case LowField::OutletHeight: return in.outletHeightText;
    case LowField::BuildingHeight: return in.buildingHeightText;
    }
    return "";
}

} // namespace

bool ValidateLowOutletInputs(HWND dlg, ScreenId lowCase, ValidationMode mode) {
    LowFormTexts form;
    form.no1 = FieldText(dlg, IDC_NO1_STANDARD);
    form.outletHeight = FieldText(dlg, IDC_CASE_OUTLET_HEIGHT);
    if (lowCase == CaseB)
        form.buildingHeight = FieldText(dlg, IDC_CASE_BUILDING_HEIGHT);
    const LowVerdict verdict =
        ValidateLowForm(static_cast<OutletCase>(lowCase), form, mode, gOutletInputs);
    for (LowField field : verdict.accepted)
        SetDlgItemTextA(dlg, ControlOf(field), AcceptedText(field));
    if (verdict.verdict == Verdict::Proceed)
        return true;
    const int control = ControlOf(verdict.field);
    if (verdict.verdict == Verdict::Refuse)
        ShowRefusal(dlg, control, verdict.focusField, verdict.beepMilliseconds, verdict.message,
                    MB_TOPMOST);
    else if (AskQuestion(dlg, control, verdict.beepMilliseconds, verdict.message))
        RequestScreen(AnswerLowYes(verdict, gOutletInputs));
    return false;
}
