#pragma once
#include "calc/calc_output.h"
#include "calc/result_sheet.h"
#include "model/verdict.h"

#include <string>
#include <vector>

// The result columns of the batch's default layout, for an officer reading the result in a
// spreadsheet: Japanese headings, the standard in one column whatever the case, numbers as
// the screens show them.

// What a computed row gives the columns.
struct RowVerdict {
    OutletStandard standard;
    bool judged = false; // a measured index was given and judged
    Compliance verdict;
};

// The headings, code page 932, in order.
const std::vector<std::string> &ResultHeadings();

// A heading of these columns (as typed, normalised as the batch reads headings): recomputed
// when a result is read again, never passed through.
bool IsResultHeading(const std::string &heading);

// Code page 932 has no ³: the kind's unit is written "m3N/min" and raised in UTF-8 text.
constexpr size_t kKindColumn = 3;
std::string RaisedUnit(const std::string &utf8);

// The row's cells under ResultHeadings() (code page 932, neither quoted nor guarded). An
// outcome left empty (the row refused) fills only the note and the error.
std::vector<std::string> ResultCells(const Outcome &outcome, const RowVerdict &row,
                                     const std::string &note, const std::string &error);

// The same cells for a workbook: the standard, the index, the dilution and the margin as
// numbers, the standard of cases C and D at its full value shown with two figures as the
// screen shows it, the reduction as a percentage; the rest as texts (toUtf8 converts them).
SheetRow ResultSheetCells(const std::vector<std::string> &cells, const TextConverter &toUtf8);
