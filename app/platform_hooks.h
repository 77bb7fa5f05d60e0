#pragma once
#include <windows.h>

#include <commdlg.h>

// The calls that wait for a person, leave the process or start another program. Each is a
// function pointer that starts out as the real call; the tests put their own in its place
// to answer the question, see what was asked and carry on after an exit.

using MessageBoxHook = int (*)(HWND owner, const char *text, const char *caption, UINT type);
// Ends the process after the user confirmed the exit question.
using ExitHook = void (*)(int exitCode);
// Opens a file with its default program; a result below 32 is a failure.
using ShellOpenHook = INT_PTR (*)(HWND owner, const char *file);
using PrintDialogHook = BOOL (*)(PRINTDLGA *request);
// The common open and save dialogs: the chosen path in request->lpstrFile, FALSE when the
// user cancelled.
using FileDialogHook = BOOL (*)(OPENFILENAMEA *request);
// The same in UTF-16, for a file name the code page cannot hold.
using WideFileDialogHook = BOOL (*)(OPENFILENAMEW *request);

extern MessageBoxHook gMessageBox;
extern ExitHook gExitProcess;
extern ShellOpenHook gShellOpen;
extern PrintDialogHook gPrintDialog;
extern FileDialogHook gOpenFileDialog;
extern FileDialogHook gSaveFileDialog;
extern WideFileDialogHook gOpenFileDialogW;
extern WideFileDialogHook gSaveFileDialogW;

// Puts the real calls back.
void RestorePlatformHooks();
