// Any bytes as a batch file whose result goes to an Excel workbook, as --output 結果.xlsx and
// the program's save as a workbook write one: texts of every kind (formulas, numbers, dates,
// control characters, long and broken ones) as cells. The workbook is written whole, and the
// sheet holds a row for every row of the file that is not blank.
#include "tests/fuzz/fuzz_support.h"

#include "calc/batch_run.h"
#include "calc/result_workbook.h"
#include "tools/kamorte_calc/batch.h"

#include <cstdio>
#include <sstream>
#include <unistd.h>

namespace {

// Counts what the batch hands the sheet and passes it on to the workbook.
class CountedSheet : public ResultSheet {
  public:
    explicit CountedSheet(ResultWorkbook &book) : book_(book) {}
    bool Headings(const SheetRow &cells) override {
        headings = true;
        return book_.Headings(cells);
    }
    bool Row(uint64_t sheetRow, const SheetRow &cells, bool notComplying) override {
        FUZZ_CHECK(sheetRow > lastRow);
        lastRow = sheetRow;
        ++rows;
        return book_.Row(sheetRow, cells, notComplying);
    }
    bool headings = false;
    uint64_t rows = 0;
    uint64_t lastRow = 1;

  private:
    ResultWorkbook &book_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 8192)
        return 0;
    static const std::string path = "/tmp/fuzz-workbook-" + std::to_string(getpid()) + ".xlsx";
    ResultWorkbook book(path, "結果");
    FUZZ_CHECK(book.Opened());
    CountedSheet sheet(book);
    BatchSettings settings;
    settings.inputEncoding = static_cast<InputEncoding>(data[0] % 3);
    settings.codec = PlatformCodec();
    settings.params = &BuiltInSmellParams();
    settings.sheet = &sheet;
    settings.layout = (data[0] & 4) ? BatchLayout::All : BatchLayout::People;
    std::istringstream in(std::string(reinterpret_cast<const char *>(data) + 1, size - 1));
    std::ostringstream out;
    const BatchSummary summary = RunBatch(in, out, settings, [](const BatchProgress &) {});
    FUZZ_CHECK(out.str().empty());
    FUZZ_CHECK(!summary.writeFailed);
    if (summary.status != BatchFileUnusable) {
        FUZZ_CHECK(sheet.headings);
        FUZZ_CHECK(sheet.rows >= summary.rowsComputed + summary.rowsRefused);
    }
    FUZZ_CHECK(book.Close());
    if (summary.rowsComputed > 0)
        CountComputed();
    std::FILE *written = std::fopen(path.c_str(), "rb");
    FUZZ_CHECK(written != nullptr);
    char magic[2] = {};
    FUZZ_CHECK(std::fread(magic, 1, 2, written) == 2 && magic[0] == 'P' && magic[1] == 'K');
    std::fclose(written);
    std::remove(path.c_str());
    return 0;
}
