#pragma once
#include "app/screen_id.h"
#include "model/form_rules.h"

#include <windows.h>

// Reads the fields of a low-outlet screen (case A or B) into the records through the form's
// rules, in the order No. 1 standard, outlet height, building height, size class, case.
// Returns false when the command must end here: a refused field, or a question about the
// case whatever its answer (Yes has requested the other screen).
bool ValidateLowOutletInputs(HWND screen, ScreenId lowCase, ValidationMode mode);
