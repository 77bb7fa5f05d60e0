#include "help/flow_calculator_dialog.h"

#include "help/help_dialog.h"
#include "help/help_topics.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "model/calculators.h"
#include "resources/resource.h"

namespace {

// The inputs outlive the dialog; each opening starts them over.
FlowCalculator gFlowCalculator;

constexpr int kFieldChars = 30;
const int kFields[] = {IDC_FLOWCALC_AREA, IDC_FLOWCALC_VELOCITY, IDC_FLOWCALC_TEMPERATURE,
                       IDC_FLOWCALC_MOISTURE};

void InitFlowCalculator(HWND dlg) {
    SetProgramIcon(dlg);
    ImeOff(dlg);
    ResetFlowCalculator(gFlowCalculator);
    PlaceRaisedDigits(dlg);
    for (int id : kFields)
        SendDlgItemMessageA(dlg, id, EM_LIMITTEXT, kFieldChars, 0);
    gHelpWindows[HelpTopicIndex(IDM_TOPIC_FLOW)] = dlg;
}

FlowField FieldOfControl(int id) {
    switch (id) {
    case IDC_FLOWCALC_AREA: return FlowField::HoleArea;
    case IDC_FLOWCALC_TEMPERATURE: return FlowField::GasTemperature;
    case IDC_FLOWCALC_VELOCITY: return FlowField::HoleVelocity;
    default: return FlowField::Moisture;
    }
}

void OnFlowField(HWND dlg, int id) {
    // A text past the 30 characters read (set or pasted) would be judged on its beginning;
    // as a whole it is no number.
    const std::string text = WholeFieldText(GetDlgItem(dlg, id), kFieldChars, "x");
    const std::string result =
        FlowCalculatorFieldChanged(gFlowCalculator, FieldOfControl(id), text.c_str());
    SetDlgItemTextA(dlg, IDC_CALC_RESULT, result.c_str());
}

void CloseFlowCalculator(HWND dlg) {
    ForgetHelpWindow(dlg);
    DestroyWindow(dlg);
    BringToFront(FocusReturnTarget());
}

} // namespace

INT_PTR CALLBACK FlowCalculatorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitFlowCalculator(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_DESTROY: ForgetHelpWindow(dlg); return FALSE;
    case WM_COMMAND:
        // Every notification of a field counts, whatever its code.
        switch (LOWORD(wParam)) {
        case IDC_FLOWCALC_AREA:
        case IDC_FLOWCALC_TEMPERATURE:
        case IDC_FLOWCALC_VELOCITY:
        case IDC_FLOWCALC_MOISTURE: OnFlowField(dlg, LOWORD(wParam)); return TRUE;
        case IDOK:
        case IDCANCEL: CloseFlowCalculator(dlg); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
