#include "map/win/map_adjust_dialog.h"
#include "app/dpi.h"

#include "app/current_outlet.h"
#include "app/dialog_fit.h"
#include "app/field_controls.h"
#include "app/platform_hooks.h"
#include "app/shell.h"
#include "app/shown_map.h"
#include "app/window_helpers.h"
#include "map/map_raster.h"
#include "map/win/map_display.h"
#include "model/map_adjust_form.h"
#include "resources/resource.h"

#include <string>
#include <utility>
#include <vector>

namespace {

// Where the dialog opens, in the screen's dialog units: over the input fields, which cannot
// be used meanwhile, leaving the map and its labels in view.
constexpr int kOverInputsX = 12;
constexpr int kOverInputsY = 60;

ShowScreenResults gShowResults = nullptr;
HWND gFields[kMapAdjustFieldCount];
// Filling the fields and saying a fault both make the fields notify; neither is typing.
bool gFilling = false;
bool gSaying = false;

// The fields of the table's map adjustment rows, with their controls.
struct MapAdjustControl {
    int id;
    MapAdjustField field;
};

std::vector<MapAdjustControl> MapAdjustControls() {
    std::vector<MapAdjustControl> controls;
    for (const FieldRow &row : FieldTable())
        if (row.forms & kMapForm)
            controls.push_back({ControlOf(row.field, kMapAdjustWindow), row.map.field});
    return controls;
}

HWND FieldWindow(MapAdjustField field) {
    return gFields[static_cast<size_t>(field)];
}

// A text set or pasted past the limit is refused as a whole, as a character that can never
// be a number.
std::string FieldText(MapAdjustField field) {
    return ReadFieldText(FieldWindow(field), kMapAdjustWindow, "x");
}

void Say(HWND dlg, MapAdjustField field, const char *message, int beepMilliseconds) {
    gSaying = true;
    SetFocus(FieldWindow(field));
    FaultBeep(beepMilliseconds);
    gMessageBox(dlg, message, kParameterErrorCaption, MB_OK | MB_TASKMODAL);
    gSaying = false;
}

const double *LandingValue() {
    static double value;
    const TallOutletResult &r = gOutletResults.tall;
    if (r.landingRow < 0 || r.landingColumn < 0 || r.landingRow >= kGridRows ||
        r.landingColumn >= kGridColumns)
        return nullptr;
    value = GridCell(gScreenGrid.Cells(), r.landingRow, r.landingColumn);
    return &value;
}

void PlaceOverInputs(HWND dlg) {
    HWND screen = GetWindow(dlg, GW_OWNER);
    if (screen == nullptr)
        return;
    RECT units = {kOverInputsX, kOverInputsY, 0, 0};
    MapLayoutRect(screen, &units);
    POINT at = {units.left, units.top};
    ClientToScreen(screen, &at);
    SetWindowPos(dlg, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitMapAdjust(HWND dlg) {
    gFilling = true;
    PlaceOverInputs(dlg);
    SetProgramIcon(dlg);
    ImeOff(dlg);
    InitialiseMapLimits(gMapSettings, LandingValue());
    const MapFormTexts texts = MapFormTextsOf(gMapSettings);
    LimitFieldTyping(dlg, kMapAdjustWindow);
    for (const MapAdjustControl &c : MapAdjustControls()) {
        gFields[static_cast<size_t>(c.field)] = GetDlgItem(dlg, c.id);
        SetDlgItemTextA(dlg, c.id, texts[c.field].c_str());
    }
    gShell.mapAdjustWindow = dlg;
    gFilling = false;
}

void EndMapAdjust(HWND dlg) {
    HWND screen = GetWindow(dlg, GW_OWNER);
    gShell.mapAdjustWindow = nullptr;
    // The screen must take input again before it can come to the front.
    EnableWindow(screen, TRUE);
    UpdateMapLabels();
    DestroyWindow(dlg);
}

void ForgetMapAdjust(HWND dlg) {
    if (gShell.mapAdjustWindow == dlg)
        gShell.mapAdjustWindow = nullptr;
}

// Every notification of a field checks it quietly, so a valid new value redraws at once. A
// character that can never become a number is said only when the text changed: said on the
// focus coming back after the message, it would come back without end.
void OnFieldCommand(HWND dlg, MapAdjustField field, int code) {
    if (gFilling || gSaying)
        return;
    const MapFieldCheck check =
        CheckMapAdjustField(field, FieldText(field).c_str(), MapCheckMode::Quiet, gMapSettings);
    if (check.stored)
        RedrawMap();
    if (check.message != nullptr && code == EN_CHANGE)
        Say(dlg, field, check.message, 40);
}

void OnMapAdjustOk(HWND dlg) {
    MapFormTexts form;
    for (const MapAdjustControl &c : MapAdjustControls())
        form[c.field] = FieldText(c.field);
    const MapVerdict verdict = ValidateMapAdjustForm(form, gMapSettings);
    if (!verdict.accepted.empty())
        RedrawMap();
    if (verdict.verdict == Verdict::Refuse) {
        Say(dlg, verdict.field, verdict.message, verdict.beepMilliseconds);
        return;
    }
    EndMapAdjust(dlg);
}

INT_PTR OnMapAdjustCommand(HWND dlg, int id, int code) {
    switch (id) {
    case IDOK: OnMapAdjustOk(dlg); return TRUE;
    case IDCANCEL: EndMapAdjust(dlg); return TRUE; // Esc: as the close box
    }
    Field field;
    if (FieldOfControl(kMapAdjustWindow, id, &field)) {
        OnFieldCommand(dlg, FieldRowOf(field).map.field, code);
        return TRUE;
    }
    return FALSE;
}

} // namespace

void RedrawMap() {
    // Refused memory leaves the map as it was; the settings still hold what was typed.
    std::vector<unsigned char> picture = ScreenMapPicture(gOutletInputs, gOutletResults.tall);
    if (picture.empty())
        return;
    gMapImage = std::move(picture);
    HWND screen = gShell.screenWindows[gShell.currentScreen];
    if (screen == nullptr)
        return;
    // The screen puts the map on screen itself, with its labels; showing it here as well
    // would resample and convert the same picture twice on every keystroke. The rest of the
    // results does not depend on the map settings, and the screen is disabled meanwhile.
    if (gShowResults != nullptr)
        gShowResults(screen);
    else
        ShowScreenMap(screen, IDC_MAP);
}

HWND OpenMapAdjustDialog(HWND screen, ShowScreenResults showResults) {
    gShowResults = showResults;
    EnableWindow(screen, FALSE);
    if (gShell.mapAdjustWindow != nullptr) {
        BringToFront(gShell.mapAdjustWindow);
        return gShell.mapAdjustWindow;
    }
    HWND dlg = CreateFittedDialog(IDD_MAP_ADJUST, screen, screen, MapAdjustDialogProc, 0);
    if (dlg == nullptr) {
        // Nothing would ever enable the screen again.
        EnableWindow(screen, TRUE);
        return nullptr;
    }
    ShowWindow(dlg, SW_SHOWNORMAL);
    return dlg;
}

INT_PTR CALLBACK MapAdjustDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitMapAdjust(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_CLOSE: EndMapAdjust(dlg); return TRUE;
    case WM_DESTROY: ForgetMapAdjust(dlg); return FALSE;
    case WM_COMMAND: return OnMapAdjustCommand(dlg, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
