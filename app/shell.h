#pragma once
#include "app/screen_id.h"
#include "model/outlet_inputs.h"

#include <windows.h>

// State of the shell: the screens, the dialog that takes keyboard navigation and the
// placement offset carried from one screen to the next.
struct WindowOffset {
    int dx;
    int dy;
    int baseLeft;
    int baseTop;
};

struct ShellState {
    HINSTANCE instance;
    ScreenId currentScreen;
    HWND screenWindows[5];
    HWND activeScreenWindow;
    HWND pendingDisposal;
    HWND keyboardDialog;
    WindowOffset windowOffset;
    char titleText[255];
    char productName[255];
    char programFolder[255];
    HWND aboutWindow;
    HWND printInfoWindow; // the open print-information dialog, if any
    HWND mapAdjustWindow; // the open map-adjustment dialog, if any
    HWND batchWindow;     // the progress window of a running batch, if any
};

extern ShellState gShell;

// Which template and dialog procedure make each screen, indexed by ScreenId.
struct ScreenTemplate {
    int templateId;
    DLGPROC procedure;
};

// What the program's own parts give the shell, which knows none of them: the table of the
// five screens and the term-help topics of the menu bar.
struct ProgramParts {
    const ScreenTemplate *screens; // five, indexed by ScreenId
    void (*startHelp)();           // at start-up: the topic table, no window yet
    // A menu command that opens a help topic: opens it and returns true; false for any other.
    bool (*openHelpTopic)(int command);
    // ファイル > 一括印刷（CSV）...: the print of a register, from the open dialog on.
    void (*printRegister)();
};
// Called once before the shell starts (WinMain, or a test's set-up).
void SetProgramParts(const ProgramParts &parts);
// The help part's answer to a menu command (see ProgramParts).
bool OpenHelpTopicOfCommand(int command);
// The print part's print of a register (see ProgramParts); nothing without one.
void PrintRegisterCommand();

// Start-up and the never-blocking loop; returns 0 after a confirmed quit message.
int RunShell(HINSTANCE instance);
// One pass of the screen step: create the requested screen, show it, dispose the old one.
void ScreenStep();
void RequestScreen(ScreenId screen);
// As RequestScreen, but the screen is made anew also when it is the one shown, so that it
// shows the records as they are now (an outlet opened from a file).
void RequestFreshScreen(ScreenId screen);
void CompleteScreenInit(HWND screen);
bool ExitConfirmation();
// Ends the screen's dialog and the process with exit code 0. Returns only where a test has
// replaced the process exit (app/platform_hooks.h).
void ExitProgram(HWND screen);
// Every program dialog calls this from WM_ACTIVATE: it becomes the keyboard dialog while
// active.
void TrackKeyboardDialog(HWND dialog, WPARAM activateWParam);
// The progress window of a batch if open, else the print-information dialog if open, else
// the map-adjustment dialog if open, else the current screen.
HWND FocusReturnTarget();
// 500 Hz for the given milliseconds, before every input message.
void FaultBeep(DWORD milliseconds);
