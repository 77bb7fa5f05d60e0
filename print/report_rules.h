#pragma once
#include "model/outlet_results.h"
#include "model/result_texts.h"
#include "model/map_settings.h"
#include "print/page_description.h"
#include "print/print_info.h"

#include <string>
#include <vector>

// Everything one printed report shows, held by value: printing it reads nothing else.
struct Report {
    OutletInputs inputs;    // as typed and accepted
    OutletResults results;  // of their computation
    PrintInfo info;         // the header's names
    MapSettings map;        // the map's range and colour limits
    std::string title;      // the program title
    std::string printedAt;  // FormatReportDate
    TallResultTexts shown;  // the texts of the tall-outlet result display
    double landingDilution; // the grid value at the landing point
    bool colour;            // the printer prints colour
    // The map picture (kMapWidth × kMapImageRows, 3 bytes a pixel, bottom row first) for the
    // tall cases; empty in the low cases and when its memory was refused.
    std::vector<unsigned char> mapPicture;
};

// The report of an outlet: the result texts as the screen shows them, the landing cell's
// value from grid (the dilution degrees of in's computation) and the map picture for the
// printer's colour. The title and the date are the caller's.
Report MakeReport(OutletCase report, const OutletInputs &in, const OutletResults &results,
                  const double *grid, const MapSettings &map, const PrintInfo &info, bool colour);

// "%d年%02d月%02d日%2d時%02d分%02d秒"
std::string FormatReportDate(int year, int month, int day, int hour, int minute, int second);
// At most maxBytes bytes of text, ending before a double-byte character that would not fit.
std::string CutText(const char *text, int maxBytes);
// An input as typed when shorter than 10 bytes, else the accepted number with one decimal:
// long texts would run into the output box.
std::string TypedValue(const char *text, double stored);

// The frame and header of the two column layouts.
void AddReportHeader(PageDescription &page, OutletCase report, const Report &from,
                     const char *caseHeading);
void AddReportFrame(PageDescription &page, OutletCase report);
// A value at (18, row) followed by its unit with a raised "3" or "2", placed from the
// value's length. longRule: place as for a value of 7 bytes or more whatever its length.
void AddValueWithUnit(PageDescription &page, int row, const std::string &value, const char *unit,
                      const char *superscript, bool longRule);

// The whole page of a case.
PageDescription DescribeLowOutletReport(OutletCase report, const Report &from, int u);
PageDescription DescribeTallOutletReport(OutletCase report, const Report &from, int u);
PageDescription DescribeReport(OutletCase report, const Report &from, int u);
// The dilution map block with its first row at y0 (units).
void AddReportMap(PageDescription &page, int y0, const Report &from);

// The document name the spooler shows, after the product name.
const char *ReportDocumentName(OutletCase report);
