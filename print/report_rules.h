#pragma once
#include "model/field_table.h"
#include "model/outlet_results.h"
#include "model/result_texts.h"
#include "model/map_settings.h"
#include "model/verdict.h"
#include "print/page_description.h"
#include "print/print_info.h"

#include <string>
#include <vector>

// The names of the report's header. Whole texts: a register's own cells may be longer than
// the print information's 127 bytes, and the page prints every name whole.
struct ReportNames {
    std::string authorName;
    std::string officeName;
    std::string facilityName;
};
ReportNames NamesOf(const PrintInfo &info);
// The name of a field of the print information (作成者, 事業所名 or 施設名).
std::string &NameOf(ReportNames &names, Field field);

// Everything one printed report shows, held by value: printing it reads nothing else.
struct Report {
    OutletInputs inputs;    // as typed and accepted
    OutletResults results;  // of their computation
    ReportNames info;       // the header's names
    MapSettings map;        // the map's range and colour limits
    std::string title;      // the program title
    std::string printedAt;  // FormatReportDate
    TallResultTexts shown;  // the texts of the tall-outlet result display
    double landingDilution; // the grid value at the landing point
    bool colour;            // the printer prints colour
    // The map picture (kMapWidth × kMapImageRows, 3 bytes a pixel, bottom row first) for the
    // tall cases; empty in the low cases and when its memory was refused.
    std::vector<unsigned char> mapPicture;
    // The verdict on the measured index, when one was given and could be judged.
    bool judged;
    Compliance verdict;
    double reduction; // the fraction to remove; 0 when the outlet complies
    // Constants of the dispersion model that differed from the built-in ones (tall cases).
    int constantsChanged;
    // A register's page: which row of which sheet it is, in a line of its own; else empty.
    std::string registerLine;
};

// The report of an outlet: the result texts as the screen shows them, the landing cell's
// value from grid (the dilution degrees of in's computation) and the map picture for the
// printer's colour. The title and the date are the caller's.
Report MakeReport(OutletCase report, const OutletInputs &in, const OutletResults &results,
                  const double *grid, const MapSettings &map, const PrintInfo &info, bool colour);

// The verdict on the report's measured index against its standard, as the screens judge.
void JudgeReport(OutletCase report, Report &made);

// "%d年%02d月%02d日%2d時%02d分%02d秒"
std::string FormatReportDate(int year, int month, int day, int hour, int minute, int second);
// At most maxBytes bytes of text, ending before a double-byte character that would not fit.
std::string CutText(const char *text, int maxBytes);
// An input as typed when shorter than 10 bytes, else the accepted number with one decimal:
// long texts would run into the output box.
std::string TypedValue(const char *text, double stored);

// A name printed whole from (x, y) up to right: in the body font when it fits, else in a
// smaller one down to 0.8 of it, else in lines of that size below each other, the first
// from x, the others from nextX, at most maxLines (the last holds the rest).
void AddWholeName(PageDescription &page, int x, int nextX, int y, int right,
                  const std::string &name, int maxLines);
// An emission rate as the screen writes it: the mantissa at (x, y), the raised exponent
// right after it and the unit m³N/min after that (without a number, the mantissa alone).
void AddEmissionRate(PageDescription &page, int x, int y, const std::string &mantissa,
                     const std::string &exponent);
// With a judged measured index: the index, in the tall cases the measured emission rate,
// the verdict and, when the outlet does not comply, the reduction needed; rows 1 1/2 units
// apart from (x, y) on. Without a verdict, nothing.
void AddVerdictBlock(PageDescription &page, int x, int y, const Report &from, bool tall);
// The program and its version at the foot of the input column and, when smell.prm changed
// constants of the dispersion model, how many; a register's line above them.
void AddReportFooter(PageDescription &page, OutletCase report, const Report &from);

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
