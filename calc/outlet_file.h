#pragma once
#include "calc/batch_run.h"
#include "calc/calc_request.h"
#include "calc/csv_text.h"
#include "model/field_table.h"
#include "print/print_info.h"

#include <array>
#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

// An outlet kept in a file: a CSV file in the batch's layout, one header and one row, so
// that the same file opens on the screens, runs through the batch and reads in a
// spreadsheet. A file of several rows (a register, a batch result) is read the same way and
// one of its rows opened.

// What the file keeps of an outlet, by Field (code page 932): the texts of the fields its
// case uses and the print information; empty for every other field.
using OutletTexts = std::array<std::string, kFieldCount>;

// A field's text as a screen shows it, which may differ from the accepted text in the
// records: true, with the text, when the screen has the field.
using ShownText = std::function<bool(Field field, std::string *text)>;

// The texts of an outlet for its case (CaseUndecided: only the two heights, as the start menu
// holds them): the screen's where `shown` gives one, else the records'.
OutletTexts TextsOfOutlet(const OutletInputs &in, OutletCase outletCase, const PrintInfo &info,
                          const ShownText &shown = {});

// The file: the screens' labels as headings, then the outlet's row; code page 932 with CR LF
// as Excel saves it.
std::string OutletFileText(const OutletTexts &texts);

// A row of a file, as read.
struct OutletRow {
    uint64_t sheetRow = 0;         // the header is row 1
    std::vector<std::string> kept; // the passed-through cells (code page 932)
    OutletOptions options;         // code page 932; the screens' words made option values
    std::string verdict;           // a batch result's 判定 (code page 932), else empty
};

struct OutletSheet {
    std::vector<std::string> keptNames; // the passed-through headings (code page 932)
    std::vector<OutletRow> rows;        // the rows that are not blank
};

// A file's rows open as the screens would read them; at most this many.
constexpr size_t kMaxSheetRows = 10000;

// A file's rows one at a time, in memory that does not grow with the file.
class OutletRowReader {
  public:
    // utf8: the stream's text is UTF-8 (a byte-order mark is skipped), else code page 932.
    OutletRowReader(std::istream &in, bool utf8, const TextCodec &codec);
    // The header; false, with the reason in Japanese (code page 932), when it names no
    // outlet's column or cannot be read.
    bool ReadHeader(std::string *problem);
    const std::vector<std::string> &KeptNames() const { return keptNames_; }
    // Option name → the heading of its column as typed, as the batch's messages name it.
    const ColumnHeadings &Headings() const { return columns_.headings; }
    enum class Got { Row, End, UnclosedQuote, TooLong };
    // The next row that is not blank. A row whose quote is never closed or that is too long
    // (only its sheetRow is set) ends what can be read.
    Got Next(OutletRow *row);

  private:
    std::string Cp932(const std::string &cell) const;

    CsvReader reader_;
    bool utf8_;
    const TextCodec &codec_;
    SheetColumns columns_;
    std::vector<std::string> keptNames_;
    size_t verdictColumn_ = 0;
    uint64_t sheetRow_ = 1;
};

// Whether a passed-through column's heading names a field of the print information
// (作成者, 事業所名, 施設名), and which.
bool IsPrintHeading(const std::string &heading, Field *field);

// Reads a file's content, code page 932 or UTF-8 (with or without a byte-order mark). False,
// with the reason in Japanese (code page 932), when it holds no outlet.
bool ReadOutletSheet(const std::string &content, const TextCodec &codec, OutletSheet *sheet,
                     std::string *problem);

// The case a row opens on: as its case column says, else by the start menu's rule on its
// heights; CaseUndecided when that cannot tell.
OutletCase CaseOfRow(const OutletRow &row);

// What opening a row did.
struct OpenedOutlet {
    OutletCase outletCase = CaseUndecided; // the screen to show (CaseUndecided: the start menu)
    std::string message; // code page 932: the fields not taken, or why not on a case's screen
};

// Fills the records from a row as the screen of its case reads its fields when メニューに戻る
// is pressed: every valid field is taken, every other one left not set; the numbers as the
// batch reads them ("1,200" is 1200). The print information comes from its columns.
OpenedOutlet OpenSheetRow(const OutletSheet &sheet, const OutletRow &row, OutletInputs &in,
                          PrintInfo &info);
