#pragma once
#include <windows.h>

// The results on the right half of the case C and D screens, from the process-wide records:
// every text empty and the map blank while there is no result.
void ShowTallOutletResults(HWND screen);
// The part of them that the map settings change: the map and the labels beside it.
void ShowTallOutletMap(HWND screen);

// The distance, height and dilution degree under the pointer while it is over the map.
// Does nothing without a result, so the last readout stays until the screen is refreshed.
void CursorReadout(HWND screen);
// The same for a pointer position in screen pixels.
void CursorReadoutAt(HWND screen, POINT pointer);

// Empties the three readout texts.
void ClearCursorReadout(HWND screen);
