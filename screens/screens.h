#pragma once
#include <windows.h>

// Stands in for the four case screens until they are built: the case title, メニューに戻る
// and the exit question.
INT_PTR CALLBACK PlaceholderScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
