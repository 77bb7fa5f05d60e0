#include "app/about_dialog.h"

#include "app/dialog_fit.h"
#include "app/dpi.h"
#include "app/pictures.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "resources/resource.h"

namespace {

// At 96 dpi; the box's scale makes it larger.
constexpr int kAboutIconSize = 48;

// The large icon drawn for the box's scale, in place of the one it had (loaded for this box
// alone, so freed here).
void ShowIconForScale(HWND dlg) {
    const int size = ScaleToLayout(dlg, kAboutIconSize);
    HANDLE large =
        LoadImageA(gShell.instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, size, size, 0);
    HICON old = reinterpret_cast<HICON>(
        SendDlgItemMessageA(dlg, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(large), 0));
    if (old != nullptr)
        DestroyIcon(old);
}

void InitAboutBox(HWND dlg) {
    HICON small = LoadIconA(gShell.instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    SendMessageA(dlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(small));
    ShowIconForScale(dlg);
    ShowPicturesForDpi(dlg, LayoutDpi(dlg));
    gShell.aboutWindow = dlg;
}

void CloseAboutBox(HWND dlg) {
    // A modeless box does not give its owner back its input by itself; the owner must be
    // enabled before it can take the foreground.
    EnableWindow(GetWindow(dlg, GW_OWNER), TRUE);
    BringToFront(FocusReturnTarget());
    DestroyWindow(dlg);
}

void ForgetAboutBox(HWND dlg) {
    // The large icon was loaded for this box alone; the shared small one is not freed.
    HICON large =
        reinterpret_cast<HICON>(SendDlgItemMessageA(dlg, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
    if (large != nullptr)
        DestroyIcon(large);
    if (gShell.aboutWindow == dlg)
        gShell.aboutWindow = nullptr;
}

} // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitAboutBox(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_DESTROY: ForgetAboutBox(dlg); return FALSE;
    case WM_DPICHANGED: ShowIconForScale(dlg); return TRUE; // laid out again before this
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: CloseAboutBox(dlg); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void ShowAboutBox() {
    HWND screen = gShell.activeScreenWindow;
    EnableWindow(screen, FALSE);
    if (gShell.aboutWindow != nullptr) {
        BringToFront(gShell.aboutWindow);
        return;
    }
    HWND box = CreateFittedDialog(IDD_ABOUT, screen, screen, AboutDialogProc, 0);
    if (box == nullptr) {
        EnableWindow(screen, TRUE);
        return;
    }
    ShowInTaskbar(box);
    ShowWindow(box, SW_SHOW);
}
