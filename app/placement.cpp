#include "app/shell.h"
#include "app/placement.h"

#include "app/dialog_fit.h"

void PlaceScreen(HWND screen) {
    WindowOffset &offset = gShell.windowOffset;
    RECT r;
    GetWindowRect(screen, &r);
    SetWindowPos(screen, nullptr, r.left + offset.dx, r.top + offset.dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    KeepInWorkArea(screen);
    GetWindowRect(screen, &r);
    offset.baseLeft = r.left;
    offset.baseTop = r.top;
}

void LeaveScreen(HWND screen) {
    WindowOffset &offset = gShell.windowOffset;
    RECT r;
    GetWindowRect(screen, &r);
    offset.dx += r.left - offset.baseLeft;
    offset.dy += r.top - offset.baseTop;
}
