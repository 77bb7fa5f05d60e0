#pragma once
#include "app/batch_job.h"

#include <windows.h>

// The progress window of a batch run (template 180): owned by the screen, which stays
// disabled while it is open, with the rows done, a bar by bytes read and キャンセル. It
// starts the job, and when the job ends it closes, gives the screen back and reports.
INT_PTR CALLBACK BatchProgressProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Takes the job (deleted when it has been reported); false, with the job deleted and the
// screen left as it was, when the window could not be made.
bool ShowBatchProgress(BatchJob *job);
// The progress window of a long job over the active screen, which it disables while it is
// open: the batch's template run by procedure with job as its parameter. False, with the
// screen enabled again, when the window could not be made.
bool OpenProgressWindow(DLGPROC procedure, void *job);

// "12,345": the rows as the summary writes them.
std::string GroupedCount(uint64_t count);
