#include "screens/screens.h"

#include "app/menu_command.h"
#include "app/screen_common.h"
#include "app/shell.h"
#include "app/placement.h"
#include "resources/resource.h"

namespace {

void InitPlaceholder(HWND dlg) {
    BeginScreenInit(dlg);
    EndScreenInit(dlg);
}

void BackToMenu(HWND dlg) {
    RequestScreen(StartMenu);
    LeaveScreen(dlg);
}

INT_PTR OnPlaceholderCommand(HWND dlg, int id) {
    switch (id) {
    case IDC_BACK_TO_MENU: BackToMenu(dlg); return TRUE;
    case IDCANCEL:
    case IDM_EXIT: ConfirmExit(dlg); return TRUE;
    }
    MenuCommand(id);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK PlaceholderScreenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: InitPlaceholder(dlg); return TRUE;
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_COMMAND: return OnPlaceholderCommand(dlg, LOWORD(wParam));
    }
    return FALSE;
}
