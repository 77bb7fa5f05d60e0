#include "screens/print_request.h"

#include "app/shell.h"
#include "app/window_helpers.h"
#include "print/win/print_info_dialog.h"
#include "resources/resource.h"

void RequestPrint(HWND screen, ScreenId report) {
    EnableWindow(screen, FALSE);
    if (gShell.printInfoWindow != nullptr) {
        BringToFront(gShell.printInfoWindow);
        return;
    }
    gShell.printInfoWindow = OpenPrintInformation(screen, report);
    if (gShell.printInfoWindow == nullptr) {
        // Nothing will end and enable the screen again: it takes its input back at once.
        EnableWindow(screen, TRUE);
        SetFocus(GetDlgItem(screen, IDC_PRINT));
    }
}
