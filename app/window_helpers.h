#pragma once
#include <windows.h>

#include <string>

// Small helpers every screen and dialog uses on its own window.

// Brings the window to the foreground, also from a thread that does not own the foreground.
void BringToFront(HWND window);
// Gives an unowned dialog its own button on the taskbar.
void ShowInTaskbar(HWND window);
// The program icon as the window's big icon: every screen and dialog carries it.
void SetProgramIcon(HWND window);
// The input method of the window off (numeric fields) or back on.
void ImeOff(HWND window);
void ImeOn(HWND window);

// A field's text as its rule is to judge it: the whole text when it has at most `limit`
// bytes, else `tooLong`. WM_SETTEXT and a paste can pass the edit limit; judged on its
// beginning, a pasted "12", a long run of blanks and a word would be taken for 12.
std::string WholeFieldText(HWND field, int limit, const char *tooLong);
