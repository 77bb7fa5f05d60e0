#include "screens/start_menu.h"

#include "app/current_outlet.h"
#include "app/field_controls.h"
#include "app/menu_command.h"
#include "app/platform_hooks.h"
#include "app/screen_common.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "app/placement.h"
#include "help/term_labels.h"
#include "text/text_helpers.h"
#include "model/form_rules.h"
#include "resources/resource.h"

namespace {

const char kIdleAdvice[] =
    "排出口の実高さが 6.7m 未満の場合は、\n周辺最大建物高さの入力は不要です。";
// The building label while the building height is not asked for.
constexpr COLORREF kUnusedLabel = RGB(172, 168, 153);
// A text past the read limit (set or pasted past the typing limit) is taken as a word after
// the number: refused, 次へ disabled.
const char kTooLong[] = "x";

const TermLabel kLabels[] = {
    {IDC_LABEL_REAL_HEIGHT, IDM_TOPIC_REAL_HEIGHT},
    {IDC_LABEL_BUILDING_HEIGHT, IDM_TOPIC_BUILDING_HEIGHT},
};
TermLabels gLabels = {kLabels, 2, kIdleAdvice, nullptr, {}, false, 0};

void EnableBuildingControls(HWND dlg, bool enable) {
    for (int id : {IDC_BUILDING_HEIGHT, IDC_LABEL_BUILDING_HEIGHT, IDC_BUILDING_UNIT})
        EnableWindow(GetDlgItem(dlg, id), enable);
}

void EnableNext(HWND dlg, bool enable) {
    EnableWindow(GetDlgItem(dlg, IDC_NEXT), enable);
}

void UpdateNext(HWND dlg) {
    EnableNext(dlg, MenuNextEnabled(gOutletInputs));
}

// Setting a field's text runs its read rule through the change notification.
void PutFieldText(HWND dlg, int id, const char *text) {
    char copy[kTextSize];
    CopyText(copy, sizeof copy, text);
    SetDlgItemTextA(dlg, id, copy);
}

int ControlOf(MenuField field) {
    return ControlOf(field == MenuField::OutletHeight ? Field::OutletHeight : Field::BuildingHeight,
                     StartMenu);
}

// The read rule of a field; a text with a character without a single-byte form changes
// nothing: the value read before stays in force.
bool ReadField(HWND dlg, MenuField field) {
    const std::string text = ReadFieldText(GetDlgItem(dlg, ControlOf(field)), StartMenu, kTooLong);
    return ReadMenuField(gOutletInputs, field, text.c_str());
}

void ReadOutletField(HWND dlg) {
    const OutletInputs &in = gOutletInputs;
    if (!ReadField(dlg, MenuField::OutletHeight))
        return;
    // A negative height or a word after it leaves the building controls as they are.
    if (in.menuOutletHeight >= 0)
        EnableBuildingControls(dlg, NeedsBuildingHeight(in.menuOutletHeight));
    UpdateNext(dlg);
    // The building label's grey follows the outlet height.
    InvalidateRect(GetDlgItem(dlg, IDC_LABEL_BUILDING_HEIGHT), nullptr, TRUE);
    ShowArrowPointer();
}

void ReadBuildingField(HWND dlg) {
    if (!ReadField(dlg, MenuField::BuildingHeight))
        return;
    UpdateNext(dlg);
    ShowArrowPointer();
}

void InitStartMenu(HWND dlg) {
    BeginScreenInit(dlg);
    LimitFieldTyping(dlg, StartMenu);
    OutletInputs &in = gOutletInputs;
    if (in.menuOutletHeight >= 0) {
        PutFieldText(dlg, IDC_OUTLET_HEIGHT, in.outletHeightText);
        if (NeedsBuildingHeight(in.menuOutletHeight))
            PutFieldText(dlg, IDC_BUILDING_HEIGHT, in.buildingHeightText);
    }
    if (!NeedsBuildingHeight(in.menuOutletHeight)) {
        EnableBuildingControls(dlg, false);
        in.buildingHeight = -1.0;
        in.buildingHeightText[0] = '\0';
    }
    if (!MenuNextEnabled(in))
        EnableNext(dlg, false);
    ResetTermLabels(gLabels, dlg);
    // The advice stands from the start, before any label is painted.
    ShowTermAdvice(gLabels);
    EndScreenInit(dlg);
}

void OnNext(HWND dlg) {
    // Enter reaches this command even while the button is greyed.
    if (!IsWindowEnabled(GetDlgItem(dlg, IDC_NEXT)))
        return;
    OutletInputs &in = gOutletInputs;
    // The fields show their converted, trimmed texts from now on.
    PutFieldText(dlg, IDC_OUTLET_HEIGHT, in.outletHeightText);
    if (NeedsBuildingHeight(in.menuOutletHeight))
        PutFieldText(dlg, IDC_BUILDING_HEIGHT, in.buildingHeightText);
    const MenuVerdict verdict = ValidateStartMenu(in);
    if (verdict.verdict != Verdict::Proceed) {
        if (verdict.message == nullptr)
            return;
        SetFocus(GetDlgItem(dlg, ControlOf(verdict.field)));
        FaultBeep(verdict.beepMilliseconds);
        gMessageBox(dlg, verdict.message, kParameterErrorCaption, MB_OK | MB_TOPMOST);
        return;
    }
    RequestScreen(verdict.nextCase);
    LeaveScreen(dlg);
}

void OnReset(HWND dlg) {
    ResetLowOutletInputs(gOutletInputs);
    ResetTallOutletInputs(gOutletInputs);
    gOutletResults = OutletResults{};
    SetDlgItemTextA(dlg, IDC_OUTLET_HEIGHT, "");
    SetDlgItemTextA(dlg, IDC_BUILDING_HEIGHT, "");
    EnableBuildingControls(dlg, false);
}

void DrawStartMenuLabel(const DRAWITEMSTRUCT &item) {
    COLORREF colour = TermLabelColour(gLabels, static_cast<int>(item.CtlID));
    if (item.CtlID == IDC_LABEL_BUILDING_HEIGHT &&
        !NeedsBuildingHeight(gOutletInputs.menuOutletHeight))
        colour = kUnusedLabel;
    PaintTermLabel(item, colour);
    ShowTermAdvice(gLabels);
}

INT_PTR OnStartMenuCommand(HWND dlg, int id) {
    switch (id) {
    case IDC_OUTLET_HEIGHT: ReadOutletField(dlg); return TRUE;
    case IDC_BUILDING_HEIGHT: ReadBuildingField(dlg); return TRUE;
    case IDC_NEXT: OnNext(dlg); return TRUE;
    case IDC_RESET: OnReset(dlg); return TRUE;
    case IDC_LABEL_REAL_HEIGHT:
    case IDC_LABEL_BUILDING_HEIGHT: ClickTermLabel(gLabels, id); return TRUE;
    case IDCANCEL:
    case IDM_EXIT: ConfirmExit(dlg); return TRUE;
    }
    MenuCommand(id);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK StartMenuProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: InitStartMenu(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_SETCURSOR: UpdateTermLabelHover(gLabels, reinterpret_cast<HWND>(wParam)); return FALSE;
    case WM_DRAWITEM:
        DrawStartMenuLabel(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND: return OnStartMenuCommand(dlg, LOWORD(wParam));
    }
    return FALSE;
}
