#pragma once
#include "app/screen_id.h"

#include <windows.h>

// Opens the print-information dialog for the report of the given case, modeless, owned by
// the screen and shown. Returns the dialog, or nullptr when none could be opened; the
// screen then takes its input back itself.
HWND OpenPrintInformation(HWND screen, ScreenId report);
