#pragma once
#include <windows.h>

// The help topic on the gas flow, with its calculator of the dry flow at standard state.
INT_PTR CALLBACK FlowCalculatorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
