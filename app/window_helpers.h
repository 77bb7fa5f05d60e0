#pragma once
#include <windows.h>

// Small helpers every screen and dialog uses on its own window.

// Brings the window to the foreground, also from a thread that does not own the foreground.
void BringToFront(HWND window);
// Gives an unowned dialog its own button on the taskbar.
void ShowInTaskbar(HWND window);
// The program icon as the window's big icon: every screen and dialog carries it.
void SetProgramIcon(HWND window);
// The input method of the window off (numeric fields) or back on.
void ImeOff(HWND window);
void ImeOn(HWND window);
