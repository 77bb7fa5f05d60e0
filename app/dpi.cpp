#include "app/dpi.h"

#include "app/dialog_fit.h"
#include "app/pictures.h"

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
using SetDialogDpiChangeBehaviorFunction = BOOL(WINAPI *)(HWND, int, int);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);

// DIALOG_DPI_CHANGE_BEHAVIORS of Windows 10 1703: no automatic resizing, no new fonts.
constexpr int kDialogDisableAll = 1;
constexpr UINT_PTR kLayoutSubclassId = 0x4B4D;
const char kLayoutProperty[] = "KamorteLayoutDpi";
const char kLayoutRecord[] = "KamorteLayout";
int gNextLayoutDpi = 0;

template <class Function> Function User32Function(const char *name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

GetDpiForWindowFunction DpiForWindowFunction() {
    static const auto function = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    return function;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi;
}

HWND DialogOf(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    return top != nullptr ? top : window;
}

// One control of a dialog template, in dialog units.
struct TemplateItem {
    DWORD style;
    short x, y, cx, cy;
};

// What a relayout needs of a DIALOGEX template: its size, font and controls in order.
struct TemplateLayout {
    DWORD style = 0, exStyle = 0;
    short cx = 0, cy = 0;
    bool hasMenu = false;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

class TemplateReader {
  public:
    TemplateReader(const BYTE *data, size_t size) : data_(data), size_(size) {}
    template <class T> T Read() {
        T value{};
        if (at_ + sizeof(T) <= size_)
            CopyMemory(&value, data_ + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    // A string or an ordinal; true when something other than nothing was there.
    bool SkipNameOrOrdinal() {
        const WORD first = Read<WORD>();
        if (first == 0)
            return false;
        if (first == 0xFFFF) {
            Read<WORD>();
            return true;
        }
        while (Read<WORD>() != 0 && at_ < size_) {
        }
        return true;
    }
    std::wstring ReadString() {
        std::wstring s;
        for (WORD c; (c = Read<WORD>()) != 0 && at_ < size_;)
            s += static_cast<wchar_t>(c);
        return s;
    }
    void AlignToDword() { at_ = (at_ + 3) & ~size_t{3}; }
    void Skip(size_t bytes) { at_ += bytes; }
    bool Ok() const { return at_ <= size_; }

  private:
    const BYTE *data_;
    size_t size_;
    size_t at_ = 0;
};

bool ReadTemplateLayout(int templateId, TemplateLayout *t) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const BYTE *data =
        loaded != nullptr ? static_cast<const BYTE *>(LockResource(loaded)) : nullptr;
    if (data == nullptr)
        return false;
    TemplateReader r(data, SizeofResource(module, found));
    if (r.Read<WORD>() != 1 || r.Read<WORD>() != 0xFFFF)
        return false; // only DIALOGEX templates are the program's
    r.Read<DWORD>();
    t->exStyle = r.Read<DWORD>();
    t->style = r.Read<DWORD>();
    const WORD count = r.Read<WORD>();
    r.Read<short>();
    r.Read<short>();
    t->cx = r.Read<short>();
    t->cy = r.Read<short>();
    t->hasMenu = r.SkipNameOrOrdinal();
    r.SkipNameOrOrdinal();
    r.ReadString();
    if (t->style & DS_SETFONT) {
        t->pointSize = r.Read<WORD>();
        t->weight = r.Read<WORD>();
        t->italic = r.Read<BYTE>();
        t->charset = r.Read<BYTE>();
        t->face = r.ReadString();
    }
    for (WORD i = 0; i < count && r.Ok(); ++i) {
        r.AlignToDword();
        TemplateItem item;
        r.Read<DWORD>();
        r.Read<DWORD>();
        item.style = r.Read<DWORD>();
        item.x = r.Read<short>();
        item.y = r.Read<short>();
        item.cx = r.Read<short>();
        item.cy = r.Read<short>();
        r.Read<DWORD>();
        r.SkipNameOrOrdinal();
        r.SkipNameOrOrdinal();
        r.Skip(r.Read<WORD>());
        t->items.push_back(item);
    }
    return r.Ok() && t->pointSize != 0;
}

// What a dialog laid out again keeps: its template, the font made for the new scale and
// the dialog's base units in that font.
struct Layout {
    int templateId;
    HFONT font = nullptr;
    int baseX = 0, baseY = 0;
};

// The base units the dialog manager takes from a font: the mean width of the alphabet and
// the height of a line.
void BaseUnitsOf(HFONT font, int *baseX, int *baseY) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size;
    GetTextExtentPoint32A(dc, alphabet, 52, &size);
    *baseX = (size.cx / 26 + 1) / 2;
    *baseY = metrics.tmHeight;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

bool IsSizedByPicture(HWND control) {
    char className[16];
    if (GetClassNameA(control, className, sizeof className) == 0 ||
        lstrcmpiA(className, "Static") != 0)
        return false;
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    const LONG_PTR type = style & SS_TYPEMASK;
    return (type == SS_BITMAP || type == SS_ICON) &&
           !(style & (SS_REALSIZECONTROL | SS_CENTERIMAGE));
}

void Relayout(HWND dialog, Layout &layout, int dpi, const RECT *suggested) {
    TemplateLayout t;
    if (!ReadTemplateLayout(layout.templateId, &t))
        return;
    // The font that fits the monitor the window moves to, as a new window there would have.
    int points = t.pointSize;
    DialogTemplate fitted;
    if (LoadDialogTemplate(layout.templateId, &fitted) && fitted.pointsAt != 0) {
        RECT work = WorkAreaOf(dialog);
        if (suggested != nullptr) {
            MONITORINFO info = {sizeof info, {}, {}, 0};
            if (GetMonitorInfoA(MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST), &info) &&
                !(info.dwFlags & MONITORINFOF_PRIMARY))
                work = info.rcWork;
        }
        points = FittingPoints(fitted, dpi, SIZE{work.right - work.left, work.bottom - work.top});
    }
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(points, dpi, 72);
    lf.lfWeight = t.weight;
    lf.lfItalic = t.italic;
    lf.lfCharSet = t.charset;
    lstrcpynW(lf.lfFaceName, t.face.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    if (font == nullptr)
        return;
    BaseUnitsOf(font, &layout.baseX, &layout.baseY);
    // The dialog manager makes the controls in template order, each below the last.
    size_t i = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr && i < t.items.size();
         c = GetWindow(c, GW_HWNDNEXT), ++i) {
        const TemplateItem &item = t.items[i];
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (IsSizedByPicture(c))
            flags |= SWP_NOSIZE; // its picture decides; the dialog shows the one for the scale
        SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowPos(c, nullptr, MulDiv(item.x, layout.baseX, 4), MulDiv(item.y, layout.baseY, 8),
                     MulDiv(item.cx, layout.baseX, 4), MulDiv(item.cy, layout.baseY, 8), flags);
    }
    if (layout.font != nullptr)
        DeleteObject(layout.font);
    layout.font = font;
    SetPropA(dialog, kLayoutProperty,
             reinterpret_cast<HANDLE>(static_cast<INT_PTR>(MulDiv(dpi, points, t.pointSize))));

    RECT frame = {0, 0, MulDiv(t.cx, layout.baseX, 4), MulDiv(t.cy, layout.baseY, 8)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE));
    static const auto forDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    const BOOL menu = GetMenu(dialog) != nullptr;
    if (forDpi != nullptr)
        forDpi(&frame, style, menu, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, style, menu, exStyle);
    RECT now;
    GetWindowRect(dialog, &now);
    const POINT at =
        suggested != nullptr ? POINT{suggested->left, suggested->top} : POINT{now.left, now.top};
    SetWindowPos(dialog, nullptr, at.x, at.y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the caption and the menu keep the size of the window's own scale (Wine, whose
    // windows stay at the system's), the client area comes out otherwise: mended from what
    // the window really has around it.
    RECT client, window;
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &window);
    const int wantWidth = MulDiv(t.cx, layout.baseX, 4), wantHeight = MulDiv(t.cy, layout.baseY, 8);
    if (client.right != wantWidth || client.bottom != wantHeight)
        SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + wantWidth - client.right,
                     window.bottom - window.top + wantHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowPicturesForDpi(dialog, LayoutDpi(dialog));
    InvalidateRect(dialog, nullptr, TRUE);
}

LRESULT CALLBACK LayoutSubclass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
    Layout *layout = reinterpret_cast<Layout *>(data);
    switch (msg) {
    case WM_DPICHANGED:
        Relayout(window, *layout, HIWORD(wParam), reinterpret_cast<const RECT *>(lParam));
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, LayoutSubclass, kLayoutSubclassId);
        RemovePropA(window, kLayoutProperty);
        RemovePropA(window, kLayoutRecord);
        if (layout->font != nullptr)
            DeleteObject(layout->font);
        delete layout;
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

// Kept beside the subclass: the import library of comctl32 lacks GetWindowSubclass.
Layout *LayoutOf(HWND dialog) {
    return static_cast<Layout *>(GetPropA(dialog, kLayoutRecord));
}

} // namespace

