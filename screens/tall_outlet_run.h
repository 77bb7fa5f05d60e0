#pragma once
#include "model/outlet_case.h"

#include <windows.h>

// The computing part of 計算する on the case C and D screens, after validation: the
// computation over the grid, the map's default settings and the map picture. When it cannot
// be made (the flows refused, or memory for the grid or the map refused) a message box owned
// by the screen says so under the caption "エラー", every input is back at its accepted value,
// there is no result, and the screen stays as it was. True when a result is ready to show.
bool RunTallOutletOnScreen(HWND screen, OutletCase tallCase);
