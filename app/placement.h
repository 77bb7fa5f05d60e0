#pragma once
#include <windows.h>

// Where a screen appears: centred on the desktop, then moved by the displacement the user gave
// the screen before it, so a moved screen's successor appears at the same place; always whole
// inside the work area of its monitor.
void PlaceScreen(HWND screen);
// Keeps the leaving screen's displacement for its successor.
void LeaveScreen(HWND screen);
