#include "screens/low_outlet_screen.h"

#include "app/current_outlet.h"
#include "app/menu_command.h"
#include "app/screen_common.h"
#include "app/shell.h"
#include "app/placement.h"
#include "app/window_helpers.h"
#include "help/term_labels.h"
#include "text/text_helpers.h"
#include "model/form_rules.h"
#include "model/result_texts.h"
#include "model/small_outlet.h"
#include "resources/resource.h"
#include "app/field_controls.h"
#include "screens/low_outlet_validation.h"
#include "screens/print_request.h"

#include <cstring>

namespace {

const TermLabel kCaseALabels[] = {
    {IDC_LABEL_REAL_HEIGHT, IDM_TOPIC_REAL_HEIGHT},
    {IDC_LOW_LABEL_NO1, IDM_TOPIC_STANDARDS},
    {IDC_LOW_A_LABEL_INPUT_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_LOW_A_LABEL_SIZE, IDM_TOPIC_SIZE},
    {IDC_LOW_LABEL_NO2, IDM_TOPIC_STANDARDS},
    {IDC_LOW_LABEL_OUTPUT_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_LOW_LABEL_DILUTION, IDM_TOPIC_DILUTION},
};
const TermLabel kCaseBLabels[] = {
    {IDC_LABEL_REAL_HEIGHT, IDM_TOPIC_REAL_HEIGHT},
    {IDC_LABEL_BUILDING_HEIGHT, IDM_TOPIC_BUILDING_HEIGHT},
    {IDC_LOW_LABEL_NO1, IDM_TOPIC_STANDARDS},
    {IDC_LOW_B_LABEL_INPUT_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_LOW_B_LABEL_SIZE, IDM_TOPIC_SIZE},
    {IDC_LOW_LABEL_NO2, IDM_TOPIC_STANDARDS},
    {IDC_LOW_LABEL_OUTPUT_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_LOW_LABEL_DILUTION, IDM_TOPIC_DILUTION},
};
TermLabels gCaseALabels = {kCaseALabels, 7, "", nullptr, {}, false, 0};
TermLabels gCaseBLabels = {kCaseBLabels, 8, "", nullptr, {}, false, 0};

TermLabels &LabelsOf(ScreenId screen) {
    return screen == CaseA ? gCaseALabels : gCaseBLabels;
}

struct SizeButton {
    int id;
    SizeClass sizeClass;
};
const SizeButton kSizeButtons[] = {
    {IDC_LOW_SIZE_SMALL, SizeSmall},
    {IDC_LOW_SIZE_MEDIUM, SizeMedium},
    {IDC_LOW_SIZE_LARGE, SizeLarge},
};

void ClearLowOutletResults(HWND dlg) {
    gOutletResults.low = kNoLowResult;
    SetDlgItemTextA(dlg, IDC_LOW_NO2, "");
    SetDlgItemTextA(dlg, IDC_LOW_NO1_PART, "（ ＝ １号基準    ＋");
    SetDlgItemTextA(dlg, IDC_LOW_DILUTION_PART, "）");
    SetDlgItemTextA(dlg, IDC_LOW_FIGURE_NO2, "２号基準：臭気指数");
    SetDlgItemTextA(dlg, IDC_LOW_FIGURE_DILUTION, "希釈度");
    SetDlgItemTextA(dlg, IDC_LOW_FIGURE_NO1, "１号基準：臭気指数");
    EnableWindow(GetDlgItem(dlg, IDC_PRINT), FALSE);
}

void ShowLowOutletResults(HWND dlg) {
    const LowResultTexts shown = FormatLowResults(gOutletInputs, gOutletResults.low);
    SetDlgItemTextA(dlg, IDC_LOW_NO2, shown.no2.c_str());
    SetDlgItemTextA(dlg, IDC_LOW_NO1_PART, shown.no1Part.c_str());
    SetDlgItemTextA(dlg, IDC_LOW_DILUTION_PART, shown.dilutionPart.c_str());
    SetDlgItemTextA(dlg, IDC_LOW_FIGURE_NO2, shown.figureNo2.c_str());
    SetDlgItemTextA(dlg, IDC_LOW_FIGURE_DILUTION, shown.figureDilution.c_str());
    SetDlgItemTextA(dlg, IDC_LOW_FIGURE_NO1, shown.figureNo1.c_str());
    EnableWindow(GetDlgItem(dlg, IDC_PRINT), TRUE);
}

LowField LowFieldOfControl(int id) {
    Field field = Field::No1Standard;
    FieldOfControl(CaseB, id, &field);
    return FieldRowOf(field).low.field;
}

// Whether a field now reads otherwise than what was last accepted for it.
bool FieldDiffersFromAccepted(HWND dlg, int id) {
    const std::string text = ReadFieldText(GetDlgItem(dlg, id), CaseB, "x");
    return LowFieldChanged(gOutletInputs, LowFieldOfControl(id), text.c_str());
}

// Runs on every notification of a field: a result no longer matches edited inputs.
void FieldChanged(HWND dlg, int id) {
    if (FieldDiffersFromAccepted(dlg, id) && HasResult(gOutletResults.low))
        ClearLowOutletResults(dlg);
    ShowArrowPointer();
}

void ChooseSizeClass(HWND dlg, int id) {
    OutletInputs &in = gOutletInputs;
    for (const SizeButton &button : kSizeButtons) {
        if (button.id == id) {
            in.sizeClass = button.sizeClass;
            in.representativeDiameter = RepresentativeDiameter(button.sizeClass);
        }
    }
    // A click has checked it already; the keyboard and a sent command may not have.
    CheckRadioButton(dlg, IDC_LOW_SIZE_SMALL, IDC_LOW_SIZE_LARGE, id);
    ClearLowOutletResults(dlg);
}

// The fields from the records, no result: at creation and after リセット.
void FillLowOutletScreen(HWND dlg, ScreenId screen) {
    OutletInputs &in = gOutletInputs;
    SetDlgItemTextA(dlg, IDC_CASE_OUTLET_HEIGHT, in.outletHeightText);
    SetDlgItemTextA(dlg, IDC_NO1_STANDARD, in.no1Text);
    for (const SizeButton &button : kSizeButtons) {
        const bool chosen = in.sizeClass == button.sizeClass;
        CheckDlgButton(dlg, button.id, chosen ? BST_CHECKED : BST_UNCHECKED);
        if (chosen)
            in.representativeDiameter = RepresentativeDiameter(button.sizeClass);
    }
    if (!NeedsBuildingHeight(in.outletHeight)) {
        in.buildingHeightText[0] = '\0';
        in.buildingHeight = -1.0;
    }
    if (screen == CaseB)
        SetDlgItemTextA(dlg, IDC_CASE_BUILDING_HEIGHT, in.buildingHeightText);
    SetFocus(GetDlgItem(dlg, IDC_CASE_OUTLET_HEIGHT));
    ClearLowOutletResults(dlg);
}

void InitLowOutletScreen(HWND dlg, ScreenId screen) {
    BeginScreenInit(dlg);
    LimitFieldTyping(dlg, screen);
    FillLowOutletScreen(dlg, screen);
    ResetTermLabels(LabelsOf(screen), dlg);
    EndScreenInit(dlg);
}

void OnCalculate(HWND dlg, ScreenId screen) {
    if (screen == CaseA)
        gOutletInputs.buildingHeight = -1.0;
    ClearLowOutletResults(dlg);
    if (!ValidateLowOutletInputs(dlg, screen, ValidationMode::Interactive))
        return;
    gOutletResults.low = CalculateLowOutlet(gOutletInputs, static_cast<OutletCase>(screen));
    ShowLowOutletResults(dlg);
}

void OnReset(HWND dlg, ScreenId screen) {
    ResetLowOutletInputs(gOutletInputs);
    gOutletResults.low = kNoLowResult;
    FillLowOutletScreen(dlg, screen);
}

void OnBackToMenu(HWND dlg, ScreenId screen) {
    if (!ValidateLowOutletInputs(dlg, screen, ValidationMode::Silent))
        return;
    RequestScreen(StartMenu);
    LeaveScreen(dlg);
}

void OnPrint(HWND dlg, ScreenId screen) {
    // Only a shown result has a report; the button is greyed otherwise.
    if (!HasResult(gOutletResults.low))
        return;
    RequestPrint(dlg, screen);
}

INT_PTR OnLowOutletCommand(HWND dlg, ScreenId screen, int id) {
    switch (id) {
    case IDC_CASE_OUTLET_HEIGHT:
    case IDC_CASE_BUILDING_HEIGHT:
    case IDC_NO1_STANDARD: FieldChanged(dlg, id); return TRUE;
    case IDC_LOW_SIZE_SMALL:
    case IDC_LOW_SIZE_MEDIUM:
    case IDC_LOW_SIZE_LARGE: ChooseSizeClass(dlg, id); return TRUE;
    case IDC_CALCULATE: OnCalculate(dlg, screen); return TRUE;
    case IDC_RESET: OnReset(dlg, screen); return TRUE;
    case IDC_BACK_TO_MENU: OnBackToMenu(dlg, screen); return TRUE;
    case IDC_PRINT: OnPrint(dlg, screen); return TRUE;
    case IDCANCEL:
    case IDM_EXIT: ConfirmExit(dlg); return TRUE;
    }
    if (!ClickTermLabel(LabelsOf(screen), id))
        MenuCommand(id);
    return TRUE;
}

INT_PTR LowOutletProc(ScreenId screen, HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        InitLowOutletScreen(dlg, screen);
        return FALSE; // the focus is in the outlet field already
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_SETCURSOR:
        UpdateTermLabelHover(LabelsOf(screen), reinterpret_cast<HWND>(wParam));
        return FALSE;
    case WM_DRAWITEM:
        DrawTermLabel(LabelsOf(screen), *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND: return OnLowOutletCommand(dlg, screen, LOWORD(wParam));
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK CaseAScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    return LowOutletProc(CaseA, dlg, msg, wParam, lParam);
}

INT_PTR CALLBACK CaseBScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    return LowOutletProc(CaseB, dlg, msg, wParam, lParam);
}
