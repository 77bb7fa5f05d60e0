#include "print/win/register_print_progress_dialog.h"

#include "app/batch_progress_dialog.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "print/win/register_print_command.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {

RegisterPrintJob *JobOf(HWND dlg) {
    return reinterpret_cast<RegisterPrintJob *>(GetWindowLongPtrA(dlg, GWLP_USERDATA));
}

void InitRegisterPrintProgress(HWND dlg, RegisterPrintJob *job) {
    SetWindowLongPtrA(dlg, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(job));
    SetProgramIcon(dlg);
    SetWindowTextA(dlg, kRegisterPrintCaption);
    SetDlgItemTextA(dlg, IDC_BATCH_FILE, job->inputPath.c_str());
    SetDlgItemTextA(dlg, IDC_BATCH_ROWS, "排出口の一覧を読んでいます。");
    gShell.batchWindow = dlg;
    job->window = dlg;
    StartRegisterPrintJob(*job);
}

void ShowPagesPrinted(HWND dlg) {
    RegisterPrintJob *job = JobOf(dlg);
    // Cleared first: pages that end while these are shown get a message of their own.
    job->progressPending = false;
    const uint64_t pages = job->pages;
    if (job->cancel || pages == 0)
        return;
    const uint64_t done = job->pagesDone;
    const std::string text =
        GroupedCount(done) + " / " + GroupedCount(pages) + " ページを印刷しました。";
    SetDlgItemTextA(dlg, IDC_BATCH_ROWS, text.c_str());
    SendDlgItemMessageA(dlg, IDC_BATCH_BAR, PBM_SETRANGE32, 0, static_cast<LPARAM>(pages));
    SendDlgItemMessageA(dlg, IDC_BATCH_BAR, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

void CancelRegisterPrint(HWND dlg) {
    JobOf(dlg)->cancel = true;
    EnableWindow(GetDlgItem(dlg, IDCANCEL), FALSE);
    SetDlgItemTextA(dlg, IDC_BATCH_ROWS, "中止しています。");
}

void EndRegisterPrintProgress(HWND dlg) {
    RegisterPrintJob *job = JobOf(dlg);
    FinishRegisterPrintJob(*job);
    DeleteDC(job->printer);
    // A modeless window does not give its owner back its input by itself.
    HWND owner = GetWindow(dlg, GW_OWNER);
    EnableWindow(owner, TRUE);
    gShell.batchWindow = nullptr;
    DestroyWindow(dlg);
    BringToFront(FocusReturnTarget());
    ImeOff(owner);
    ReportRegisterPrint(*job);
    delete job;
}

} // namespace

INT_PTR CALLBACK RegisterPrintProgressProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        InitRegisterPrintProgress(dlg, reinterpret_cast<RegisterPrintJob *>(lParam));
        return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case kRegisterPrintProgressMessage: ShowPagesPrinted(dlg); return TRUE;
    case kRegisterPrintDoneMessage: EndRegisterPrintProgress(dlg); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL: CancelRegisterPrint(dlg); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

bool ShowRegisterPrintProgress(RegisterPrintJob *job) {
    if (OpenProgressWindow(RegisterPrintProgressProc, job))
        return true;
    DeleteDC(job->printer);
    delete job;
    return false;
}
