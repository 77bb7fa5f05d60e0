#pragma once
#include "app/screen_id.h"
#include "print/print_info.h"

#include <windows.h>

// Opens the print-information dialog for the report of the given case, modeless, owned by
// the screen and shown. Returns the dialog, or nullptr when none could be opened; the
// screen then takes its input back itself.
HWND OpenPrintInformation(HWND screen, ScreenId report);

// What a print of many outlets does when its names are given: with ok, goes on (the screen
// stays disabled until its print ends); without, lets go of what it prepared.
using RegisterPrintStep = void (*)(HWND screen, bool ok);
// The same dialog for such a print: it edits info, not the current outlet's names, and its
// OK and キャンセル go to next, which an OK's print of one report does not.
HWND OpenRegisterPrintInformation(HWND screen, PrintInfo *info, RegisterPrintStep next);
