// Prints the pages of a register through the program's GDI renderer to the default printer,
// with a fixed clock, as one document: the GDI side of the comparison with kamorte-calc's
// cairo pages of the same register (renderers_test.sh).
//
//   kamorte_gdi_pages REGISTER.csv
//
// Prints "pages N" and "printed" when the document was given to the printer.
#include "calc/register_pages.h"
#include "calc/text_codec_win.h"
#include "print/win/map_file.h"
#include "print/win/page_renderer.h"
#include "print/win/report_printing.h"

#include <windows.h>

#include <cstdio>
#include <fstream>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::printf("usage: kamorte_gdi_pages REGISTER.csv\n");
        return 2;
    }
    PRINTDLGA request{};
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&request) || request.hDC == nullptr) {
        std::printf("FAILED: no default printer\n");
        return 1;
    }
    RegisterPrint print{};
    print.colour = QueryPrinter(request);
    print.unit = ReportUnit(gPrinterResolution, 0);
    print.title = "カモルテ（臭気指数第２号規制基準算定ソフト）";
    print.printedAt = FormatReportDate(2026, 4, 1, 9, 5, 7);
    print.codec = WindowsTextCodec();
    std::ifstream file(argv[1], std::ios::binary);
    RegisterPages pages(print);
    std::string problem;
    if (!pages.Open(file, &problem)) {
        std::printf("FAILED: %s\n", problem.c_str());
        return 1;
    }
    std::printf("pages %llu, unit %d\n", static_cast<unsigned long long>(pages.Count().pages),
                print.unit);
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "kamorte-gdi-pages";
    HDC dc = request.hDC;
    bool ok = StartDocA(dc, &document) > 0;
    for (RegisterPage page; ok && pages.Next(&page);) {
        ok = StartPage(dc) > 0;
        SetBkMode(dc, TRANSPARENT);
        char mapFile[MAX_PATH] = "";
        const bool haveMap = WriteReportMapFile(page.report.mapPicture, mapFile);
        DrawPage(dc, page.description, haveMap ? mapFile : nullptr);
        if (haveMap)
            DeleteFileA(mapFile);
        ok = ok && EndPage(dc) > 0;
    }
    ok = ok && EndDoc(dc) > 0;
    DeleteDC(dc);
    std::printf(ok ? "printed\n" : "FAILED: the printer refused the document\n");
    return ok ? 0 : 1;
}
