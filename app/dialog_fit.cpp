#include "app/dialog_fit.h"

#include "app/dpi.h"
#include "app/shell.h"

#include <algorithm>
#include <cstring>

namespace {

// The bytes of the extended template before its menu: version, signature, help id, extended
// style, style, item count and the four coordinates.
constexpr size_t kFixedHeader = 26;

DWORD ReadDword(const std::vector<BYTE> &b, size_t at) {
    DWORD value;
    std::memcpy(&value, b.data() + at, sizeof value);
    return value;
}

WORD ReadWord(const std::vector<BYTE> &b, size_t at) {
    WORD value;
    std::memcpy(&value, b.data() + at, sizeof value);
    return value;
}

// The offset after a name-or-ordinal field (menu, class); 0 past the end.
size_t SkipNameOrOrdinal(const std::vector<BYTE> &b, size_t at) {
    if (at + 2 > b.size())
        return 0;
    const WORD first = ReadWord(b, at);
    if (first == 0)
        return at + 2;
    if (first == 0xFFFF)
        return at + 4 <= b.size() ? at + 4 : 0;
    while (at + 2 <= b.size() && ReadWord(b, at) != 0)
        at += 2;
    return at + 2 <= b.size() ? at + 2 : 0;
}

DWORD StyleOf(const DialogTemplate &t) {
    return ReadDword(t.bytes, 12);
}

DWORD ExtendedStyleOf(const DialogTemplate &t) {
    // The dialog manager gives a modal frame its extended style before it sizes the window.
    DWORD extended = ReadDword(t.bytes, 8);
    if (StyleOf(t) & DS_MODALFRAME)
        extended |= WS_EX_DLGMODALFRAME;
    return extended;
}

int SmallestPoints(const DialogTemplate &t, int dpi) {
    const int smallest = (kSmallestPointsTimesDpi + dpi - 1) / dpi;
    return smallest < t.points ? smallest : t.points;
}

bool Fits(SIZE size, SIZE area) {
    return size.cx <= area.cx && size.cy <= area.cy;
}

// The template of `templateId` at the font size that fits the monitor of `beside`; the
// template as it is when it cannot be read. The window made from it is laid out at the scale
// its font makes: the monitor's DPI times the font's share of the template's.
DialogTemplate FittedTemplate(int templateId, HWND beside) {
    DialogTemplate t;
    const int dpi = WindowDpi(beside);
    if (!LoadDialogTemplate(templateId, &t) || t.pointsAt == 0) {
        SetNextLayoutDpi(dpi);
        return t;
    }
    const RECT work = WorkAreaOf(beside);
    const SIZE area{work.right - work.left, work.bottom - work.top};
    const WORD points = static_cast<WORD>(FittingPoints(t, dpi, area));
    std::memcpy(t.bytes.data() + t.pointsAt, &points, sizeof points);
    SetNextLayoutDpi(MulDiv(dpi, points, t.points));
    return t;
}

} // namespace

