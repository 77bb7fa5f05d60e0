#pragma once
#include <windows.h>

// The term-help dialog of every topic without a calculator.
INT_PTR CALLBACK HelpDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Moves the raised digits of the dialog's unit lines (m², m³) over the blanks their
// lines keep for them. Every topic dialog calls it when it opens.
void PlaceRaisedDigits(HWND dlg);

// Empties every topic slot that holds this window.
void ForgetHelpWindow(HWND dlg);
