#pragma once
#include "model/outlet_inputs.h"
#include "print/report_rules.h"

#include <windows.h>

#include <commdlg.h>

// The vertical resolution of the last printer used (dots per inch); 41 until one is.
extern int gPrinterResolution;

// Reads the chosen printer's resolution into gPrinterResolution and tells whether it prints
// colour. Without a device mode the remembered resolution stays and the answer is grey.
bool QueryPrinter(const PRINTDLGA &request);

// The report of the program's current outlet as a print now makes it: its texts, map
// picture, names, title and date.
Report ReportOfCurrentOutlet(OutletCase report, bool colour);

// The whole print of the report of a case: the print dialog, the page, and at every ending
// the screen enabled again and brought to the front.
void PrintCaseReport(HWND screen, OutletCase report);
