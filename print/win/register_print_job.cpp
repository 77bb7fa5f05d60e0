#include "print/win/register_print_job.h"

#include "calc/text_codec_win.h"
#include "print/win/report_printing.h"

#include <fstream>
#include <new>

namespace {

const char kNoMemory[] = "メモリが足りないため、一括印刷を続けられません。何も印刷していません。";

void ReportPage(RegisterPrintJob &job) {
    ++job.pagesDone;
    if (!job.progressPending.exchange(true))
        PostMessageA(job.window, kRegisterPrintProgressMessage, 0, 0);
}

// Everything after StartDoc ends here when the document cannot be whole: the spooler drops
// what it was given, so no part of the register comes out.
void Abandon(RegisterPrintJob &job, const std::string &why) {
    AbortDoc(job.printer);
    job.failure = why;
}

void PrintPages(RegisterPrintJob &job, RegisterPages &pages) {
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = job.documentName.c_str();
    HDC dc = job.printer;
    if (StartDocA(dc, &document) <= 0) {
        job.failure = kPrintFailure;
        return;
    }
    try {
        RegisterPage page;
        while (!job.cancel && pages.Next(&page)) {
            if (StartPage(dc) <= 0)
                return Abandon(job, kPrintFailure);
            SetBkMode(dc, TRANSPARENT);
            DrawReportPage(dc, page.description, page.report);
            if (EndPage(dc) <= 0)
                return Abandon(job, kPrintFailure);
            ReportPage(job);
        }
    } catch (const std::bad_alloc &) {
        return Abandon(job, kNoMemory);
    }
    if (job.cancel) {
        AbortDoc(dc);
        job.cancelled = true;
        return;
    }
    if (pages.OutOfMemory())
        return Abandon(job, kNoMemory);
    // The file read again for the pages is not the one counted: it changed meanwhile.
    if (job.pagesDone != job.count.pages)
        return Abandon(job, "印刷の途中で一覧のファイルが変わりました。何も印刷していません。\n" +
                                job.inputPath);
    if (EndDoc(dc) <= 0)
        return Abandon(job, kPrintFailure);
    job.printed = true;
}

void RunRegisterPrint(RegisterPrintJob &job) {
    std::ifstream in(job.inputPath, std::ios::binary);
    if (!in) {
        job.failure = "ファイルを開けません。\n" + job.inputPath;
        return;
    }
    RegisterPrint print;
    print.info = NamesOf(job.info);
    print.title = job.title;
    print.printedAt = job.printedAt;
    print.colour = job.colour;
    print.unit = job.unit;
    print.codec = WindowsTextCodec();
    RegisterPages pages(print);
    std::string problem;
    if (!pages.Open(in, &problem)) {
        job.failure = "このファイルは一括印刷に使えません。\n" + problem;
        return;
    }
    job.count = pages.Count();
    job.pages = job.count.pages;
    if (job.count.pages == 0 || job.cancel) {
        job.cancelled = job.cancel;
        return;
    }
    PostMessageA(job.window, kRegisterPrintProgressMessage, 0, 0);
    PrintPages(job, pages);
}

} // namespace

void StartRegisterPrintJob(RegisterPrintJob &job) {
    job.worker = std::thread([&job] {
        try {
            RunRegisterPrint(job);
        } catch (const std::bad_alloc &) {
            job.failure = kNoMemory;
        }
        PostMessageA(job.window, kRegisterPrintDoneMessage, 0, 0);
    });
}

void FinishRegisterPrintJob(RegisterPrintJob &job) {
    if (job.worker.joinable())
        job.worker.join();
}
