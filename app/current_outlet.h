#pragma once
#include "model/outlet_inputs.h"
#include "print/print_info.h"

// The program's one current outlet, which every screen shares and the report is printed
// from: what was typed and accepted, with the results of the last computation. It outlives
// every window: the screens only show it.
extern OutletInputs gOutletInputs;

// What the user gave for the printed report's header. Kept for the life of the process,
// also when the dialog was cancelled; never saved.
extern PrintInfo gPrintInfo;
