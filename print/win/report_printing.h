#pragma once
#include "model/outlet_inputs.h"
#include "print/report_rules.h"

#include <windows.h>

#include <commdlg.h>

#include <string>

// The vertical resolution of the last printer used (dots per inch); 41 until one is.
extern int gPrinterResolution;

// Reads the chosen printer's resolution into gPrinterResolution and tells whether it prints
// colour. Without a device mode the remembered resolution stays and the answer is grey.
bool QueryPrinter(const PRINTDLGA &request);

// The report of the program's current outlet as a print now makes it: its texts, map
// picture, names, title and date.
Report ReportOfCurrentOutlet(OutletCase report, bool colour);

// The local date and time as a report prints it.
std::string PrintedNow();
// The report unit u of the printer the print dialog returned (after QueryPrinter).
int PrinterUnit(HDC dc);
// Draws a report's page in the page begun on dc, the map picture through a temporary file.
void DrawReportPage(HDC dc, const PageDescription &page, const Report &made);

// The print dialog's request for a report: the printer's device context, no page choice.
PRINTDLGA ReportPrintRequest();
// Frees the device mode and names the dialog returned (not the device context).
void FreePrintRequest(PRINTDLGA &request);
// "印刷できませんでした。…", the message of a printer that refused, and its caption.
extern const char kPrintFailure[];
extern const char kPrintFailureCaption[];

// The whole print of the report of a case: the print dialog, the page, and at every ending
// the screen enabled again and brought to the front.
void PrintCaseReport(HWND screen, OutletCase report);
