#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A cell of a batch result as a workbook holds it: a text exactly as it was read or written
// (UTF-8; never a formula, never a guard), or a number with the format that shows it as the
// screens show it.
struct SheetCell {
    enum Kind { Empty, Text, Number } kind = Empty;
    std::string text;
    double number = 0;
    enum Shown { General, Whole, Tenths, TwoFigures, Percent } shown = General;
};
using SheetRow = std::vector<SheetCell>;

SheetCell TextCell(const std::string &utf8);
SheetCell NumberCell(double number, SheetCell::Shown shown = SheetCell::General);

// The rows a sheet holds, its headings among them.
constexpr uint64_t kSheetRowLimit = 1048576;

// Where a batch puts its result cell by cell instead of writing CSV text.
class ResultSheet {
  public:
    virtual ~ResultSheet() = default;
    // Row 1. False when it could not be written.
    virtual bool Headings(const SheetRow &cells) = 0;
    // A row of the sheet as the sheet numbers it (the headings are row 1), marked when the
    // outlet does not comply. False when it could not be written.
    virtual bool Row(uint64_t sheetRow, const SheetRow &cells, bool notComplying) = 0;
};
