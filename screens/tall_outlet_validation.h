#pragma once
#include "model/outlet_inputs.h"
#include "app/screen_id.h"
#include "model/form_rules.h"

#include <windows.h>

// Reads the fields of a tall-outlet screen (case C or D) into the records in their fixed
// order, sets the layout picture and, for 計算する, asks about the case when the heights
// belong to another screen. Returns true when the calculation may run: in Interactive mode
// only when every field was accepted and no question was asked; Silent always proceeds.
bool ValidateTallOutletInputs(HWND screen, ScreenId tallCase, ValidationMode mode);

// Called for every notification of an input field: withdraws a shown result when the field
// no longer reads as what was accepted for it.
void TallFieldEdited(HWND screen, int controlId);

// The layout picture from the two distances: the building drawn nearer the boundary when
// it is.
void ShowLayoutPicture(HWND screen);
