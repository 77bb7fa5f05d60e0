#pragma once
#include "model/outlet_results.h"
#include "print/print_info.h"

// The program's one current outlet, which every screen shares and the report is printed
// from: what was typed and accepted, and apart from it the results of its last computation
// (none while withdrawn). Both outlive every window: the screens only show them.
extern OutletInputs gOutletInputs;
extern OutletResults gOutletResults;

// What the user gave for the printed report's header. Kept for the life of the process,
// also when the dialog was cancelled; never saved.
extern PrintInfo gPrintInfo;
