#include "app/batch_command.h"

#include "app/batch_progress_dialog.h"
#include "app/platform_hooks.h"
#include "app/shell.h"
#include "calc/result_workbook.h"

#include <cstring>

namespace {

const char kCaption[] = "一括計算（CSV）";
// Room for long folder names: a path of MAX_PATH characters in code page 932 takes twice
// as many bytes.
constexpr DWORD kPathBytes = 2 * MAX_PATH;

// Where a path's folder ends (just after its last backslash), found character by character:
// a trail byte of a double-byte character can be 0x5C too.
size_t NameStart(const std::string &path) {
    size_t start = 0;
    for (const char *p = path.c_str(); *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            start = static_cast<size_t>(p - path.c_str()) + 1;
    }
    return start;
}

size_t ExtensionStart(const std::string &path, size_t nameStart) {
    size_t dot = std::string::npos;
    const char *name = path.c_str() + nameStart;
    for (const char *p = name; *p != '\0'; p = CharNextA(p)) {
        if (*p == '.' && p != name)
            dot = static_cast<size_t>(p - path.c_str());
    }
    return dot == std::string::npos ? path.size() : dot;
}

std::string FullPath(const std::string &path) {
    char full[kPathBytes];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

OPENFILENAMEA FileRequest(HWND owner, char *path, const char *filter, const char *title) {
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter;
    request.lpstrFile = path;
    request.nMaxFile = kPathBytes;
    request.lpstrTitle = title;
    return request;
}

bool AskInput(HWND owner, char *path) {
    OPENFILENAMEA request =
        FileRequest(owner, path, "CSV ファイル (*.csv)\0*.csv\0すべてのファイル (*.*)\0*.*\0",
                    "一括計算する CSV ファイルを開く");
    // The working directory stays: smell.prm is read from it.
    request.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return gOpenFileDialog(&request) != FALSE;
}

bool AskOutput(HWND owner, const std::string &inputPath, char *path) {
    const std::string proposal = ProposedResultPath(inputPath);
    const std::string folder = proposal.substr(0, NameStart(proposal));
    lstrcpynA(path, proposal.c_str(), kPathBytes);
    OPENFILENAMEA request =
        FileRequest(owner, path, "CSV ファイル (*.csv)\0*.csv\0Excel ブック（*.xlsx）\0*.xlsx\0",
                    "計算結果の保存先");
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.lpstrDefExt = "csv";
    request.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (gSaveFileDialog(&request) == FALSE)
        return false;
    // The workbook chosen under the proposed name: the name follows the choice. The extension
    // alone decides what is written.
    if (request.nFilterIndex == 2 && !IsWorkbookPath(path)) {
        std::string named = path;
        const size_t extension = ExtensionStart(named, NameStart(named));
        if (lstrcmpiA(named.c_str() + extension, ".csv") == 0)
            named.erase(extension);
        lstrcpynA(path, (named + ".xlsx").c_str(), kPathBytes);
    }
    return true;
}

} // namespace

std::string ProposedResultPath(const std::string &inputPath) {
    const size_t extension = ExtensionStart(inputPath, NameStart(inputPath));
    return inputPath.substr(0, extension) + "_結果.csv";
}

bool SameFile(const std::string &a, const std::string &b) {
    return lstrcmpiA(FullPath(a).c_str(), FullPath(b).c_str()) == 0;
}

void RunBatchCommand() {
    if (gShell.batchWindow != nullptr)
        return;
    HWND owner = gShell.activeScreenWindow;
    char input[kPathBytes] = "";
    if (!AskInput(owner, input))
        return;
    char output[kPathBytes] = "";
    if (!AskOutput(owner, input, output))
        return;
    if (SameFile(input, output)) {
        gMessageBox(
            owner,
            "読み込む CSV ファイルに結果を書くことはできません。\n別の名前で保存してください。",
            kCaption, MB_OK | MB_ICONWARNING | MB_TOPMOST);
        return;
    }
    auto *job = new BatchJob;
    job->inputPath = input;
    job->outputPath = output;
    if (!ShowBatchProgress(job))
        gMessageBox(owner, "一括計算を始められません。", kCaption,
                    MB_OK | MB_ICONWARNING | MB_TOPMOST);
}

void ReportBatch(const BatchJob &job) {
    HWND owner = gShell.activeScreenWindow;
    const UINT warning = MB_OK | MB_ICONWARNING | MB_TOPMOST;
    if (!job.failure.empty()) {
        gMessageBox(owner, job.failure.c_str(), kCaption, warning);
    } else if (job.summary.cancelled) {
        gMessageBox(owner, "一括計算を中止しました。結果は保存していません。", kCaption,
                    MB_OK | MB_ICONINFORMATION | MB_TOPMOST);
    } else if (!job.written) {
        const std::string text = "このファイルは一括計算に使えません。\n" + job.summary.problem +
                                 "\n結果は保存していません。";
        gMessageBox(owner, text.c_str(), kCaption, warning);
    } else {
        const std::string text =
            BatchSummaryText(job.summary) + "\n\n結果のファイル:\n" + job.outputPath;
        gMessageBox(
            owner, text.c_str(), kCaption,
            MB_OK | (job.summary.status == BatchComputed ? MB_ICONINFORMATION : MB_ICONWARNING) |
                MB_TOPMOST);
    }
}
