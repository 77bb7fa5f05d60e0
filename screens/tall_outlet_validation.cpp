#include "screens/tall_outlet_validation.h"

#include "app/current_outlet.h"
#include "app/screen_common.h"
#include "app/dpi.h"
#include "app/pictures.h"
#include "app/shell.h"
#include "model/form_rules.h"
#include "resources/resource.h"
#include "app/field_controls.h"
#include "screens/tall_outlet_results.h"

#include <string>

namespace {

// A text past the read limit (WM_SETTEXT and pasting bypass the edit limit) is refused as a
// whole rather than judged on its beginning: a control character, which no field accepts,
// stands in for it.
const char kUnreadable[] = "\x01";

// The controls of the case D screen: those of case C have the same ids.
int ControlOf(TallField field, ScreenId screen = CaseD) {
    return ControlOf(FieldOf(field), screen);
}

std::string FieldText(HWND dlg, int id) {
    HWND control = id != 0 ? GetDlgItem(dlg, id) : nullptr;
    return control != nullptr ? ReadFieldText(control, CaseD, kUnreadable) : "";
}

} // namespace

void ShowLayoutPicture(HWND dlg) {
    const int picture = BuildingNearerBoundary(gOutletInputs.tall) ? IDB_LAYOUT_BUILDING_NEAR
                                                                   : IDB_LAYOUT_OUTLET_NEAR;
    ShowPicture(dlg, IDC_LAYOUT_PICTURE, picture, LayoutDpi(dlg));
}

bool ValidateTallOutletInputs(HWND dlg, ScreenId tallCase, ValidationMode mode) {
    OutletInputs &in = gOutletInputs;
    TallFormTexts form;
    for (const FieldRow &row : FieldTable())
        if (row.tall.message != nullptr)
            form[row.tall.field] = FieldText(dlg, ControlOf(row.field, tallCase));
    const OutletCase outletCase = static_cast<OutletCase>(tallCase);
    const TallVerdict verdict = ValidateTallForm(outletCase, form, mode, in);
    for (TallField field : verdict.accepted)
        SetDlgItemTextA(dlg, ControlOf(field), in.*TallRule(field).text);
    if (verdict.verdict == Verdict::Refuse) {
        ShowRefusal(dlg, ControlOf(verdict.field), verdict.focusField, verdict.beepMilliseconds,
                    verdict.message, MB_TASKMODAL);
        return false;
    }
    ShowLayoutPicture(dlg);
    if (verdict.verdict == Verdict::Proceed)
        return true;
    if (AskQuestion(dlg, ControlOf(verdict.field), verdict.beepMilliseconds, verdict.message))
        RequestScreen(AnswerTallYes(verdict, form, in));
    return false;
}

void TallFieldEdited(HWND dlg, int controlId) {
    OutletInputs &in = gOutletInputs;
    Field field;
    if (!FieldOfControl(CaseD, controlId, &field) || FieldRowOf(field).tall.message == nullptr)
        return;
    if (HasResult(gOutletResults.tall) &&
        TallFieldChanged(in, FieldRowOf(field).tall.field, FieldText(dlg, controlId).c_str())) {
        gOutletResults.tall = kNoTallResult;
        ShowTallOutletResults(dlg);
    }
}
