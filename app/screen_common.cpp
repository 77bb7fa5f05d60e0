#include "app/screen_common.h"

#include "app/shell.h"
#include "app/placement.h"
#include "app/window_helpers.h"
#include "resources/resource.h"

void BeginScreenInit(HWND screen) {
    SetProgramIcon(screen);
    ImeOff(screen);
}

void EndScreenInit(HWND screen) {
    PlaceScreen(screen);
    ShowArrowPointer();
    CompleteScreenInit(screen);
}

void ConfirmExit(HWND screen) {
    if (ExitConfirmation())
        ExitProgram(screen);
}

void ShowArrowPointer() {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}
