#include "help/calculator_dialog.h"

#include "help/help_dialog.h"
#include "help/help_topics.h"
#include "app/edit_limit.h"
#include "app/dpi.h"
#include "app/pictures.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "model/calculators.h"
#include "resources/resource.h"

#include <string>

namespace {

// The inputs outlive the dialogs; each opening starts them over.
FlowCalculator gFlowCalculator;
VelocityCalculator gVelocityCalculator;

constexpr int kMostFields = 4;

struct Calculator {
    int topic; // the menu command of its help topic
    // The field controls, in the order of the calculator's fields in model/calculators.h.
    int controls[kMostFields];
    int fieldCount;
    void (*reset)();
    std::string (*fieldChanged)(int field, const char *text);
};

const Calculator kCalculators[] = {
    {IDM_TOPIC_FLOW,
     {IDC_FLOWCALC_AREA, IDC_FLOWCALC_TEMPERATURE, IDC_FLOWCALC_VELOCITY, IDC_FLOWCALC_MOISTURE},
     4,
     [] { ResetFlowCalculator(gFlowCalculator); },
     [](int field, const char *text) {
         return FlowCalculatorFieldChanged(gFlowCalculator, static_cast<FlowField>(field), text);
     }},
    {IDM_TOPIC_VELOCITY,
     {IDC_VELCALC_HOLE_VELOCITY, IDC_VELCALC_OUTLET_AREA, IDC_VELCALC_HOLE_AREA},
     3,
     [] { ResetVelocityCalculator(gVelocityCalculator); },
     [](int field, const char *text) {
         return VelocityCalculatorFieldChanged(gVelocityCalculator,
                                               static_cast<VelocityField>(field), text);
     }},
};

const Calculator *OpeningCalculator() {
    for (const Calculator &calc : kCalculators)
        if (HelpTopicIndex(calc.topic) == gOpeningTopic)
            return &calc;
    return nullptr;
}

// The two templates number their fields alike: each window keeps its own calculator.
const Calculator *CalculatorOf(HWND dlg) {
    return reinterpret_cast<const Calculator *>(GetWindowLongPtrA(dlg, DWLP_USER));
}

// The field of a control; −1 for a control that is no field.
int FieldOfControl(const Calculator &calc, int id) {
    for (int i = 0; i < calc.fieldCount; ++i)
        if (calc.controls[i] == id)
            return i;
    return -1;
}

void InitCalculator(HWND dlg) {
    SetProgramIcon(dlg);
    ShowPicturesForDpi(dlg, LayoutDpi(dlg));
    ImeOff(dlg);
    const Calculator *calc = OpeningCalculator();
    if (calc == nullptr)
        return;
    SetWindowLongPtrA(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(calc));
    calc->reset();
    PlaceRaisedDigits(dlg);
    for (int i = 0; i < calc->fieldCount; ++i)
        LimitEditBytes(GetDlgItem(dlg, calc->controls[i]), kCalculatorFieldChars);
    gHelpWindows[gOpeningTopic] = dlg;
}

void OnCalculatorField(HWND dlg, int id, const Calculator &calc, int field) {
    // A text past the characters read (set or pasted) would be judged on its beginning.
    const std::string text = WholeFieldText(GetDlgItem(dlg, id), kCalculatorFieldChars, "x");
    const std::string result = calc.fieldChanged(field, text.c_str());
    SetDlgItemTextA(dlg, IDC_CALC_RESULT, result.c_str());
}

void CloseCalculator(HWND dlg) {
    ForgetHelpWindow(dlg);
    DestroyWindow(dlg);
    BringToFront(FocusReturnTarget());
}

// Every notification of a field counts, whatever its code.
bool OnCalculatorCommand(HWND dlg, int id) {
    const Calculator *calc = CalculatorOf(dlg);
    const int field = calc != nullptr ? FieldOfControl(*calc, id) : -1;
    if (field >= 0) {
        OnCalculatorField(dlg, id, *calc, field);
        return true;
    }
    if (id != IDOK && id != IDCANCEL)
        return false;
    CloseCalculator(dlg);
    return true;
}

} // namespace

INT_PTR CALLBACK CalculatorDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitCalculator(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_DESTROY: ForgetHelpWindow(dlg); return FALSE;
    case WM_COMMAND: return OnCalculatorCommand(dlg, LOWORD(wParam));
    }
    return FALSE;
}
