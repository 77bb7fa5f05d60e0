#pragma once
#include "print/win/register_print_job.h"

#include <windows.h>

// The progress window of a register's print (the batch's template 180 under its own
// caption): owned by the screen, which stays disabled while it is open, with the pages
// printed, a bar by pages and キャンセル. It starts the job, and when the job ends it closes,
// gives the screen back and reports.
INT_PTR CALLBACK RegisterPrintProgressProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Takes the job (deleted when it has been reported, its printer's device context with it);
// false, with the job deleted and the screen enabled, when the window could not be made.
bool ShowRegisterPrintProgress(RegisterPrintJob *job);
