#pragma once
#include "calc/batch_run.h"
#include "calc/outlet_file.h"
#include "model/dilution_grid.h"
#include "model/smell_params.h"
#include "print/report_rules.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>

// The reports of a register: one page a row that can be computed, in the order of the rows,
// each the report its case's screen prints for that outlet (the map of cases C and D
// computed for the row with its default map settings, the verdict block when the row has a
// measured index), with a line of the register's own: the sheet's row, the 排出口番号 cell
// and "N / M". The program prints the pages through GDI, kamorte-calc into a PDF; the pages
// are the same. Rows come one at a time over one grid: memory is that of one outlet however
// long the register is.

// What every page of one print shares.
struct RegisterPrint {
    ReportNames info; // the print information; a row's own 作成者, 事業所名 or 施設名 wins
    std::string title;     // the program title
    std::string printedAt; // the date line (FormatReportDate), the same on every page
    bool colour = true;    // the printer prints colour: the map's ramp and marks
    int unit = 42;         // u in the page's device units
    TextCodec codec;       // a register in UTF-8 is read through it
};

// What a register gives: its pages, and the rows that give none with the first of them.
struct RegisterCount {
    uint64_t pages = 0;
    uint64_t rowsSkipped = 0;
    uint64_t firstSkippedRow = 0; // the sheet's row (the header is row 1); 0 when none
    std::string firstError;       // code page 932
};

struct RegisterPage {
    uint64_t sheetRow = 0; // the header is row 1
    uint64_t number = 0;   // 1 … pages
    OutletCase outletCase = CaseUndecided;
    Report report;               // what the page shows, the map picture among it
    PageDescription description; // in the unit of the print
};

class RegisterPages {
  public:
    explicit RegisterPages(const RegisterPrint &print);
    ~RegisterPages();
    RegisterPages(const RegisterPages &) = delete;
    RegisterPages &operator=(const RegisterPages &) = delete;

    // Reads the register's header from a stream that can be read again from its start (a
    // file), and checks and computes every row without a grid to count the pages, so that
    // the first page can say how many follow. False, with the reason in Japanese (code page
    // 932), when the file is no register.
    bool Open(std::istream &in, std::string *problem);
    const RegisterCount &Count() const { return count_; }

    // The page of the next row that gives one, computed on the one grid; false after the
    // last, or when the grid's memory was refused (OutOfMemory()).
    bool Next(RegisterPage *page);
    bool OutOfMemory() const { return outOfMemory_; }

  private:
    struct Row;
    // Checks and computes a row on the record, on the grid or without it: its error, or
    // empty when it gives a page.
    std::string ComputeRow(const OutletRow &row, bool withGrid, Row *computed);
    void Skip(uint64_t sheetRow, const std::string &error);

    RegisterPrint print_;
    std::istream::pos_type start_ = 0;
    bool utf8_ = false;
    std::unique_ptr<OutletRowReader> reader_;
    std::unique_ptr<OutletInputs> record_;
    DilutionGrid grid_;
    SmellParams params_;
    int constantsChanged_ = 0;
    RegisterCount count_;
    uint64_t printed_ = 0;
    bool outOfMemory_ = false;
};

// The closing words of a print that left rows out ("3 行は入力に誤りがあるため印刷していません
// （最初の誤り: 5 行目 …）", code page 932); empty when every row was printed.
std::string RegisterSkippedText(const RegisterCount &count);
