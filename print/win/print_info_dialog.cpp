#include "app/shell.h"
#include "app/current_outlet.h"
#include "app/dialog_fit.h"
#include "app/edit_limit.h"
#include "app/window_helpers.h"
#include "print/print_info.h"
#include "print/win/print_info_dialog.h"
#include "print/win/report_printing.h"
#include "resources/print_resource.h"
#include "resources/resource.h"
#include "text/text_helpers.h"

#include <string>

namespace {

const int kFields[] = {IDC_PRINT_AUTHOR, IDC_PRINT_OFFICE, IDC_PRINT_FACILITY};

// The names the open dialog edits: the current outlet's, or those of a register's print.
PrintInfo *gEdited = &gPrintInfo;

char *FieldOf(int id) {
    switch (id) {
    case IDC_PRINT_AUTHOR: return gEdited->authorName;
    case IDC_PRINT_OFFICE: return gEdited->officeName;
    default: break;
    }
    return gEdited->facilityName;
}

// The report the open dialog prints on OK, or what a register's print does at the end.
OutletCase gReport = CaseA;
RegisterPrintStep gRegisterStep = nullptr;

void InitPrintInformation(HWND dlg) {
    SetProgramIcon(dlg);
    ImeOn(dlg);
    for (int id : kFields) {
        LimitEditBytes(GetDlgItem(dlg, id), kPrintInfoSize - 1);
        SetDlgItemTextA(dlg, id, FieldOf(id));
    }
}

// OK and キャンセル alike keep what was typed for the next report.
void EndPrintInformation(HWND dlg, int id) {
    // The edit limit counts characters, the kept text bytes: a pasted text is read whole and
    // cut where a character ends.
    for (int field : kFields) {
        std::string typed(static_cast<size_t>(GetWindowTextLengthA(GetDlgItem(dlg, field))) + 1,
                          '\0');
        GetDlgItemTextA(dlg, field, &typed[0], static_cast<int>(typed.size()));
        CopyText(FieldOf(field), kPrintInfoSize, typed.c_str());
    }
    HWND screen = GetWindow(dlg, GW_OWNER);
    gShell.printInfoWindow = nullptr;
    ShowWindow(dlg, SW_HIDE);
    const RegisterPrintStep registerStep = gRegisterStep;
    gRegisterStep = nullptr;
    gEdited = &gPrintInfo;
    if (id == IDOK) {
        if (registerStep != nullptr)
            registerStep(screen, true);
        else
            PrintCaseReport(screen, gReport);
        DestroyWindow(dlg);
        // A register's print leaves its progress window in front.
        BringToFront(FocusReturnTarget());
        return;
    }
    if (registerStep != nullptr)
        registerStep(screen, false);
    // Enabled before the dialog goes, so that the activation falls back to the screen.
    EnableWindow(screen, TRUE);
    DestroyWindow(dlg);
    BringToFront(screen);
    ImeOff(screen);
}

INT_PTR CALLBACK PrintInformationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitPrintInformation(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndPrintInformation(dlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

HWND OpenDialog(HWND screen) {
    HWND dlg = CreateFittedDialog(IDD_PRINT_INFO, screen, screen, PrintInformationProc, 0);
    if (dlg != nullptr)
        ShowWindow(dlg, SW_SHOWNORMAL);
    return dlg;
}

} // namespace

HWND OpenPrintInformation(HWND screen, ScreenId report) {
    gReport = static_cast<OutletCase>(report);
    return OpenDialog(screen);
}

HWND OpenRegisterPrintInformation(HWND screen, PrintInfo *info, RegisterPrintStep next) {
    gEdited = info;
    gRegisterStep = next;
    HWND dlg = OpenDialog(screen);
    if (dlg == nullptr) {
        gEdited = &gPrintInfo;
        gRegisterStep = nullptr;
    }
    return dlg;
}
