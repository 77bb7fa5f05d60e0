#include "app/shell.h"
#include "app/window_helpers.h"
#include "resources/resource.h"

#include <imm.h>

void BringToFront(HWND window) {
    // Windows refuses to hand the foreground to a window whose thread does not share input
    // with the present foreground window.
    DWORD own = GetWindowThreadProcessId(window, nullptr);
    DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    bool attach = foreground != 0 && foreground != own;
    if (attach)
        AttachThreadInput(own, foreground, TRUE);
    SetForegroundWindow(window);
    if (attach)
        AttachThreadInput(own, foreground, FALSE);
}

void SetProgramIcon(HWND window) {
    HICON icon = LoadIconA(gShell.instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void ShowInTaskbar(HWND window) {
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_APPWINDOW);
}

namespace {

void SetImeOpen(HWND window, bool open) {
    HIMC context = ImmGetContext(window);
    if (context == nullptr)
        return;
    if ((ImmGetOpenStatus(context) != FALSE) != open)
        ImmSetOpenStatus(context, open);
    ImmReleaseContext(window, context);
}

} // namespace

void ImeOff(HWND window) {
    SetImeOpen(window, false);
}

void ImeOn(HWND window) {
    SetImeOpen(window, true);
}

std::string WholeFieldText(HWND field, int limit, const char *tooLong) {
    if (GetWindowTextLengthA(field) > limit)
        return tooLong;
    std::string text(static_cast<size_t>(limit) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(field, &text[0], limit + 1)));
    return text;
}
