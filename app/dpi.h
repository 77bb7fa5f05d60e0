#pragma once
#include <windows.h>

// The scale of a window's monitor. Windows 10's per-monitor functions are looked up at run
// time: the program must still load on systems and Wine versions whose user32 lacks them.

constexpr int kBaseDpi = 96;

// The dots per inch a window is drawn at: the window's own where Windows tells it, else the
// screen's (system awareness), else 96.
int WindowDpi(HWND window);

// A length of the 96-dpi layout in pixels at dpi, rounded to the nearest pixel.
int ScaleToDpi(int pixels96, int dpi);
