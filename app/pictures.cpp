#include "app/pictures.h"

#include "app/dpi.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

// The pictures a window shows, drawn at every scale; the grey bar is only printed.
constexpr int kScaledPictures[] = {IDB_DIRECTION,
                                   IDB_REAL_HEIGHT,
                                   IDB_ABOUT,
                                   IDB_COLOUR_BAR,
                                   IDB_START_FIGURE,
                                   IDB_LAYOUT_OUTLET_NEAR,
                                   IDB_LAYOUT_BUILDING_NEAR,
                                   IDB_LOW_FIGURE,
                                   IDB_SIZE_CLASSES,
                                   IDB_READOUT_ARROW,
                                   IDB_HELP_STANDARDS,
                                   IDB_HELP_VELOCITY,
                                   IDB_HELP_DILUTION,
                                   IDB_HELP_DOWNDRAFT,
                                   IDB_HELP_SIZE,
                                   IDB_HELP_BUILDING};
constexpr int kDrawnPercents[] = {100, 125, 150, 200};

// What a picture control shows, kept on the control: the picture's 100 % id and the dpi.
const char kPictureProperty[] = "KamortePicture";
const char kPictureDpiProperty[] = "KamortePictureDpi";
constexpr UINT_PTR kFreeOnDestroy = 1;

bool IsScaledPicture(int id) {
    return std::find(std::begin(kScaledPictures), std::end(kScaledPictures), id) !=
           std::end(kScaledPictures);
}

HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The pixel size of a bitmap resource, from its header alone.
bool ResourceSize(int id, SIZE *size) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void *data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || SizeofResource(module, found) < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    size->cx = header.biWidth;
    size->cy = std::abs(header.biHeight);
    return size->cx > 0 && size->cy > 0;
}

// The drawn scale a window at dpi starts from: the smallest at or above its own, else the
// largest.
int SourcePercent(int id, int dpi) {
    if (!IsScaledPicture(id))
        return 100;
    for (int percent : kDrawnPercents)
        if (dpi * 100 <= percent * kBaseDpi)
            return percent;
    return kDrawnPercents[std::size(kDrawnPercents) - 1];
}

// A new 24-bit bitmap of the source stretched to width x height. Halftoning averages the
// pixels a shrinking drops, so thin lines and small text stay whole instead of losing
// every eighth column.
HBITMAP Resample(HBITMAP source, int width, int height) {
    BITMAP from{};
    GetObjectA(source, sizeof from, &from);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (target == nullptr)
        return nullptr;
    HDC sourceDc = CreateCompatibleDC(nullptr);
    HDC targetDc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSource = SelectObject(sourceDc, source);
    HGDIOBJ oldTarget = SelectObject(targetDc, target);
    SetStretchBltMode(targetDc, HALFTONE);
    // HALFTONE leaves the brush origin undefined until it is set again.
    SetBrushOrgEx(targetDc, 0, 0, nullptr);
    const BOOL drawn = StretchBlt(targetDc, 0, 0, width, height, sourceDc, 0, 0, from.bmWidth,
                                  from.bmHeight, SRCCOPY);
    SelectObject(sourceDc, oldSource);
    SelectObject(targetDc, oldTarget);
    DeleteDC(sourceDc);
    DeleteDC(targetDc);
    if (!drawn) {
        DeleteObject(target);
        return nullptr;
    }
    return target;
}

int PropertyOf(HWND control, const char *name) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(control, name)));
}

// A static control frees only a bitmap it loaded from its template itself, never one it
// was given: the one it holds at the end is freed here.
LRESULT CALLBACK FreePictureOnDestroy(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR) {
    if (msg == WM_DESTROY) {
        auto held = reinterpret_cast<HBITMAP>(
            SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(nullptr)));
        if (held != nullptr)
            DeleteObject(held);
        RemovePropA(control, kPictureProperty);
        RemovePropA(control, kPictureDpiProperty);
        RemoveWindowSubclass(control, FreePictureOnDestroy, id);
    }
    return DefSubclassProc(control, msg, wParam, lParam);
}

void ShowIn(HWND control, int resourceId, int dpi) {
    if (PropertyOf(control, kPictureProperty) == resourceId &&
        PropertyOf(control, kPictureDpiProperty) == dpi)
        return;
    HBITMAP bitmap = LoadPictureForDpi(resourceId, dpi);
    if (bitmap == nullptr)
        return;
    if (GetPropA(control, kPictureProperty) == nullptr)
        SetWindowSubclass(control, FreePictureOnDestroy, kFreeOnDestroy, 0);
    // The control keeps the very bitmap (it copies only 32-bit ones, with common controls
    // 6) and hands back the one it held, the template's included, for the caller to free.
    auto old = reinterpret_cast<HBITMAP>(
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old != nullptr && old != bitmap)
        DeleteObject(old);
    SetPropA(control, kPictureProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(resourceId)));
    SetPropA(control, kPictureDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

bool IsPictureControl(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "Static") == 0 &&
           (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

} // namespace

HBITMAP LoadPictureForDpi(int resourceId, int dpi) {
    SIZE base;
    if (dpi <= 0 || !ResourceSize(resourceId, &base))
        return nullptr;
    const int percent = SourcePercent(resourceId, dpi);
    HBITMAP drawn =
        LoadBitmapResource(percent == 100 ? resourceId : IDB_AT_SCALE(resourceId, percent));
    if (drawn == nullptr)
        return nullptr;
    const int width = std::max(1, ScaleToDpi(base.cx, dpi));
    const int height = std::max(1, ScaleToDpi(base.cy, dpi));
    BITMAP size{};
    GetObjectA(drawn, sizeof size, &size);
    if (size.bmWidth == width && size.bmHeight == height)
        return drawn;
    HBITMAP scaled = Resample(drawn, width, height);
    DeleteObject(drawn);
    return scaled;
}

void ShowPicture(HWND dialog, int controlId, int resourceId, int dpi) {
    if (HWND control = GetDlgItem(dialog, controlId))
        ShowIn(control, resourceId, dpi);
}

void ShowPicturesForDpi(HWND dialog, int dpi) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureControl(child))
            continue;
        int picture = PropertyOf(child, kPictureProperty);
        if (picture == 0) {
            // The template's 100 % picture, which is already right at 96 dpi.
            const int id = GetDlgCtrlID(child);
            if (!IsScaledPicture(id) || dpi == kBaseDpi)
                continue;
            picture = id;
        }
        ShowIn(child, picture, dpi);
    }
}
