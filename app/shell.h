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
};

extern ShellState gShell;

// Start-up and the never-blocking loop; returns 0 after a confirmed quit message.
int RunShell(HINSTANCE instance);
// One pass of the screen step: create the requested screen, show it, dispose the old one.
void ScreenStep();
void RequestScreen(ScreenId screen);
void CompleteScreenInit(HWND screen);
void PlaceScreen(HWND screen);
void LeaveScreen(HWND screen);
bool ExitConfirmation();
// Ends the screen's dialog and the process with exit code 0. Returns only where a test has
// replaced the process exit (app/platform_hooks.h).
void ExitProgram(HWND screen);
void BringToFront(HWND window);
void ShowInTaskbar(HWND window);
// The program icon as the window's big icon: every screen and dialog carries it.
void SetProgramIcon(HWND window);
void ImeOff(HWND window);
void ImeOn(HWND window);
// Every program dialog calls this from WM_ACTIVATE: it becomes the keyboard dialog while
// active.
void TrackKeyboardDialog(HWND dialog, WPARAM activateWParam);
// The print-information dialog if open, else the map-adjustment dialog if open, else the
// current screen.
HWND FocusReturnTarget();
// 500 Hz for the given milliseconds, before every input message.
void FaultBeep(DWORD milliseconds);
