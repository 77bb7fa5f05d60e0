#include "app/batch_progress_dialog.h"

#include "app/batch_command.h"
#include "app/dialog_fit.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {

constexpr int kBarSteps = 1000;

BatchJob *JobOf(HWND dlg) {
    return reinterpret_cast<BatchJob *>(GetWindowLongPtrA(dlg, GWLP_USERDATA));
}

void InitBatchProgress(HWND dlg, BatchJob *job) {
    SetWindowLongPtrA(dlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(job));
    SetProgramIcon(dlg);
    SetDlgItemTextA(dlg, IDC_BATCH_FILE, job->inputPath.c_str());
    SendDlgItemMessageA(dlg, IDC_BATCH_BAR, PBM_SETRANGE32, 0, kBarSteps);
    gShell.batchWindow = dlg;
    job->window = dlg;
    StartBatchJob(*job);
}

void ShowBatchFigures(HWND dlg) {
    BatchJob *job = JobOf(dlg);
    // Cleared first: figures that arrive while these are shown get a message of their own.
    job->progressPending = false;
    if (job->cancel)
        return;
    const std::string rows = GroupedCount(job->rowsDone) + " 行を計算しました。";
    SetDlgItemTextA(dlg, IDC_BATCH_ROWS, rows.c_str());
    const uint64_t total = job->bytesTotal;
    const uint64_t read = job->bytesRead;
    if (total > 0) {
        const uint64_t step = read >= total ? kBarSteps : read * kBarSteps / total;
        SendDlgItemMessageA(dlg, IDC_BATCH_BAR, PBM_SETPOS, static_cast<WPARAM>(step), 0);
    }
}

void CancelBatch(HWND dlg) {
    BatchJob *job = JobOf(dlg);
    job->cancel = true;
    EnableWindow(GetDlgItem(dlg, IDCANCEL), FALSE);
    SetDlgItemTextA(dlg, IDC_BATCH_ROWS, "中止しています。");
}

void EndBatchProgress(HWND dlg) {
    BatchJob *job = JobOf(dlg);
    FinishBatchJob(*job);
    // A modeless window does not give its owner back its input by itself.
    HWND owner = GetWindow(dlg, GW_OWNER);
    EnableWindow(owner, TRUE);
    gShell.batchWindow = nullptr;
    DestroyWindow(dlg);
    BringToFront(FocusReturnTarget());
    ReportBatch(*job);
    delete job;
}

} // namespace

INT_PTR CALLBACK BatchProgressProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: InitBatchProgress(dlg, reinterpret_cast<BatchJob *>(lParam)); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case kBatchProgressMessage: ShowBatchFigures(dlg); return TRUE;
    case kBatchDoneMessage: EndBatchProgress(dlg); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL: CancelBatch(dlg); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

bool OpenProgressWindow(DLGPROC procedure, void *job) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND screen = gShell.activeScreenWindow;
    EnableWindow(screen, FALSE);
    HWND window = CreateFittedDialog(IDD_BATCH_PROGRESS, screen, screen, procedure,
                                     reinterpret_cast<LPARAM>(job));
    if (window == nullptr) {
        EnableWindow(screen, TRUE);
        return false;
    }
    ShowWindow(window, SW_SHOW);
    return true;
}

bool ShowBatchProgress(BatchJob *job) {
    if (OpenProgressWindow(BatchProgressProc, job))
        return true;
    delete job;
    return false;
}

std::string GroupedCount(uint64_t count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}
