#pragma once
#include "model/outlet_inputs.h"
#include "screens/validation_mode.h"

#include <windows.h>

// Reads the fields of a low-outlet screen (case A or B) into the records, in the order
// No. 1 standard, outlet height, building height, size class, case. Returns false when the
// command must end here: a refused field, or a question about the case whatever its answer
// (Yes has requested the other screen).
bool ValidateLowOutletInputs(HWND screen, ScreenId lowCase, ValidationMode mode);
