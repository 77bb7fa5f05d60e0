#include "app/platform_hooks.h"

#include <shellapi.h>

#include <cstdlib>

namespace {

int RealMessageBox(HWND owner, const char *text, const char *caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

[[noreturn]] void RealExit(int exitCode) {
    std::exit(exitCode);
}

INT_PTR RealShellOpen(HWND owner, const char *file) {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, nullptr, file, nullptr, nullptr, SW_SHOWNORMAL));
}

BOOL RealPrintDialog(PRINTDLGA *request) {
    return PrintDlgA(request);
}

BOOL RealOpenFileDialog(OPENFILENAMEA *request) {
    return GetOpenFileNameA(request);
}

BOOL RealSaveFileDialog(OPENFILENAMEA *request) {
    return GetSaveFileNameA(request);
}

BOOL RealOpenFileDialogW(OPENFILENAMEW *request) {
    return GetOpenFileNameW(request);
}

BOOL RealSaveFileDialogW(OPENFILENAMEW *request) {
    return GetSaveFileNameW(request);
}

} // namespace

MessageBoxHook gMessageBox = RealMessageBox;
ExitHook gExitProcess = RealExit;
ShellOpenHook gShellOpen = RealShellOpen;
PrintDialogHook gPrintDialog = RealPrintDialog;
FileDialogHook gOpenFileDialog = RealOpenFileDialog;
FileDialogHook gSaveFileDialog = RealSaveFileDialog;
WideFileDialogHook gOpenFileDialogW = RealOpenFileDialogW;
WideFileDialogHook gSaveFileDialogW = RealSaveFileDialogW;

void RestorePlatformHooks() {
    gMessageBox = RealMessageBox;
    gExitProcess = RealExit;
    gShellOpen = RealShellOpen;
    gPrintDialog = RealPrintDialog;
    gOpenFileDialog = RealOpenFileDialog;
    gSaveFileDialog = RealSaveFileDialog;
    gOpenFileDialogW = RealOpenFileDialogW;
    gSaveFileDialogW = RealSaveFileDialogW;
}
