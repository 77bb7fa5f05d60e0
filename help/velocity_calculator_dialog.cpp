#include "help/velocity_calculator_dialog.h"

#include "help/help_dialog.h"
#include "help/help_topics.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "model/calculators.h"
#include "resources/resource.h"

namespace {

// The inputs outlive the dialog; each opening starts them over.
VelocityCalculator gVelocityCalculator;

constexpr int kFieldChars = 30;
const int kFields[] = {IDC_VELCALC_HOLE_VELOCITY, IDC_VELCALC_HOLE_AREA, IDC_VELCALC_OUTLET_AREA};

void InitVelocityCalculator(HWND dlg) {
    SetProgramIcon(dlg);
    ImeOff(dlg);
    ResetVelocityCalculator(gVelocityCalculator);
    PlaceRaisedDigits(dlg);
    for (int id : kFields)
        SendDlgItemMessageA(dlg, id, EM_LIMITTEXT, kFieldChars, 0);
    gHelpWindows[HelpTopicIndex(IDM_TOPIC_VELOCITY)] = dlg;
}

VelocityField FieldOfControl(int id) {
    switch (id) {
    case IDC_VELCALC_HOLE_VELOCITY: return VelocityField::HoleVelocity;
    case IDC_VELCALC_OUTLET_AREA: return VelocityField::OutletArea;
    default: return VelocityField::HoleArea;
    }
}

void OnVelocityField(HWND dlg, int id) {
    // A text past the 30 characters read (set or pasted) would be judged on its beginning;
    // as a whole it is no number.
    const std::string text = WholeFieldText(GetDlgItem(dlg, id), kFieldChars, "x");
    const std::string result =
        VelocityCalculatorFieldChanged(gVelocityCalculator, FieldOfControl(id), text.c_str());
    SetDlgItemTextA(dlg, IDC_CALC_RESULT, result.c_str());
}

void CloseVelocityCalculator(HWND dlg) {
    ForgetHelpWindow(dlg);
    DestroyWindow(dlg);
    BringToFront(FocusReturnTarget());
}

} // namespace

INT_PTR CALLBACK VelocityCalculatorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitVelocityCalculator(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_DESTROY: ForgetHelpWindow(dlg); return FALSE;
    case WM_COMMAND:
        // Every notification of a field counts, whatever its code.
        switch (LOWORD(wParam)) {
        case IDC_VELCALC_HOLE_VELOCITY:
        case IDC_VELCALC_OUTLET_AREA:
        case IDC_VELCALC_HOLE_AREA: OnVelocityField(dlg, LOWORD(wParam)); return TRUE;
        case IDOK:
        case IDCANCEL: CloseVelocityCalculator(dlg); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
