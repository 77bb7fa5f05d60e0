#pragma once
#include <windows.h>

// The screens of outlets of 15 m and more: case C (below 1.5 times the building) and case D
// (at least 1.5 times, with outlet size, direction and temperature). One design, one
// procedure per template.
INT_PTR CALLBACK CaseCScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CaseDScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Puts the records into the controls: the accepted texts, the alternatives, no result.
void RefreshTallOutletScreen(HWND screen);
