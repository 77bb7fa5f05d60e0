#pragma once
#include "app/screen_id.h"
#include "model/outlet_inputs.h"

#include <windows.h>

// Opens the print-information dialog for the report of the given case, modeless, owned by
// the screen and shown. Returns the dialog, or nullptr when none could be opened; the
// screen then takes its input back itself.
HWND OpenPrintInformation(HWND screen, ScreenId report);

// 印刷する on a case screen with a result: the screen stays disabled while the print flow
// runs; the dialog already open is brought forward instead of a second one.
void RequestPrint(HWND screen, ScreenId report);
