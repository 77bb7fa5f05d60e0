#include "print/win/report_printing.h"

#include "app/current_outlet.h"
#include "app/platform_hooks.h"
#include "app/shell.h"
#include "app/shown_map.h"
#include "app/window_helpers.h"
#include "print/report_rules.h"
#include "print/win/map_file.h"
#include "print/win/page_renderer.h"

#include <string>

int gPrinterResolution = 41;
const char kPrintFailure[] = "印刷できませんでした。プリンターの状態を確認してください。";
const char kPrintFailureCaption[] = "印刷エラー";

namespace {

// One page on the printer the dialog returned. False when the printer refused at any step;
// the document is then abandoned, not left half open.
bool PrintPage(HDC dc, OutletCase report, bool colour, const std::string &documentName) {
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    if (StartDocA(dc, &document) <= 0)
        return false;
    if (StartPage(dc) <= 0) {
        AbortDoc(dc);
        return false;
    }
    SetBkMode(dc, TRANSPARENT);
    const Report made = ReportOfCurrentOutlet(report, colour);
    DrawReportPage(dc, DescribeReport(report, made, PrinterUnit(dc)), made);
    if (EndPage(dc) <= 0) {
        AbortDoc(dc);
        return false;
    }
    if (EndDoc(dc) <= 0) {
        AbortDoc(dc);
        return false;
    }
    return true;
}

// DC_COLORDEVICE of the chosen printer; a printer that does not answer keeps its device
// mode's word.
bool PrinterPrintsColour(HGLOBAL names, const DEVMODEA *mode) {
    auto *devNames = static_cast<DEVNAMES *>(GlobalLock(names));
    if (devNames == nullptr)
        return true;
    const char *base = reinterpret_cast<const char *>(devNames);
    const int capable =
        DeviceCapabilitiesA(base + devNames->wDeviceOffset, base + devNames->wOutputOffset,
                            DC_COLORDEVICE, nullptr, mode);
    GlobalUnlock(names);
    return capable != 0;
}

} // namespace

Report ReportOfCurrentOutlet(OutletCase report, bool colour) {
    Report made = MakeReport(report, gOutletInputs, gOutletResults, gScreenGrid.Cells(),
                             gMapSettings, gPrintInfo, colour);
    made.title = gShell.titleText;
    made.printedAt = PrintedNow();
    return made;
}

std::string PrintedNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return FormatReportDate(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

int PrinterUnit(HDC dc) {
    TEXTMETRICA metrics{};
    const int fontHeight = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 0;
    return ReportUnit(gPrinterResolution, fontHeight);
}

void DrawReportPage(HDC dc, const PageDescription &page, const Report &made) {
    char mapFile[MAX_PATH] = "";
    bool haveMap = false;
    for (const PageItem &item : page.items)
        if (item.kind == PageItemKind::Picture && item.source == PictureSource::MapFile)
            haveMap = WriteReportMapFile(made.mapPicture, mapFile);
    DrawPage(dc, page, haveMap ? mapFile : nullptr);
    if (haveMap)
        DeleteFileA(mapFile);
}

bool QueryPrinter(const PRINTDLGA &request) {
    auto *mode = static_cast<DEVMODEA *>(GlobalLock(request.hDevMode));
    if (mode == nullptr)
        return false;
    gPrinterResolution = GetDeviceCaps(request.hDC, LOGPIXELSY);
    bool colour = (mode->dmFields & DM_COLOR) != 0 && mode->dmColor == DMCOLOR_COLOR;
    // Wine's driver says colour in the device mode of every queue, also of one whose PPD
    // says *ColorDevice: False; the printer's own capability says what it can print. Such
    // a printer would grey the colour map by brightness and lose its order.
    if (colour)
        colour = PrinterPrintsColour(request.hDevNames, mode);
    GlobalUnlock(request.hDevMode);
    return colour;
}

PRINTDLGA ReportPrintRequest() {
    PRINTDLGA request{};
    // The 64-bit structure is larger than the 66 bytes of the packed 32-bit one.
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                    PD_HIDEPRINTTOFILE;
    request.nFromPage = request.nToPage = request.nMinPage = request.nMaxPage = 1;
    request.nCopies = 1;
    return request;
}

void FreePrintRequest(PRINTDLGA &request) {
    if (request.hDevMode != nullptr)
        GlobalFree(request.hDevMode);
    if (request.hDevNames != nullptr)
        GlobalFree(request.hDevNames);
    request.hDevMode = request.hDevNames = nullptr;
}

void PrintCaseReport(HWND screen, OutletCase report) {
    PRINTDLGA request = ReportPrintRequest();
    const std::string documentName = std::string(gShell.productName) + ReportDocumentName(report);
    if (gPrintDialog(&request) && request.hDC != nullptr) {
        const bool colour = QueryPrinter(request);
        const bool printed = PrintPage(request.hDC, report, colour, documentName);
        DeleteDC(request.hDC);
        if (!printed)
            gMessageBox(screen, kPrintFailure, kPrintFailureCaption,
                        MB_OK | MB_ICONERROR | MB_TOPMOST);
    }
    FreePrintRequest(request);
    EnableWindow(screen, TRUE);
    BringToFront(screen);
    ImeOff(screen);
}
