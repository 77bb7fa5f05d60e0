#include "app/dpi.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);

GetDpiForWindowFunction DpiForWindowFunction() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return function;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi;
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
