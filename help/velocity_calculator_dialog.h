#pragma once
#include <windows.h>

// The help topic on the exit velocity, with its calculator of the velocity at the outlet
// from a measurement in the duct.
INT_PTR CALLBACK VelocityCalculatorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
