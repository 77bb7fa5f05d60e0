#include "app/menu_command.h"

#include "app/platform_hooks.h"
#include "app/shell.h"

void OpenDocument(const char *fileName, const char *failureText) {
    char previous[1024];
    DWORD kept = GetCurrentDirectoryA(sizeof previous, previous);
    // The documents are named without a folder, so the shell looks in the program folder
    // whatever folder the program was started from.
    SetCurrentDirectoryA(gShell.programFolder);
    if (gShellOpen(gShell.activeScreenWindow, fileName) < 32) {
        FaultBeep(40);
        gMessageBox(gShell.activeScreenWindow, failureText, "実行エラー", MB_OK | MB_TOPMOST);
    }
    if (kept > 0 && kept < sizeof previous)
        SetCurrentDirectoryA(previous);
}
