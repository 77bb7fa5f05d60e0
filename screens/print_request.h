#pragma once
#include "app/screen_id.h"
#include "model/outlet_inputs.h"

#include <windows.h>

// 印刷する on a case screen with a result: the screen stays disabled while the print flow
// runs; the dialog already open is brought forward instead of a second one.
void RequestPrint(HWND screen, ScreenId report);