bool LoadDialogTemplate(int templateId, DialogTemplate *out) {
    HRSRC found = FindResourceA(gShell.instance, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found != nullptr ? LoadResource(gShell.instance, found) : nullptr;
    const void *data = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = found != nullptr ? SizeofResource(gShell.instance, found) : 0;
    if (data == nullptr || size < kFixedHeader + 6)
        return false;
    DialogTemplate t;
    const auto *first = static_cast<const BYTE *>(data);
    t.bytes.assign(first, first + size);
    if (ReadWord(t.bytes, 0) != 1 || ReadWord(t.bytes, 2) != 0xFFFF)
        return false;
    t.hasMenu = ReadWord(t.bytes, kFixedHeader) != 0;
    size_t at = SkipNameOrOrdinal(t.bytes, kFixedHeader);
    at = at != 0 ? SkipNameOrOrdinal(t.bytes, at) : 0; // the class
    at = at != 0 ? SkipNameOrOrdinal(t.bytes, at) : 0; // the caption: a name without ordinal
    if (at == 0)
        return false;
    if ((StyleOf(t) & DS_SETFONT) && at + 6 <= t.bytes.size()) {
        t.pointsAt = at;
        t.points = ReadWord(t.bytes, at);
        t.charset = t.bytes[at + 5];
        size_t faceAt = at + 6;
        for (int i = 0; i + 1 < LF_FACESIZE && faceAt + 2 <= t.bytes.size(); ++i, faceAt += 2) {
            const wchar_t c = static_cast<wchar_t>(ReadWord(t.bytes, faceAt));
            if (c == 0)
                break;
            t.face[i] = c;
            t.face[i + 1] = 0;
        }
    }
    *out = std::move(t);
    return true;
}

SIZE DialogWindowSize(const DialogTemplate &t, int points, int dpi) {
    const short width = static_cast<short>(ReadWord(t.bytes, 22));
    const short height = static_cast<short>(ReadWord(t.bytes, 24));
    // The dialog manager's base units: the font's height, and the average width of the
    // Latin letters, rounded as it rounds them.
    int baseX = LOWORD(GetDialogBaseUnits());
    int baseY = HIWORD(GetDialogBaseUnits());
    if (t.pointsAt != 0) {
        HFONT font = CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE,
                                 FALSE, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE, t.face);
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE letters{};
        TEXTMETRICW metrics{};
        if (GetTextExtentPoint32W(dc, kLetters, 52, &letters) && GetTextMetricsW(dc, &metrics)) {
            baseX = (letters.cx / 26 + 1) / 2;
            baseY = metrics.tmHeight;
        }
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        DeleteObject(font);
    }
    RECT r{0, 0, MulDiv(width, baseX, 4), MulDiv(height, baseY, 8)};
    AdjustWindowRectEx(&r, StyleOf(t), t.hasMenu, ExtendedStyleOf(t));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

int FittingPoints(const DialogTemplate &t, int dpi, SIZE workArea) {
    const int smallest = SmallestPoints(t, dpi);
    for (int points = t.points; points > smallest; --points)
        if (Fits(DialogWindowSize(t, points, dpi), workArea))
            return points;
    return smallest;
}

RECT WorkAreaOf(HWND window) {
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    const bool known = monitor != nullptr && GetMonitorInfoA(monitor, &info);
    // The primary monitor's work area as the system keeps it: Wine's monitor information does
    // not follow a work area set with SPI_SETWORKAREA, Windows' is the same.
    RECT work{};
    if ((!known || (info.dwFlags & MONITORINFOF_PRIMARY)) &&
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left)
        return work;
    return info.rcWork;
}

void KeepInWorkArea(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return;
    const RECT work = WorkAreaOf(window);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    POINT at{work.left, work.top};
    if (width <= work.right - work.left && height <= work.bottom - work.top) {
        at.x = std::clamp<int>(r.left, work.left, work.right - width);
        at.y = std::clamp<int>(r.top, work.top, work.bottom - height);
    }
    if (at.x != r.left || at.y != r.top)
        SetWindowPos(window, nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

HWND CreateFittedDialog(int templateId, HWND owner, HWND beside, DLGPROC procedure, LPARAM param) {
    const DialogTemplate t = FittedTemplate(templateId, beside != nullptr ? beside : owner);
    if (t.bytes.empty()) {
        SetNextLayoutDpi(0);
        return nullptr; // the program's own template is missing: nothing to show
    }
    HWND window = CreateDialogIndirectParamA(gShell.instance,
                                             reinterpret_cast<LPCDLGTEMPLATEA>(t.bytes.data()),
                                             owner, procedure, param);
    if (window != nullptr) {
        BeginDpiLayout(window, templateId);
        KeepInWorkArea(window);
    }
    SetNextLayoutDpi(0);
    return window;
}

INT_PTR FittedDialogBox(int templateId, HWND owner, DLGPROC procedure, LPARAM param) {
    const DialogTemplate t = FittedTemplate(templateId, owner);
    if (t.bytes.empty()) {
        SetNextLayoutDpi(0);
        return -1; // as DialogBoxParamA answers a missing template
    }
    const INT_PTR result =
        DialogBoxIndirectParamA(gShell.instance, reinterpret_cast<LPCDLGTEMPLATEA>(t.bytes.data()),
                                owner, procedure, param);
    SetNextLayoutDpi(0);
    return result;
}
