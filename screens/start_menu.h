#pragma once
#include <windows.h>

// The first screen: the two heights and the choice of the case.
INT_PTR CALLBACK StartMenuProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
