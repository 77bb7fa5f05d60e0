#include "tools/kamorte_calc/batch.h"
#include "tools/kamorte_calc/output_message.h"
#include "tools/kamorte_calc/smell_prm_report.h"

#include "calc/calc_request.h"
#include "calc/output_file.h"
#include "calc/result_workbook.h"
#include "calc/stdio_stream.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

std::vector<std::string> SplitCsvLine(const std::string &line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cells.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

TextCodec PlatformCodec() {
    return {Cp932ToUtf8, Utf8ToCp932};
}

namespace {

// A line on standard error that rewrites itself, only for a person watching a terminal
// and only once the run has lasted long enough to want one.
class ProgressLine {
  public:
    ProgressLine() : start_(std::chrono::steady_clock::now()), shown_(false) {
        terminal_ = StandardErrorIsTerminal();
    }
    void Show(const BatchProgress &p) {
        const auto now = std::chrono::steady_clock::now();
        // A terminal redrawn a thousand times a second only slows the run it reports on.
        if (!terminal_ || now - start_ < std::chrono::seconds(1) ||
            (shown_ && now - drawn_ < std::chrono::milliseconds(200)))
            return;
        drawn_ = now;
        std::string line = std::to_string(p.rowsDone) + " 行";
        if (p.bytesTotal > 0)
            line += "（" + std::to_string(p.bytesRead * 100 / p.bytesTotal) + "%）";
        std::fprintf(stderr, "\r%s", Cp932ToUtf8(line).c_str());
        std::fflush(stderr);
        shown_ = true;
    }
    void Clear() {
        if (shown_)
            std::fputs("\r\x1b[K", stderr);
    }

  private:
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point drawn_;
    bool terminal_;
    bool shown_;
};

} // namespace

int RunBatchCommand(const BatchCommand &command) {
    const bool standardInput = command.path == "-";
    BatchSettings settings;
    settings.inputEncoding = command.inputEncoding;
    // A pipe cannot be read twice to tell its encoding; what arrives there is UTF-8.
    if (standardInput && settings.inputEncoding == InputEncoding::Auto)
        settings.inputEncoding = InputEncoding::Utf8;
    settings.outputEncoding = command.outputEncoding;
    settings.codec = PlatformCodec();
    settings.stopOnUnwritable = !command.outputPath.empty();
    settings.layout = command.layout;
    UseBinaryStandardStreams();

    std::ifstream file;
    if (!standardInput) {
        file.open(command.path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "kamorte-calc: cannot read %s\n", command.path.c_str());
            return kBadUsage;
        }
    }
    std::istream &in = standardInput ? std::cin : file;

    std::unique_ptr<OutputFile> target;
    std::FILE *stream = stdout;
    if (!command.outputPath.empty()) {
        target.reset(new OutputFile(command.outputPath));
        stream = target->Stream();
        if (!stream) {
            ReportUnwritten(command.outputPath, target->Problem());
            return kBadUsage;
        }
    }
    StdioOutStream out(stream);
    // Rows of cases C and D use the constants of smell.prm; say so whenever a file is there.
    const SmellPrmReport prm = ReadSmellPrmReport();
    std::fputs(SmellPrmLine(prm).c_str(), stderr);
    settings.params = &prm.params;

    ProgressLine progress;
    const auto show = [&progress](const BatchProgress &p) { progress.Show(p); };
    const bool workbook = target && IsWorkbookPath(command.outputPath);
    const BatchSummary summary =
        workbook ? RunBatchToWorkbook(
                       in, *target,
                       WorkbookSheetName(Cp932ToUtf8(standardInput ? std::string() : command.path)),
                       settings, show)
                 : RunBatch(in, out, settings, show);
    progress.Clear();
    if (summary.status == BatchFileUnusable) {
        if (target)
            target->Abandon();
        const std::string where =
            summary.writeFailed
                ? (command.outputPath.empty() ? std::string("standard output") : command.outputPath)
                : (standardInput ? std::string("standard input") : command.path);
        std::fprintf(stderr, "kamorte-calc: %s: %s\n", where.c_str(),
                     Cp932ToUtf8(summary.problem).c_str());
        if (!summary.problemEnglish.empty())
            std::fprintf(stderr, "kamorte-calc: %s: %s\n", where.c_str(),
                         Cp932ToUtf8(summary.problemEnglish).c_str());
        return kBadUsage;
    }
    if (!summary.passThrough.empty()) {
        std::string names;
        for (const std::string &name : summary.passThrough)
            names += (names.empty() ? "" : ", ") + name;
        std::fprintf(stderr, "%s\n", Cp932ToUtf8("そのまま出力する列: " + names).c_str());
    }
    if (target && !target->Commit()) {
        ReportUnwritten(command.outputPath, target->Problem());
        return kBadUsage;
    }
    std::fprintf(stderr, "%s\n", Cp932ToUtf8(BatchSummaryText(summary)).c_str());
    return summary.status;
}
