#pragma once
#include "calc/outlet_file.h"

#include <windows.h>

// The rows of a file of several outlets (a register, the batch sample, a batch result), one
// line each: the sheet's row number, the passed-through columns, the heights, the case and a
// batch result's verdict. Returns the index of the chosen row in sheet.rows, or −1 when the
// user cancelled.
int ChooseSheetRow(HWND owner, const OutletSheet &sheet);
