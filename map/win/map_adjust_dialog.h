#pragma once
#include <windows.h>

// The map-adjustment dialog of the tall-outlet screens: the map's downwind range, display
// height and colour limits, changed while the map follows every valid keystroke. Modeless,
// at most one, owned by the screen, which stays disabled until the dialog ends.

// Whatever shows a screen's map and the labels beside it after the map was redrawn (the
// results display lives above the map in the program's layers, so the screen hands it over).
using ShowScreenResults = void (*)(HWND screen);

// Disables the screen and opens the dialog over it, or brings the open one to the front.
// Returns the dialog; nullptr when it could not be made, and then the screen is enabled
// again.
HWND OpenMapAdjustDialog(HWND screen, ShowScreenResults showResults);

// Builds the map from the dilution grid and the map settings, colours and marks it, puts it
// on the current screen with the labels beside it.
void RedrawMap();

INT_PTR CALLBACK MapAdjustDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
