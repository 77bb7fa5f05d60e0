#include "map/win/map_display.h"

#include "app/current_outlet.h"
#include "app/dpi.h"
#include "app/platform_hooks.h"
#include "app/shell.h"
#include "app/shown_map.h"
#include "app/window_helpers.h"
#include "map/screen_image.h"
#include "model/result_texts.h"
#include "resources/resource.h"

namespace {

HBITMAP gScreenBitmap = nullptr;

HDC OpenDisplayDc() {
    return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
}

HBITMAP CreateDibBitmap(HDC dc, const BITMAPINFOHEADER *header, const void *pixels,
                        const BITMAPINFO *info) {
    return CreateDIBitmap(dc, header, CBM_INIT, pixels, info, DIB_RGB_COLORS);
}

BOOL DeleteBitmapObject(HBITMAP bitmap) {
    return DeleteObject(bitmap);
}

} // namespace

MapGdi gMapGdi = {OpenDisplayDc, DeleteDC, CreateDibBitmap, DeleteBitmapObject};

void RestoreMapGdi() {
    gMapGdi = {OpenDisplayDc, DeleteDC, CreateDibBitmap, DeleteBitmapObject};
}

HBITMAP CreateScreenBitmap(int width, int rows, const unsigned char *pixels) {
    HDC display = gMapGdi.openDisplay();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = rows; // positive: bottom-up, as the map image is
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = display != nullptr
                         ? gMapGdi.createBitmap(display, &info.bmiHeader, pixels, &info)
                         : nullptr;
    if (display != nullptr)
        gMapGdi.closeDisplay(display);
    if (bitmap == nullptr)
        gExitProcess(0);
    return bitmap;
}

void ShowMapImage(HWND screen, int controlId, int width, int rows,
                  const std::vector<unsigned char> &pixels) {
    HWND control = GetDlgItem(screen, controlId);
    if (control == nullptr) {
        FaultBeep(50);
        gExitProcess(0);
        return;
    }
    const std::vector<unsigned char> shown =
        ResampleImage(width, rows, 3, pixels.data(), pixels.size(), width, rows);
    if (shown.empty())
        return;
    HBITMAP bitmap = CreateScreenBitmap(width, rows, shown.data());
    if (bitmap == nullptr)
        return;
    // The control gets the new bitmap before the old one goes, so it never paints a
    // deleted one.
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    if (gScreenBitmap != nullptr)
        gMapGdi.deleteBitmap(gScreenBitmap);
    gScreenBitmap = bitmap;
    InvalidateRect(control, nullptr, FALSE);
}

void FitScreenMap(HWND screen, int controlId) {
    HWND control = GetDlgItem(screen, controlId);
    if (control == nullptr)
        return;
    SetWindowPos(control, nullptr, 0, 0, ScaleToLayout(screen, kMapWidth),
                 ScaleToLayout(screen, kMapImageRows), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    gShownMapGeometry = MapControlGeometry(control);
    // The distance axis ends where the map ends, whatever the font made of the layout.
    HWND axis = GetDlgItem(screen, IDC_DISTANCE_AXIS);
    RECT map, label;
    if (axis != nullptr && GetWindowRect(control, &map) && GetWindowRect(axis, &label)) {
        MapWindowPoints(nullptr, screen, reinterpret_cast<POINT *>(&map), 2);
        MapWindowPoints(nullptr, screen, reinterpret_cast<POINT *>(&label), 2);
        SetWindowPos(axis, nullptr, map.right - (label.right - label.left), label.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

MapGeometry MapControlGeometry(HWND control) {
    RECT client = {};
    GetClientRect(control, &client);
    return MapGeometryOfPicture(client.right, client.bottom);
}

void ShowScreenMap(HWND screen, int controlId) {
    const MapGeometry &g = gShownMapGeometry;
    ShowMapImage(screen, controlId, g.width, g.height + g.stripRows, gMapImage);
}

HBITMAP ScreenBitmap() {
    return gScreenBitmap;
}

MapLabelIds MapLabelIdsOf(HWND screen) {
    // Only the case D screen has the exit-velocity field.
    if (GetDlgItem(screen, IDC_TALL_VELOCITY) != nullptr)
        return {IDC_D_COLOUR_TOP, IDC_D_COLOUR_MIDDLE, IDC_D_COLOUR_BOTTOM, IDC_HEIGHT_AXIS,
                IDC_DISTANCE_AXIS};
    return {IDC_C_COLOUR_TOP, IDC_C_COLOUR_MIDDLE, IDC_C_COLOUR_BOTTOM, IDC_HEIGHT_AXIS,
            IDC_DISTANCE_AXIS};
}

void UpdateMapLabels() {
    HWND screen = gShell.screenWindows[gShell.currentScreen];
    if (screen == nullptr)
        return;
    const bool exists = HasResult(gOutletResults.tall);
    const MapLabelTexts texts = FormatMapLabels(gMapSettings, exists, true);
    const MapLabelIds ids = MapLabelIdsOf(screen);
    SetDlgItemTextA(screen, ids.colourTop, texts.colourTop.c_str());
    SetDlgItemTextA(screen, ids.colourMiddle, texts.colourMiddle.c_str());
    SetDlgItemTextA(screen, ids.colourBottom, texts.colourBottom.c_str());
    SetDlgItemTextA(screen, ids.heightAxis, texts.heightAxis.c_str());
    SetDlgItemTextA(screen, ids.distanceAxis, texts.distanceAxis.c_str());
    BringToFront(screen);
}
