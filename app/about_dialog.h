#pragma once
#include <windows.h>

// The about box (template 103): modeless, owned by the current screen, which stays
// disabled while the box is open.
INT_PTR CALLBACK AboutDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
void ShowAboutBox();
