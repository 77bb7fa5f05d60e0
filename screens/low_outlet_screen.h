#pragma once
#include <windows.h>

// The screens of outlets below 15 m: case A (below 6.7 m) and case B (6.7 m up to below
// 15 m, with the building height). One design, one procedure per template.
INT_PTR CALLBACK CaseAScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CaseBScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
