#include "screens/tall_outlet_screen.h"

#include "app/current_outlet.h"
#include "app/dpi.h"
#include "app/height_search_job.h"
#include "app/menu_command.h"
#include "app/screen_common.h"
#include "app/shell.h"
#include "app/shown_map.h"
#include "app/placement.h"
#include "app/window_helpers.h"
#include "help/term_labels.h"
#include "map/map_raster.h"
#include "map/win/map_adjust_dialog.h"
#include "map/win/map_display.h"
#include "resources/resource.h"
#include "app/field_controls.h"
#include "screens/print_request.h"
#include "screens/tall_outlet_results.h"
#include "screens/tall_outlet_run.h"
#include "screens/tall_outlet_validation.h"
#include "screens/verdict_rows.h"

namespace {

constexpr COLORREF kGrey = RGB(172, 168, 153);
constexpr COLORREF kBoundaryMarkColour = RGB(64, 64, 64);
constexpr COLORREF kLandingMarkColour = RGB(0, 0, 255);
// Where the second line of the two-line distance label starts, from its first line, in
// pixels of the 96-dpi layout.
constexpr int kSecondLineRight = 116;
constexpr int kSecondLineDown = 14;

const TermLabel kCaseCLabels[] = {
    {IDC_TALL_LABEL_REAL_HEIGHT, IDM_TOPIC_REAL_HEIGHT},
    {IDC_TALL_LABEL_BUILDING_HEIGHT, IDM_TOPIC_BUILDING_HEIGHT},
    {IDC_TALL_LABEL_NO1, IDM_TOPIC_STANDARDS},
    {IDC_C_LABEL_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_TALL_LABEL_DRY_FLOW, IDM_TOPIC_FLOW},
    {IDC_TALL_LABEL_WET_FLOW, IDM_TOPIC_FLOW},
    {IDC_TALL_LABEL_MOISTURE, IDM_TOPIC_MOISTURE},
    {IDC_TALL_LABEL_OUTLET_DISTANCE, IDM_TOPIC_OUTLET_DISTANCE},
    {IDC_TALL_LABEL_BUILDING_DISTANCE, IDM_TOPIC_BUILDING_DISTANCE},
    {IDC_TALL_LABEL_OUTLET_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_TALL_LABEL_NO2, IDM_TOPIC_STANDARDS},
    {IDC_C_LABEL_RATE, IDM_TOPIC_EMISSION_RATE},
    {IDC_TALL_LABEL_DRY_FLOW_SHOWN, IDM_TOPIC_FLOW},
    {IDC_C_LABEL_MAP_DILUTION, IDM_TOPIC_DILUTION},
    {IDC_C_LABEL_BAR_DILUTION, IDM_TOPIC_DILUTION},
    {IDC_LABEL_MEASURED_INDEX, IDM_TOPIC_VERDICT},
};
const TermLabel kCaseDLabels[] = {
    {IDC_TALL_LABEL_REAL_HEIGHT, IDM_TOPIC_REAL_HEIGHT},
    {IDC_TALL_LABEL_BUILDING_HEIGHT, IDM_TOPIC_BUILDING_HEIGHT},
    {IDC_TALL_LABEL_NO1, IDM_TOPIC_STANDARDS},
    {IDC_D_LABEL_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_D_LABEL_DIAMETER, IDM_TOPIC_SIZE},
    {IDC_D_LABEL_AREA, IDM_TOPIC_SIZE},
    {IDC_TALL_LABEL_DRY_FLOW, IDM_TOPIC_FLOW},
    {IDC_TALL_LABEL_WET_FLOW, IDM_TOPIC_FLOW},
    {IDC_D_LABEL_VELOCITY, IDM_TOPIC_VELOCITY},
    {IDC_D_LABEL_TEMPERATURE, IDM_TOPIC_TEMPERATURE},
    {IDC_TALL_LABEL_MOISTURE, IDM_TOPIC_MOISTURE},
    {IDC_D_LABEL_DIRECTION, IDM_TOPIC_DIRECTION},
    {IDC_TALL_LABEL_OUTLET_DISTANCE, IDM_TOPIC_OUTLET_DISTANCE},
    {IDC_TALL_LABEL_BUILDING_DISTANCE, IDM_TOPIC_BUILDING_DISTANCE},
    {IDC_TALL_LABEL_OUTLET_INDEX, IDM_TOPIC_ODOR_INDEX},
    {IDC_TALL_LABEL_NO2, IDM_TOPIC_STANDARDS},
    {IDC_D_LABEL_RATE, IDM_TOPIC_EMISSION_RATE},
    {IDC_TALL_LABEL_DRY_FLOW_SHOWN, IDM_TOPIC_FLOW},
    {IDC_D_LABEL_MAP_DILUTION, IDM_TOPIC_DILUTION},
    {IDC_D_LABEL_BAR_DILUTION, IDM_TOPIC_DILUTION},
    {IDC_LABEL_MEASURED_INDEX, IDM_TOPIC_VERDICT},
};
TermLabels gCaseCLabels = {kCaseCLabels, 16, "", nullptr, {}, false, 0};
TermLabels gCaseDLabels = {kCaseDLabels, 21, "", nullptr, {}, false, 0};

TermLabels &LabelsOf(ScreenId screen) {
    return screen == CaseC ? gCaseCLabels : gCaseDLabels;
}

ScreenId CaseOf(HWND dlg) {
    return GetDlgItem(dlg, IDC_TALL_VELOCITY) != nullptr ? CaseD : CaseC;
}

void Enable(HWND dlg, std::initializer_list<int> ids, bool enabled) {
    for (int id : ids)
        EnableWindow(GetDlgItem(dlg, id), enabled);
}

void Repaint(HWND dlg, std::initializer_list<int> ids) {
    for (int id : ids)
        InvalidateRect(GetDlgItem(dlg, id), nullptr, TRUE);
}

void Check(HWND dlg, int id, bool checked) {
    CheckDlgButton(dlg, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ShowNoResult(HWND dlg) {
    gOutletResults.tall = kNoTallResult;
    ShowTallOutletResults(dlg);
}

// Case C has the dry and the wet flow; the moisture belongs to the wet one.
void SetCaseCFlow(HWND dlg, FlowMode flowMode) {
    TallOutletInputs &t = gOutletInputs.tall;
    gOutletInputs.flowMode = flowMode;
    const bool wet = flowMode == FlowWet;
    Check(dlg, IDC_TALL_DRY_RADIO, !wet);
    Check(dlg, IDC_TALL_WET_RADIO, wet);
    Enable(dlg,
           {IDC_TALL_DRY_FLOW, IDC_TALL_DRY_UNIT_M, IDC_TALL_DRY_UNIT_CUBE, IDC_TALL_DRY_UNIT_MIN},
           !wet);
    Enable(dlg,
           {IDC_TALL_WET_FLOW, IDC_TALL_WET_UNIT_M, IDC_TALL_WET_UNIT_CUBE, IDC_TALL_WET_UNIT_MIN,
            IDC_TALL_MOISTURE, IDC_TALL_MOISTURE_UNIT},
           wet);
    t.exitVelocity = -1.0;
    if (wet) {
        t.dryFlow = -1.0;
    } else {
        t.wetFlow = -1.0;
        t.moisture = 0.0;
    }
    Repaint(dlg, {IDC_TALL_LABEL_MOISTURE});
}

void SetCaseDSize(HWND dlg) {
    const bool area = gOutletInputs.sizeMode == SizeByArea;
    Check(dlg, IDC_TALL_DIAMETER_RADIO, !area);
    Check(dlg, IDC_TALL_AREA_RADIO, area);
    Enable(dlg, {IDC_TALL_DIAMETER, IDC_TALL_DIAMETER_UNIT}, !area);
    Enable(dlg, {IDC_TALL_AREA, IDC_TALL_AREA_UNIT, IDC_TALL_AREA_UNIT_SQUARE}, area);
    Repaint(dlg, {IDC_D_LABEL_DIAMETER, IDC_D_LABEL_AREA});
}

// The temperature counts only for an upward outlet; otherwise the gas leaves at 15 °C.
void SetCaseDDirectionEnabling(HWND dlg) {
    TallOutletInputs &t = gOutletInputs.tall;
    const bool upward = t.outletDirection == DirectionUpward;
    Enable(dlg, {IDC_TALL_TEMPERATURE, IDC_TALL_TEMPERATURE_UNIT, IDC_D_LABEL_TEMPERATURE}, upward);
    Repaint(dlg, {IDC_D_LABEL_TEMPERATURE});
    if (!upward)
        t.gasTemperature = 15.0;
}

void SetCaseDFlow(HWND dlg) {
    const FlowMode mode = gOutletInputs.flowMode;
    Check(dlg, IDC_TALL_DRY_RADIO, mode == FlowDry);
    Check(dlg, IDC_TALL_WET_RADIO, mode == FlowWet);
    Check(dlg, IDC_TALL_VELOCITY_RADIO, mode == FlowVelocity);
    Enable(dlg,
           {IDC_TALL_DRY_FLOW, IDC_TALL_DRY_UNIT_M, IDC_TALL_DRY_UNIT_CUBE, IDC_TALL_DRY_UNIT_MIN},
           mode == FlowDry);
    Enable(dlg,
           {IDC_TALL_WET_FLOW, IDC_TALL_WET_UNIT_M, IDC_TALL_WET_UNIT_CUBE, IDC_TALL_WET_UNIT_MIN},
           mode == FlowWet);
    Enable(dlg, {IDC_TALL_VELOCITY, IDC_D_VELOCITY_UNIT}, mode == FlowVelocity);
    SetCaseDSize(dlg);
    Repaint(dlg, {IDC_TALL_LABEL_MOISTURE});
    SetCaseDDirectionEnabling(dlg);
}

// Case C: a click on either flow radio, also on the one already chosen, withdraws a result.
void OnCaseCFlow(HWND dlg, int id) {
    if (HasResult(gOutletResults.tall))
        ShowNoResult(dlg);
    SetCaseCFlow(dlg, id == IDC_TALL_WET_RADIO ? FlowWet : FlowDry);
}

// Case D: a click on the radio already chosen changes nothing.
void OnCaseDAlternative(HWND dlg, int id) {
    OutletInputs &in = gOutletInputs;
    switch (id) {
    case IDC_TALL_DIAMETER_RADIO:
    case IDC_TALL_AREA_RADIO: {
        const SizeMode size = id == IDC_TALL_AREA_RADIO ? SizeByArea : SizeByDiameter;
        if (in.sizeMode == size)
            return;
        in.sizeMode = size;
        SetCaseDSize(dlg);
        break;
    }
    case IDC_TALL_DRY_RADIO:
    case IDC_TALL_WET_RADIO:
    case IDC_TALL_VELOCITY_RADIO: {
        const FlowMode flow = id == IDC_TALL_DRY_RADIO   ? FlowDry
                              : id == IDC_TALL_WET_RADIO ? FlowWet
                                                         : FlowVelocity;
        if (in.flowMode == flow)
            return;
        in.flowMode = flow;
        SetCaseDFlow(dlg);
        break;
    }
    case IDC_TALL_UPWARD:
    case IDC_TALL_DOWNWARD: {
        const OutletDirection direction = id == IDC_TALL_UPWARD ? DirectionUpward : DirectionOther;
        if (in.tall.outletDirection == direction)
            return;
        in.tall.outletDirection = direction;
        Check(dlg, IDC_TALL_UPWARD, direction == DirectionUpward);
        Check(dlg, IDC_TALL_DOWNWARD, direction == DirectionOther);
        SetCaseDDirectionEnabling(dlg);
        break;
    }
    default: return;
    }
    if (HasResult(gOutletResults.tall))
        ShowNoResult(dlg);
}

bool IsInputField(ScreenId screen, int id) {
    Field field;
    return FieldOfControl(screen, id, &field);
}

void InitTallOutletScreen(HWND dlg, ScreenId screen) {
    BeginScreenInit(dlg);
    LimitFieldTyping(dlg, screen);
    if (screen == CaseC && gOutletInputs.flowMode == FlowVelocity)
        gOutletInputs.flowMode = FlowDry; // case C has no velocity field
    // A result of an earlier visit is not shown again, so it cannot be printed or read
    // from the map either.
    gOutletResults.tall = kNoTallResult;
    ResetTermLabels(LabelsOf(screen), dlg);
    FitScreenMap(dlg, IDC_MAP);
    RefreshTallOutletScreen(dlg);
    ShowLayoutPicture(dlg);
    EndScreenInit(dlg);
}

void OnCalculate(HWND dlg, ScreenId screen) {
    CancelHeightSearch(dlg);
    if (!ValidateTallOutletInputs(dlg, screen, ValidationMode::Interactive) ||
        !CheckMeasuredIndex(dlg, MB_TASKMODAL))
        return;
    SetDlgItemTextA(dlg, IDC_ADVICE, "計算中です。");
    UpdateWindow(GetDlgItem(dlg, IDC_ADVICE));
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    if (!RunTallOutletOnScreen(dlg, static_cast<OutletCase>(screen))) {
        // The run said why; the inputs are as accepted and there is no result to show.
        ShowTallOutletResults(dlg);
        SetDlgItemTextA(dlg, IDC_ADVICE, "");
        ShowArrowPointer();
        return;
    }
    ShowTallOutletResults(dlg);
    SetDlgItemTextA(dlg, IDC_ADVICE, "");
    ShowArrowPointer();
}

void OnReset(HWND dlg) {
    ResetTallOutletInputs(gOutletInputs);
    gOutletResults.tall = kNoTallResult;
    RefreshTallOutletScreen(dlg);
    ShowLayoutPicture(dlg);
}

void OnBackToMenu(HWND dlg, ScreenId screen) {
    CancelHeightSearch(dlg);
    ValidateTallOutletInputs(dlg, screen, ValidationMode::Silent);
    RequestScreen(StartMenu);
    LeaveScreen(dlg);
}

void OnPrint(HWND dlg, ScreenId screen) {
    // Only a shown result has a report; the button is greyed otherwise.
    if (!HasResult(gOutletResults.tall))
        return;
    RequestPrint(dlg, screen);
}

void OnMapAdjust(HWND dlg) {
    if (!HasResult(gOutletResults.tall))
        return;
    OpenMapAdjustDialog(dlg, ShowTallOutletMap);
}

INT_PTR OnTallOutletCommand(HWND dlg, ScreenId screen, int id, int notification) {
    const OutletCase outletCase = static_cast<OutletCase>(screen);
    if (id == IDC_MEASURED_INDEX) {
        MeasuredIndexEdited(dlg, outletCase, notification);
        return TRUE;
    }
    if (IsInputField(screen, id)) {
        if (notification == EN_CHANGE)
            CancelHeightSearch(dlg);
        TallFieldEdited(dlg, id);
        ShowArrowPointer();
        return TRUE;
    }
    switch (id) {
    case IDC_TALL_DRY_RADIO:
    case IDC_TALL_WET_RADIO:
        if (screen == CaseC)
            OnCaseCFlow(dlg, id);
        else
            OnCaseDAlternative(dlg, id);
        return TRUE;
    case IDC_TALL_VELOCITY_RADIO:
    case IDC_TALL_DIAMETER_RADIO:
    case IDC_TALL_AREA_RADIO:
    case IDC_TALL_UPWARD:
    case IDC_TALL_DOWNWARD:
        if (screen == CaseD) {
            OnCaseDAlternative(dlg, id);
            return TRUE;
        }
        break;
    case IDC_CALCULATE: OnCalculate(dlg, screen); return TRUE;
    case IDC_RESET: OnReset(dlg); return TRUE;
    case IDC_BACK_TO_MENU: OnBackToMenu(dlg, screen); return TRUE;
    case IDC_PRINT: OnPrint(dlg, screen); return TRUE;
    case IDC_MAP_ADJUST: OnMapAdjust(dlg); return TRUE;
    case IDC_SOLVE_HEIGHT: OnSolveHeight(dlg, outletCase); return TRUE;
    case IDCANCEL:
    case IDM_EXIT:
        CancelHeightSearch(dlg);
        ConfirmExit(dlg);
        return TRUE;
    }
    if (!ClickTermLabel(LabelsOf(screen), id))
        MenuCommand(id);
    return TRUE;
}

bool IsGrey(ScreenId screen, int id) {
    const OutletInputs &in = gOutletInputs;
    if (screen == CaseD && id == IDC_D_LABEL_TEMPERATURE)
        return in.tall.outletDirection != DirectionUpward;
    if (screen == CaseC && id == IDC_TALL_LABEL_MOISTURE)
        return in.flowMode == FlowDry;
    return false;
}

void PaintTwoLineLabel(const DRAWITEMSTRUCT &item, COLORREF colour) {
    const TermLabelLine lines[] = {{"周辺最大建物と敷地境界との", 0, 0},
                                   {"最短距離", ScaleToLayout(item.hwndItem, kSecondLineRight),
                                    ScaleToLayout(item.hwndItem, kSecondLineDown)}};
    PaintTermLabelLines(item, colour, lines, 2);
}

void DrawTallOutletItem(ScreenId screen, const DRAWITEMSTRUCT &item) {
    const TermLabels &labels = LabelsOf(screen);
    const int id = static_cast<int>(item.CtlID);
    const bool boundaryMark =
        id == (screen == CaseC ? IDC_C_BOUNDARY_MARKER : IDC_D_BOUNDARY_MARKER);
    const bool landingMark = id == (screen == CaseC ? IDC_C_LANDING_MARKER : IDC_D_LANDING_MARKER);
    COLORREF colour = TermLabelColour(labels, id);
    if (boundaryMark)
        colour = kBoundaryMarkColour;
    else if (landingMark)
        colour = kLandingMarkColour;
    else if (IsGrey(screen, id))
        colour = kGrey;
    if (id == IDC_TALL_LABEL_BUILDING_DISTANCE)
        PaintTwoLineLabel(item, colour);
    else
        PaintTermLabel(item, colour);
    ShowTermAdvice(labels);
}

// Laid out again for a new scale (app/dpi.cpp): the map drawn for the new size of its
// control.
void RescaleTallOutletScreen(HWND dlg) {
    FitScreenMap(dlg, IDC_MAP);
    ShowTallOutletMap(dlg);
}

INT_PTR TallOutletProc(ScreenId screen, HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: InitTallOutletScreen(dlg, screen); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_SETCURSOR:
        UpdateTermLabelHover(LabelsOf(screen), reinterpret_cast<HWND>(wParam));
        ShowArrowPointer();
        CursorReadout(dlg);
        // The screen alone decides the pointer shape.
        SetWindowLongPtrA(dlg, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DRAWITEM:
        DrawTallOutletItem(screen, *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND: return OnTallOutletCommand(dlg, screen, LOWORD(wParam), HIWORD(wParam));
    case kHeightSearchDoneMessage: HeightSearchDone(dlg, wParam); return TRUE;
    case WM_DESTROY: CancelHeightSearch(dlg); return FALSE;
    case WM_DPICHANGED: RescaleTallOutletScreen(dlg); return TRUE;
    }
    return FALSE;
}

} // namespace

void RefreshTallOutletScreen(HWND dlg) {
    OutletInputs &in = gOutletInputs;
    const ScreenId screen = CaseOf(dlg);
    const MapLabelIds labels = MapLabelIdsOf(dlg);
    for (int id : {IDC_OUTLET_INDEX, IDC_RATE_MANTISSA, IDC_RATE_EXPONENT, IDC_DRY_FLOW_SHOWN,
                   labels.colourTop, labels.colourMiddle, labels.colourBottom})
        SetDlgItemTextA(dlg, id, "");
    SetDlgItemTextA(dlg, IDC_HEIGHT_AXIS, "m");
    SetDlgItemTextA(dlg, IDC_DISTANCE_AXIS, "風下距離　　");
    if (screen == CaseC) {
        in.sizeMode = SizeByDiameter;
        in.tall.outletDiameter = 0.9;
        SetCaseCFlow(dlg, in.flowMode == FlowVelocity ? FlowDry : in.flowMode);
        in.tall.gasTemperature = 15.0;
        in.tall.outletDirection = DirectionNotChosen;
    } else {
        Check(dlg, IDC_TALL_UPWARD, in.tall.outletDirection == DirectionUpward);
        Check(dlg, IDC_TALL_DOWNWARD, in.tall.outletDirection == DirectionOther);
        SetCaseDFlow(dlg);
    }
    for (const FieldControl &control : FieldControls()) {
        const auto text = FieldRowOf(control.field).tall.text;
        if (control.ids[screen] != 0 && text != nullptr)
            SetDlgItemTextA(dlg, control.ids[screen], in.*text);
    }
    const bool result = HasResult(gOutletResults.tall);
    Enable(dlg, {IDC_PRINT, IDC_MAP_ADJUST}, result);
    BlankScreenMap(in, gOutletResults.tall);
    ShowScreenMap(dlg, IDC_MAP);
    ClearCursorReadout(dlg);
    for (int id : {IDC_LANDING_DISTANCE, IDC_BOUNDARY_DISTANCE,
                   screen == CaseC ? IDC_C_LANDING_DILUTION : IDC_D_LANDING_DILUTION})
        SetDlgItemTextA(dlg, id, "");
    FillVerdictRows(dlg, static_cast<OutletCase>(screen));
}

INT_PTR CALLBACK CaseCScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    return TallOutletProc(CaseC, dlg, msg, wParam, lParam);
}

INT_PTR CALLBACK CaseDScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    return TallOutletProc(CaseD, dlg, msg, wParam, lParam);
}
