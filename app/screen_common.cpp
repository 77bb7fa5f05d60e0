#include "app/screen_common.h"

#include "app/outlet_file_command.h"
#include "app/dpi.h"
#include "app/pictures.h"
#include "app/shell.h"
#include "app/placement.h"
#include "app/platform_hooks.h"
#include "app/window_helpers.h"
#include "model/input_checks.h"
#include "resources/resource.h"

void BeginScreenInit(HWND screen) {
    SetProgramIcon(screen);
    ImeOff(screen);
    ShowPicturesForDpi(screen, LayoutDpi(screen));
}

void EndScreenInit(HWND screen) {
    ShowOutletCaption(screen);
    PlaceScreen(screen);
    ShowArrowPointer();
    CompleteScreenInit(screen);
}

void ShowRefusal(HWND screen, int control, bool focus, int beepMilliseconds, const char *message,
                 UINT modality) {
    if (focus)
        SetFocus(GetDlgItem(screen, control));
    FaultBeep(beepMilliseconds);
    gMessageBox(screen, message, kParameterErrorCaption, MB_OK | modality);
}

bool AskQuestion(HWND screen, int control, int beepMilliseconds, const char *question) {
    FaultBeep(beepMilliseconds);
    if (gMessageBox(screen, question, kParameterErrorCaption, MB_YESNO | MB_TOPMOST) == IDYES)
        return true;
    SetFocus(GetDlgItem(screen, control));
    return false;
}

void ConfirmExit(HWND screen) {
    if (MayLeaveProgram())
        ExitProgram(screen);
}

void ShowArrowPointer() {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}
