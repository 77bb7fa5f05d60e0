#include "print/win/register_print_command.h"

#include "app/batch_progress_dialog.h"
#include "app/current_outlet.h"
#include "app/platform_hooks.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "print/win/print_info_dialog.h"
#include "print/win/register_print_progress_dialog.h"
#include "print/win/report_printing.h"

#include <memory>

const char kRegisterPrintCaption[] = "一括印刷（CSV）";

namespace {

// Room for long folder names: a path of MAX_PATH characters in code page 932 takes twice
// as many bytes.
constexpr DWORD kPathBytes = 2 * MAX_PATH;

// The job between the open dialog and the end of 印刷情報.
RegisterPrintJob *gPending = nullptr;

bool AskRegister(HWND owner, char *path) {
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = "CSV ファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0";
    request.lpstrFile = path;
    request.nMaxFile = kPathBytes;
    request.lpstrTitle = "一括印刷する CSV ファイルを開く";
    // The working directory stays: smell.prm is read from it.
    request.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return gOpenFileDialog(&request) != FALSE;
}

std::string FileNameOf(const std::string &path) {
    size_t start = 0;
    for (const char *p = path.c_str(); *p != '\0'; p = CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            start = static_cast<size_t>(p - path.c_str()) + 1;
    return path.substr(start);
}

void Tell(const std::string &text, UINT icon) {
    gMessageBox(gShell.activeScreenWindow, text.c_str(), kRegisterPrintCaption,
                MB_OK | icon | MB_TOPMOST);
}

// 印刷情報 ended: on OK the print dialog, then the print in the progress window. The
// screen stays disabled until the print ends; a cancel anywhere gives it back.
void AfterNames(HWND screen, bool ok) {
    std::unique_ptr<RegisterPrintJob> job(gPending);
    gPending = nullptr;
    if (!ok)
        return;
    PRINTDLGA request = ReportPrintRequest();
    if (!gPrintDialog(&request) || request.hDC == nullptr) {
        FreePrintRequest(request);
        EnableWindow(screen, TRUE);
        ImeOff(screen);
        return;
    }
    job->colour = QueryPrinter(request);
    job->unit = PrinterUnit(request.hDC);
    job->printer = request.hDC;
    FreePrintRequest(request);
    job->title = gShell.titleText;
    job->documentName =
        std::string(gShell.productName) + "一括印刷（" + FileNameOf(job->inputPath) + "）";
    job->printedAt = PrintedNow();
    if (!ShowRegisterPrintProgress(job.release()))
        Tell("一括印刷を始められません。", MB_ICONWARNING);
}

} // namespace

void RunRegisterPrintCommand() {
    if (gShell.batchWindow != nullptr || gShell.printInfoWindow != nullptr)
        return;
    HWND screen = gShell.activeScreenWindow;
    char input[kPathBytes] = "";
    if (!AskRegister(screen, input))
        return;
    auto job = std::make_unique<RegisterPrintJob>();
    job->inputPath = input;
    // The names start as the current outlet's; what is typed now stays with this print.
    job->info = gPrintInfo;
    EnableWindow(screen, FALSE);
    gShell.printInfoWindow = OpenRegisterPrintInformation(screen, &job->info, AfterNames);
    if (gShell.printInfoWindow == nullptr) {
        EnableWindow(screen, TRUE);
        return;
    }
    gPending = job.release();
}

void ReportRegisterPrint(const RegisterPrintJob &job) {
    const std::string leftOut = RegisterSkippedText(job.count);
    if (job.cancelled) {
        Tell("一括印刷を中止しました。何も印刷していません。", MB_ICONINFORMATION);
    } else if (!job.failure.empty()) {
        Tell(job.failure, MB_ICONWARNING);
    } else if (!job.printed) {
        Tell("印刷できる排出口がありません。\n" + leftOut, MB_ICONWARNING);
    } else {
        const std::string text = GroupedCount(job.pagesDone) + " ページを印刷しました。" +
                                 (leftOut.empty() ? std::string() : "\n" + leftOut);
        Tell(text, leftOut.empty() ? MB_ICONINFORMATION : MB_ICONWARNING);
    }
}
