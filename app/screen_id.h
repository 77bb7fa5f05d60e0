#pragma once
#include "model/outlet_case.h"

#include <cstdint>

// The screen the shell shows: 0 the start menu, 1 … 4 the screen of the outlet case of the
// same number (CaseA … CaseD), so a case names its screen.
using ScreenId = int32_t;
constexpr ScreenId StartMenu = 0;
