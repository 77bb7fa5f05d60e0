#pragma once
#include <windows.h>

// The steps every screen takes first and last in its initialisation; the screen fills its
// controls and resets its term labels in between.
void BeginScreenInit(HWND screen); // program icon, input method off
void EndScreenInit(HWND screen);   // placement, arrow pointer, CompleteScreenInit

// The cancel command (終了, Esc, close box) and menu command 105 of every screen.
void ConfirmExit(HWND screen);

void ShowArrowPointer();
