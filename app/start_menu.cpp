#include "app/start_menu.h"

#include "app/menu_command.h"
#include "app/platform_hooks.h"
#include "app/screen_common.h"
#include "app/shell.h"
#include "app/term_labels.h"
#include "app/text_helpers.h"
#include "model/input_checks.h"
#include "resources/resource.h"

namespace {

const char kIdleAdvice[] =
    "排出口の実高さが 6.7m 未満の場合は、\n周辺最大建物高さの入力は不要です。";
// The building label while the building height is not asked for.
constexpr COLORREF kUnusedLabel = RGB(172, 168, 153);
// Lower outlets need no building height; from 15 m the tall-outlet cases apply.
constexpr double kBuildingNeededFrom = 6.7;
constexpr double kTallFrom = 15.0;
constexpr double kHighestAccepted = 400.0;
// GetDlgItemTextA keeps one byte for the terminator: 62 characters at most.
constexpr int kFieldReadSize = 63;

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
    const OutletInputs &in = gOutletInputs;
    EnableNext(dlg, in.menuOutletHeight >= 0 &&
                        (in.menuOutletHeight < kBuildingNeededFrom || in.menuBuildingHeight >= 0));
}

// Setting a field's text runs its read rule through the change notification.
void PutFieldText(HWND dlg, int id, const char *text) {
    char copy[kTextSize];
    CopyText(copy, sizeof copy, text);
    SetDlgItemTextA(dlg, id, copy);
}

// Reads a field into its record text, converted and trimmed. False when the text holds a
// character without a single-byte form: the value read before stays in force.
bool ReadHeightText(HWND dlg, int id, char *text, double *value, bool *valid) {
    GetDlgItemTextA(dlg, id, text, kFieldReadSize);
    if (!ToSingleByte(text))
        return false;
    TrimBlanks(text);
    *valid = ParseFieldNumber(text, value);
    return true;
}

void ReadOutletField(HWND dlg) {
    OutletInputs &in = gOutletInputs;
    double value;
    bool valid;
    if (!ReadHeightText(dlg, IDC_OUTLET_HEIGHT, in.outletHeightText, &value, &valid))
        return;
    if (!valid) {
        in.menuOutletHeight = -1.0;
        EnableNext(dlg, false);
    } else {
        in.menuOutletHeight = value >= 0 ? value : -1.0;
        if (value >= 0 && value < kBuildingNeededFrom)
            EnableBuildingControls(dlg, false);
        else if (value >= kBuildingNeededFrom)
            EnableBuildingControls(dlg, true);
        UpdateNext(dlg);
    }
    // The building label's grey follows the outlet height.
    InvalidateRect(GetDlgItem(dlg, IDC_LABEL_BUILDING_HEIGHT), nullptr, TRUE);
    ShowArrowPointer();
}

void ReadBuildingField(HWND dlg) {
    OutletInputs &in = gOutletInputs;
    double value;
    bool valid;
    if (!ReadHeightText(dlg, IDC_BUILDING_HEIGHT, in.buildingHeightText, &value, &valid))
        return;
    in.menuBuildingHeight = valid && value >= 0 ? value : -1.0;
    UpdateNext(dlg);
    ShowArrowPointer();
}

void InitStartMenu(HWND dlg) {
    BeginScreenInit(dlg);
    OutletInputs &in = gOutletInputs;
    if (in.menuOutletHeight >= 0) {
        PutFieldText(dlg, IDC_OUTLET_HEIGHT, in.outletHeightText);
        if (in.menuOutletHeight >= kBuildingNeededFrom)
            PutFieldText(dlg, IDC_BUILDING_HEIGHT, in.buildingHeightText);
    }
    if (in.menuOutletHeight < kBuildingNeededFrom) {
        EnableBuildingControls(dlg, false);
        in.buildingHeight = -1.0;
        in.buildingHeightText[0] = '\0';
    }
    if (in.menuOutletHeight < 0 ||
        (in.menuOutletHeight >= kBuildingNeededFrom && in.menuBuildingHeight < 0))
        EnableNext(dlg, false);
    ResetTermLabels(gLabels, dlg);
    EndScreenInit(dlg);
}

void RefuseHeight(HWND dlg, int field, const char *message) {
    SetFocus(GetDlgItem(dlg, field));
    FaultBeep(40);
    gMessageBox(dlg, message, kParameterErrorCaption, MB_OK | MB_TOPMOST);
}

// Hands the heights to the records of their case and names the case's screen.
ScreenId HandOverHeights(OutletInputs &in) {
    const double h = in.menuOutletHeight;
    const double b = in.menuBuildingHeight;
    if (h < kBuildingNeededFrom) {
        in.outletHeight = h;
        in.buildingHeight = -1.0;
        return CaseA;
    }
    if (h < kTallFrom) {
        in.outletHeight = h;
        in.buildingHeight = b;
        return CaseB;
    }
    in.tall.tallOutletHeight = h;
    in.tall.tallBuildingHeight = b;
    return AtLeast15TimesBuilding(h, b) ? CaseD : CaseC;
}

void OnNext(HWND dlg) {
    // Enter reaches this command even while the button is greyed.
    if (!IsWindowEnabled(GetDlgItem(dlg, IDC_NEXT)))
        return;
    OutletInputs &in = gOutletInputs;
    PutFieldText(dlg, IDC_OUTLET_HEIGHT, in.outletHeightText);
    if (in.menuOutletHeight > kHighestAccepted) {
        RefuseHeight(dlg, IDC_OUTLET_HEIGHT, kStartOutletMessage);
        return;
    }
    if (in.menuOutletHeight >= kBuildingNeededFrom) {
        PutFieldText(dlg, IDC_BUILDING_HEIGHT, in.buildingHeightText);
        if (in.menuBuildingHeight > kHighestAccepted) {
            RefuseHeight(dlg, IDC_BUILDING_HEIGHT, kStartBuildingMessage);
            return;
        }
    }
    RequestScreen(HandOverHeights(in));
    LeaveScreen(dlg);
}

void OnReset(HWND dlg) {
    ResetLowOutletInputs(gOutletInputs);
    ResetTallOutletInputs(gOutletInputs);
    SetDlgItemTextA(dlg, IDC_OUTLET_HEIGHT, "");
    SetDlgItemTextA(dlg, IDC_BUILDING_HEIGHT, "");
    EnableBuildingControls(dlg, false);
}

void DrawStartMenuLabel(const DRAWITEMSTRUCT &item) {
    COLORREF colour = TermLabelColour(gLabels, static_cast<int>(item.CtlID));
    if (item.CtlID == IDC_LABEL_BUILDING_HEIGHT &&
        gOutletInputs.menuOutletHeight < kBuildingNeededFrom)
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
