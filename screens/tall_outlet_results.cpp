#include "screens/tall_outlet_results.h"

#include "app/current_outlet.h"
#include "app/screen_common.h"
#include "app/shown_map.h"
#include "map/map_raster.h"
#include "map/win/map_display.h"
#include "model/result_texts.h"
#include "resources/resource.h"
#include "screens/verdict_rows.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsCaseD(HWND screen) {
    return GetDlgItem(screen, IDC_TALL_VELOCITY) != nullptr;
}

int LandingDilutionId(HWND screen) {
    return IsCaseD(screen) ? IDC_D_LANDING_DILUTION : IDC_C_LANDING_DILUTION;
}

void SetText(HWND screen, int id, const std::string &text) {
    SetDlgItemTextA(screen, id, text.c_str());
}

// The grid cell under a map pixel: the shown cells spread across the map's pixels, within
// both the shown part and the grid.
int ShownCell(int pixel, int mapPixels, int shownCells, int gridCells) {
    const int cell = static_cast<int>(static_cast<float>(shownCells) * static_cast<float>(pixel) /
                                      static_cast<float>(mapPixels - 1));
    return std::max(std::min({cell, shownCells - 1, gridCells - 1}), 0);
}

// Setting a static's text repaints it even when the text is the same; a keystroke in the
// map adjustment changes few of the labels.
void SetChangedText(HWND screen, int id, const std::string &text) {
    char shown[64];
    if (GetDlgItemTextA(screen, id, shown, sizeof shown) < static_cast<UINT>(sizeof shown - 1) &&
        text == shown)
        return;
    SetText(screen, id, text);
}

} // namespace

void ShowTallOutletMap(HWND screen) {
    const OutletInputs &in = gOutletInputs;
    const bool exists = HasResult(gOutletResults.tall);
    if (!exists || gMapImage.empty())
        BlankScreenMap(in, gOutletResults.tall);
    else if (gMapImage.size() != MapPictureBytes(gShownMapGeometry))
        gMapImage = ScreenMapPicture(in, gOutletResults.tall); // the screen's scale changed
    ShowScreenMap(screen, IDC_MAP);

    const MapLabelTexts labels = FormatMapLabels(gMapSettings, exists);
    const MapLabelIds ids = MapLabelIdsOf(screen);
    SetChangedText(screen, ids.colourTop, labels.colourTop);
    SetChangedText(screen, ids.colourMiddle, labels.colourMiddle);
    SetChangedText(screen, ids.colourBottom, labels.colourBottom);
    SetChangedText(screen, ids.heightAxis, labels.heightAxis);
    SetChangedText(screen, ids.distanceAxis, labels.distanceAxis);
}

void ShowTallOutletResults(HWND screen) {
    const OutletInputs &in = gOutletInputs;
    const bool exists = HasResult(gOutletResults.tall);
    const TallResultTexts texts = FormatTallResults(in, gOutletResults.tall, gScreenGrid.Cells());
    SetText(screen, IDC_OUTLET_INDEX, texts.outletIndex);
    SetText(screen, IDC_RATE_MANTISSA, texts.rateMantissa);
    SetText(screen, IDC_RATE_EXPONENT, texts.rateExponent);
    SetText(screen, IDC_DRY_FLOW_SHOWN, texts.dryFlow);
    ShowTallOutletMap(screen);
    EnableWindow(GetDlgItem(screen, IDC_PRINT), exists);
    EnableWindow(GetDlgItem(screen, IDC_MAP_ADJUST), exists);
    SetText(screen, IDC_LANDING_DISTANCE, texts.landingDistance);
    SetText(screen, LandingDilutionId(screen), texts.landingDilution);
    SetText(screen, IDC_BOUNDARY_DISTANCE, texts.boundary);
    ShowVerdictRows(screen, IsCaseD(screen) ? CaseD : CaseC);
}

void ClearCursorReadout(HWND screen) {
    SetDlgItemTextA(screen, IDC_READOUT_DISTANCE, "");
    SetDlgItemTextA(screen, IDC_READOUT_HEIGHT, "");
    SetDlgItemTextA(screen, IDC_READOUT_DILUTION, "");
}

void CursorReadoutAt(HWND screen, POINT pointer) {
    if (!HasResult(gOutletResults.tall))
        return;
    HWND control = GetDlgItem(screen, IDC_MAP);
    if (control == nullptr || !ScreenToClient(control, &pointer))
        return;
    // The picture as the control shows it, at the scale of the screen.
    const MapGeometry g = MapControlGeometry(control);
    const int x = pointer.x;
    // The strip under the map carries the boundary marker; y counts map rows upward.
    const int y = g.height + g.stripRows - 1 - pointer.y - g.stripRows;
    if (x < 0 || x >= g.width || y < 0 || y >= g.height) {
        ClearCursorReadout(screen);
        return;
    }
    const MapSettings &s = gMapSettings;
    const int row = ShownCell(x, g.width, s.downwindRange, kGridRows);
    const int column = ShownCell(y, g.height, s.displayHeight, kGridColumns);
    char text[32];
    std::snprintf(text, sizeof text, "%5d", row + 1);
    SetDlgItemTextA(screen, IDC_READOUT_DISTANCE, text);
    std::snprintf(text, sizeof text, "%d", column + 1);
    SetDlgItemTextA(screen, IDC_READOUT_HEIGHT, text);
    const double v = GridCell(gScreenGrid.Cells(), row, column);
    if (v >= 0 && v < kNoPlumeThreshold)
        std::snprintf(text, sizeof text, "%.1f", v);
    else
        std::snprintf(text, sizeof text, "%s", "∞"); // no plume at that point
    SetDlgItemTextA(screen, IDC_READOUT_DILUTION, text);
    ShowArrowPointer();
}

void CursorReadout(HWND screen) {
    POINT pointer;
    if (GetCursorPos(&pointer))
        CursorReadoutAt(screen, pointer);
}
