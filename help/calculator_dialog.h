#pragma once
#include <windows.h>

// The help topics on the gas flow and the exit velocity, each with its small calculator:
// the dry flow at standard state, and the velocity at the outlet from a measurement in the
// duct. One procedure serves both; the topic being opened decides which calculator it runs.
INT_PTR CALLBACK CalculatorDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