int WindowDpi(HWND window) {
    int dpi = 0;
    if (window != nullptr && DpiForWindowFunction() != nullptr)
        dpi = static_cast<int>(DpiForWindowFunction()(window));
    if (dpi <= 0)
        dpi = ScreenDpi();
    return dpi > 0 ? dpi : kBaseDpi;
}

int ScaleToDpi(int pixels96, int dpi) {
    return MulDiv(pixels96, dpi, kBaseDpi);
}

int LayoutDpi(HWND window) {
    HWND dialog = DialogOf(window);
    const int recorded =
        static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(dialog, kLayoutProperty)));
    if (recorded > 0)
        return recorded;
    // A dialog still being made, before BeginDpiLayout.
    return gNextLayoutDpi > 0 ? gNextLayoutDpi : WindowDpi(dialog);
}

void SetNextLayoutDpi(int dpi) {
    gNextLayoutDpi = dpi;
}

int ScaleToLayout(HWND window, int pixels96) {
    return ScaleToDpi(pixels96, LayoutDpi(window));
}

void BeginDpiLayout(HWND dialog, int templateId) {
    if (LayoutOf(dialog) != nullptr)
        return;
    static const auto keepOwnScaling =
        User32Function<SetDialogDpiChangeBehaviorFunction>("SetDialogDpiChangeBehavior");
    if (keepOwnScaling != nullptr)
        keepOwnScaling(dialog, kDialogDisableAll, kDialogDisableAll);
    Layout *layout = new Layout{templateId};
    if (!SetWindowSubclass(dialog, LayoutSubclass, kLayoutSubclassId,
                           reinterpret_cast<DWORD_PTR>(layout))) {
        delete layout;
        return;
    }
    SetPropA(dialog, kLayoutRecord, layout);
    const int dpi = gNextLayoutDpi > 0 ? gNextLayoutDpi : WindowDpi(dialog);
    SetPropA(dialog, kLayoutProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

void LayOutForDpi(HWND dialog, int dpi, const RECT *suggested) {
    RECT proposed;
    if (suggested == nullptr) {
        GetWindowRect(dialog, &proposed);
        suggested = &proposed;
    }
    SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(suggested));
}

void MapLayoutRect(HWND dialog, RECT *rect) {
    const Layout *layout = LayoutOf(dialog);
    if (layout == nullptr || layout->baseX == 0) {
        MapDialogRect(dialog, rect);
        return;
    }
    rect->left = MulDiv(rect->left, layout->baseX, 4);
    rect->right = MulDiv(rect->right, layout->baseX, 4);
    rect->top = MulDiv(rect->top, layout->baseY, 8);
    rect->bottom = MulDiv(rect->bottom, layout->baseY, 8);
}
