#pragma once
#include "calc/batch_row.h"
#include "calc/result_sheet.h"
#include "model/compute_status.h"
#include "model/smell_params.h"
#include <atomic>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

enum class InputEncoding { Auto, Utf8, Cp932 };
enum class OutputEncoding { Default, Utf8Bom, Utf8, Cp932 };
// People: the passed-through columns, the inputs as read under their headings, then the
// results under Japanese headings as the screens show them. All: every result key.
enum class BatchLayout { People, All };

// The platform's conversions between code page 932 and UTF-8 (iconv in kamorte-calc on Linux,
// MultiByteToWideChar/WideCharToMultiByte on Windows). Unconvertible bytes are kept, not dropped.
struct TextCodec {
    std::function<std::string(const std::string &)> cp932ToUtf8;
    std::function<std::string(const std::string &)> utf8ToCp932;
};

struct BatchSettings {
    InputEncoding inputEncoding = InputEncoding::Auto; // Auto needs a seekable stream (the whole
                                                       // file is checked first)
    OutputEncoding outputEncoding = OutputEncoding::Default; // Default: cp932 in → cp932 out,
                                                             // otherwise UTF-8 with BOM
    TextCodec codec;
    const SmellParams *params = nullptr; // null: smell.prm is read once for the batch
    // The result goes to a file: a character the output encoding cannot hold stops the run
    // (the file is then discarded). On a stream, where rows are gone once written, it is
    // written as "?" and the summary names the rows.
    bool stopOnUnwritable = false;
    BatchLayout layout = BatchLayout::People;
    // When set, the result goes to this sheet cell by cell, its texts in UTF-8, and nothing
    // is written to the stream. A file of more rows than a sheet holds is refused before a
    // row is computed.
    ResultSheet *sheet = nullptr;
};

struct BatchProgress {
    uint64_t bytesRead = 0;
    uint64_t bytesTotal = 0; // 0 when unknown (standard input)
    uint64_t rowsDone = 0;
};

// How a batch ended, worst first by value; the values are kamorte-calc's exit statuses.
enum BatchStatus : int {
    BatchComputed = 0,       // every row computed
    BatchRowRefused = 1,     // a row refused
    BatchFileUnusable = 2,   // the file unusable (nothing computed) or the result unwritten
    BatchRowNotComputed = 3, // a row could not be computed (flow guard, memory)
};

struct BatchSummary {
    BatchStatus status = BatchComputed;
    bool cancelled = false;
    uint64_t rowsComputed = 0;
    uint64_t rowsRefused = 0;
    bool judged = false;                  // the file has a measured index column
    uint64_t rowsNotComplying = 0;        // of the rows computed, those judged 不適合 //
                                          // rows given an error cell (bad input or not computable)
    uint64_t firstErrorRow = 0;           // row of the sheet, header = row 1; 0 when none
    std::string firstError;               // code page 932
    std::string problem;                  // code page 932: why the file could not be used
    std::string problemEnglish;           // the same for scripts; empty when none
    std::vector<std::string> passThrough; // code page 932: names of the columns passed through
    // The result could not be written (a full disk, a closed pipe): BatchFileUnusable and
    // `problem` say so, the rows after the failure were not computed.
    bool writeFailed = false;
    // Rows (the header is row 1) with a character the output encoding cannot hold, written
    // as "?": the first few of them, and how many.
    std::vector<uint64_t> unwritableRows;
    uint64_t unwritableCount = 0;
    InputEncoding inputEncodingUsed = InputEncoding::Auto; // Utf8 or Cp932 once the file is read
};

// How a header's columns are used: by the batch, and by opening an outlet file.
struct SheetColumns {
    std::vector<std::string> option; // per column: the option it feeds, empty when kept
    std::vector<bool> result;        // per column: a result column of an earlier run, dropped
    std::vector<std::string> keptNames;
    std::vector<std::string> inputNames;   // the options' headings as read, in their order
    std::vector<std::string> inputOptions; // their options
    ColumnHeadings headings;               // code page 932
};

// Why a file cannot be used: in the words of the program, and in English for scripts.
struct FileProblem {
    std::string text; // code page 932
    std::string english;
};

// The header's columns (cells converted to code page 932 by `toCp932`), with the names of
// the passed-through ones in code page 932; false, with the problem, when the file cannot be
// used.
bool ReadSheetColumns(const std::vector<std::string> &header,
                      const std::function<std::string(const std::string &)> &toCp932,
                      SheetColumns *columns, std::vector<std::string> *keptCp932,
                      FileProblem *problem);

// Reads the CSV from `in`, writes the result CSV to `out` (header + one row per row of the
// sheet, in input order, a blank row left blank, the passed-through columns first). `progress` (may
// be empty) is called from the calling thread between parts of rows; `cancel` (may be null) is
// polled between parts: a cancelled run stops early with summary.cancelled set.
BatchSummary RunBatch(std::istream &in, std::ostream &out, const BatchSettings &settings,
                      const std::function<void(const BatchProgress &)> &progress = {},
                      const std::atomic<bool> *cancel = nullptr);

// A row's error when its outlet could not be computed (the flow guard, memory refused).
const char *RowFailureMessage(ComputeStatus status);

// The result could not be written (a full disk, a closed pipe): marks the summary so.
void MarkUnwritten(BatchSummary *summary);

// "12,345 行を計算、3 行は入力に誤り（最初の誤り: 17 行目 …）" in code page 932.
std::string BatchSummaryText(const BatchSummary &summary);
