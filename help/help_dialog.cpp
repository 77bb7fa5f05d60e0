#include "help/help_dialog.h"

#include "help/help_topics.h"
#include "app/dpi.h"
#include "app/pictures.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "text/text_helpers.h"
#include "resources/resource.h"

#include <cstring>

namespace {

// A digit goes after an "m" that a blank follows or that ends the line.
bool TakesRaisedDigit(const char *text, size_t at) {
    return text[at] == 'm' && (text[at + 1] == ' ' || text[at + 1] == '\0');
}

// The line is one line of text drawn from its left edge, so the digit's place is the
// width of the text up to and including its "m". Measuring with the font the dialog
// really got keeps the digit in place whatever font stands in for the dialog font.
void PlaceLineDigits(HWND dlg, HWND line, int firstDigit) {
    char text[256];
    GetWindowTextA(line, text, sizeof text);
    HDC dc = GetDC(line);
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(line, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    RECT lineRect;
    GetWindowRect(line, &lineRect);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT *>(&lineRect), 2);

    int digitId = firstDigit;
    for (size_t i = 0; text[i] != '\0' && digitId < firstDigit + 2; ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
            if (text[++i] == '\0')
                break;
            continue;
        }
        if (!TakesRaisedDigit(text, i))
            continue;
        HWND digit = GetDlgItem(dlg, digitId++);
        if (digit == nullptr)
            break;
        char digitText[8];
        GetWindowTextA(digit, digitText, sizeof digitText);
        SIZE before, digitSize;
        GetTextExtentPoint32A(dc, text, static_cast<int>(i + 1), &before);
        GetTextExtentPoint32A(dc, digitText, static_cast<int>(std::strlen(digitText)), &digitSize);
        // A third of a line up: clear of the "m", still inside the line spacing.
        SetWindowPos(digit, nullptr, lineRect.left + before.cx, lineRect.top - metrics.tmHeight / 3,
                     digitSize.cx, metrics.tmHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(line, dc);
}

void InitHelpDialog(HWND dlg) {
    SetProgramIcon(dlg);
    ShowPicturesForDpi(dlg, LayoutDpi(dlg));
    PlaceRaisedDigits(dlg);
    SetFocus(GetDlgItem(dlg, IDOK));
    if (gOpeningTopic >= 0 && gOpeningTopic < kHelpTopicCount)
        gHelpWindows[gOpeningTopic] = dlg;
}

void CloseHelpDialog(HWND dlg) {
    ForgetHelpWindow(dlg);
    BringToFront(FocusReturnTarget());
    DestroyWindow(dlg);
}

} // namespace

void PlaceRaisedDigits(HWND dlg) {
    for (int id = IDC_RAISED_LINE_FIRST; id <= IDC_RAISED_LINE_LAST; id += IDC_RAISED_LINE_STEP)
        if (HWND line = GetDlgItem(dlg, id))
            PlaceLineDigits(dlg, line, id + 1);
}

void ForgetHelpWindow(HWND dlg) {
    for (HWND &window : gHelpWindows)
        if (window == dlg)
            window = nullptr;
}

INT_PTR CALLBACK HelpDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitHelpDialog(dlg); return FALSE; // the focus is set on OK
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_DESTROY: ForgetHelpWindow(dlg); return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: CloseHelpDialog(dlg); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
