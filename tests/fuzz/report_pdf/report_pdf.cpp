// Any bytes as a register printed to PDF, as kamorte-calc --report and the program's 一括印刷
// read one: the first byte chooses colour, the rest is the file, whose 作成者, 事業所名 and
// 施設名 cells put texts of every kind on the pages. The first pages are laid out and drawn:
// they are numbered in order, every item lies on the A4 sheet, and the PDF is written whole.
#include "tests/fuzz/fuzz_support.h"

#include "calc/register_pages.h"
#include "print/cairo/report_pdf.h"
#include "tools/kamorte_calc/batch.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

// An A4 sheet at the PDF's resolution, in device units.
constexpr int kSheetWidth = 210 * kReportDotsPerInch * 10 / 254;
constexpr int kSheetHeight = 297 * kReportDotsPerInch * 10 / 254;

void CheckOnSheet(const PageDescription &page) {
    for (const PageItem &item : page.items) {
        FUZZ_CHECK(item.x >= 0 && item.x < kSheetWidth);
        FUZZ_CHECK(item.y >= 0 && item.y < kSheetHeight);
        if (item.kind == PageItemKind::Text && item.maxWidth > 0)
            FUZZ_CHECK(item.x + item.maxWidth <= kSheetWidth);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // What cairo and fontconfig keep for the process is given back at its end, as
    // kamorte-calc does, so that the leak checker sees only what a page leaves behind.
    static const int releaseAtExit = std::atexit(ReleaseFontCaches);
    (void)releaseAtExit;
    if (size < 1 || size > 8192)
        return 0;
    RegisterPrint print;
    print.title = "カモルテ";
    print.printedAt = FormatReportDate(2026, 4, 1, 9, 5, 7);
    print.colour = (data[0] & 1) != 0;
    print.unit = ReportUnit(kReportDotsPerInch, 0);
    print.codec = PlatformCodec();
    RegisterPages pages(print);
    std::istringstream in(std::string(reinterpret_cast<const char *>(data) + 1, size - 1));
    std::string problem;
    if (!pages.Open(in, &problem)) {
        FUZZ_CHECK(!problem.empty());
        return 0;
    }
    const RegisterCount &count = pages.Count();
    FUZZ_CHECK((count.rowsSkipped == 0) == RegisterSkippedText(count).empty());
    std::FILE *sink = std::fopen("/dev/null", "wb");
    FUZZ_CHECK(sink != nullptr);
    {
        ReportPdf pdf(sink, print.codec.cp932ToUtf8, print.colour);
        RegisterPage page;
        for (uint64_t n = 1; n <= 2 && pages.Next(&page); ++n) {
            FUZZ_CHECK(page.number == n && n <= count.pages);
            CheckOnSheet(page.description);
            pdf.AddPage(page.description, page.report.mapPicture);
            CountComputed();
        }
        FUZZ_CHECK(pdf.Finish());
    }
    std::fclose(sink);
    return 0;
}
