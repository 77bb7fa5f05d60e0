#include "app/shell.h"
#include "app/placement.h"

namespace {

// Windows placed partly off the top of the desktop keep their caption reachable.
constexpr int kHighestTop = -10;

} // namespace

void PlaceScreen(HWND screen) {
    WindowOffset &offset = gShell.windowOffset;
    RECT r;
    GetWindowRect(screen, &r);
    int left = r.left + offset.dx;
    int top = r.top + offset.dy;
    if (top < kHighestTop)
        top = kHighestTop;
    SetWindowPos(screen, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
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
