#pragma once
#include <windows.h>

// Where a screen appears: centred on the desktop, then moved by the displacement the user gave
// the screen before it, so a moved screen's successor appears at the same place.
void PlaceScreen(HWND screen);
// Keeps the leaving screen's displacement for its successor.
void LeaveScreen(HWND screen);
