#include "app/shell.h"

#include "app/current_outlet.h"
#include "app/dialog_fit.h"
#include "app/outlet_file_command.h"
#include "app/platform_hooks.h"
#include "app/shell_loop.h"
#include "resources/resource.h"

#include <cstring>
#include <string>

ShellState gShell;

namespace {
ProgramParts gParts;
// The File menu's keys (Ctrl+O, Ctrl+S).
HACCEL gAccelerators;
} // namespace

void SetProgramParts(const ProgramParts &parts) {
    gParts = parts;
}

bool OpenHelpTopicOfCommand(int command) {
    return gParts.openHelpTopic != nullptr && gParts.openHelpTopic(command);
}

void StartShell(HINSTANCE instance) {
    gShell.instance = instance;
    LoadStringA(instance, IDS_TITLE, gShell.titleText, sizeof gShell.titleText);
    LoadStringA(instance, IDS_PRODUCT, gShell.productName, sizeof gShell.productName);

    char *folder = gShell.programFolder;
    GetModuleFileNameA(nullptr, folder, sizeof gShell.programFolder);
    // Looked for byte by byte: a trail byte of a double-byte character can be 0x5C too.
    char *lastBackslash = nullptr;
    for (char *p = folder; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\')
            lastBackslash = p;
    }
    if (lastBackslash != nullptr)
        lastBackslash[1] = '\0';

    gAccelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_OUTLET_FILE));
    ResetLowOutletInputs(gOutletInputs);
    ResetTallOutletInputs(gOutletInputs);
    gOutletResults = OutletResults{};
    if (gParts.startHelp != nullptr)
        gParts.startHelp();
}

ShellPass RunShellPass() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ScreenStep();
        ShowOpeningMessage();
        return ShellPass::Idle;
    }
    if (msg.message == WM_QUIT)
        return MayLeaveProgram() ? ShellPass::Quit : ShellPass::Message;
    // The keys of the File menu reach the screen while it is the window in use.
    HWND screen = gShell.activeScreenWindow;
    if (screen != nullptr && gShell.keyboardDialog == screen && IsWindowEnabled(screen) &&
        TranslateAcceleratorA(screen, gAccelerators, &msg))
        return ShellPass::Message;
    if (gShell.keyboardDialog == nullptr || !IsDialogMessageA(gShell.keyboardDialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ShellPass::Message;
}

int RunShell(HINSTANCE instance) {
    StartShell(instance);
    OpenCommandLineFile();
    for (;;) {
        switch (RunShellPass()) {
        case ShellPass::Quit: return 0;
        case ShellPass::Message: break;
        case ShellPass::Idle:
            // The screen step has run; wait at most a millisecond for input so that an idle
            // program does not keep a processor core busy.
            MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            break;
        }
    }
}

void ScreenStep() {
    const ScreenId screen = gShell.currentScreen;
    HWND &window = gShell.screenWindows[screen];
    if (window == nullptr) {
        const ScreenTemplate &t = gParts.screens[screen];
        window =
            CreateFittedDialog(t.templateId, nullptr, gShell.activeScreenWindow, t.procedure, 0);
    }
    if (window != nullptr)
        ShowWindow(window, SW_SHOWNORMAL);

    HWND old = gShell.pendingDisposal;
    if (old != nullptr) {
        for (HWND &slot : gShell.screenWindows) {
            if (slot == old)
                slot = nullptr;
        }
        DestroyWindow(old);
        gShell.pendingDisposal = nullptr;
    }
}

void RequestScreen(ScreenId screen) {
    gShell.currentScreen = screen;
}

void RequestFreshScreen(ScreenId screen) {
    // The window stays until the new one has been made: its slot only forgets it.
    if (screen == gShell.currentScreen)
        gShell.screenWindows[screen] = nullptr;
    gShell.currentScreen = screen;
}

void CompleteScreenInit(HWND screen) {
    gShell.pendingDisposal = gShell.activeScreenWindow;
    gShell.activeScreenWindow = screen;
}

bool ExitConfirmation() {
    std::string question = gShell.titleText;
    question += "を　\n終了しますか？";
    return gMessageBox(nullptr, question.c_str(), "終了確認", MB_YESNO | MB_TOPMOST) == IDYES;
}

void ExitProgram(HWND screen) {
    EndDialog(screen, 0);
    gExitProcess(0);
}

void TrackKeyboardDialog(HWND dialog, WPARAM activateWParam) {
    gShell.keyboardDialog = LOWORD(activateWParam) != WA_INACTIVE ? dialog : nullptr;
}

HWND FocusReturnTarget() {
    if (gShell.batchWindow != nullptr)
        return gShell.batchWindow;
    if (gShell.printInfoWindow != nullptr)
        return gShell.printInfoWindow;
    if (gShell.mapAdjustWindow != nullptr)
        return gShell.mapAdjustWindow;
    return gShell.activeScreenWindow;
}

void FaultBeep(DWORD milliseconds) {
    Beep(500, milliseconds);
}
