#pragma once
#include "calc/batch_run.h"
#include "calc/output_file.h"
#include "calc/result_sheet.h"

#include <string>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// A batch result as an Excel workbook (libxlsxwriter): texts stay texts as typed, numbers are
// numbers, the headings stay in view, the columns are as wide as what they hold and the rows
// of outlets that do not comply are filled. Rows are written as they come (constant memory),
// in one sheet.
class ResultWorkbook : public ResultSheet {
  public:
    // fileName: a path as fopen takes it (code page 932 on Windows: the mingw build of
    // libxlsxwriter opens its file with fopen, not by a UTF-8 name); sheetName: UTF-8, valid.
    ResultWorkbook(const std::string &fileName, const std::string &sheetName);
    ~ResultWorkbook() override;
    ResultWorkbook(const ResultWorkbook &) = delete;
    ResultWorkbook &operator=(const ResultWorkbook &) = delete;

    bool Opened() const { return sheet_ != nullptr; }
    bool Headings(const SheetRow &cells) override;
    bool Row(uint64_t sheetRow, const SheetRow &cells, bool notComplying) override;
    // Writes the file; false when it could not be written whole.
    bool Close();

  private:
    // wrapped: the format of a text of several lines, null for the headings.
    bool Put(uint64_t sheetRow, const SheetRow &cells, lxw_format *const *formats,
             lxw_format *wrapped);

    lxw_workbook *book_ = nullptr;
    lxw_worksheet *sheet_ = nullptr;
    lxw_format *heading_ = nullptr;
    lxw_format *plain_[5] = {};   // per SheetCell::Shown
    lxw_format *filled_[5] = {};  // the same over the fill of a row that does not comply
    lxw_format *wrapped_[2] = {}; // a text of several lines, plain and filled
    std::vector<double> widths_;
    bool failed_ = false;
};

// The path names a workbook (ends in .xlsx, in any case).
bool IsWorkbookPath(const std::string &path);

// A sheet's name from the input file's path (UTF-8): its name without the extension, with the
// characters a sheet's name may not hold replaced and cut to the 31 characters it may have.
std::string WorkbookSheetName(const std::string &inputPathUtf8);

// Runs the batch into a workbook written through `out`, the one writer: under its temporary
// name, or for a device or a pipe in a scratch file whose bytes then go through its stream.
// The caller commits `out` as for a CSV result, or abandons it when the summary says so.
BatchSummary RunBatchToWorkbook(std::istream &in, OutputFile &out, const std::string &sheetName,
                                BatchSettings settings,
                                const std::function<void(const BatchProgress &)> &progress = {},
                                const std::atomic<bool> *cancel = nullptr);
