#include "app/batch_job.h"

#include "calc/text_codec_win.h"
#include "calc/output_file.h"
#include "calc/result_workbook.h"
#include "calc/stdio_stream.h"

#include <fstream>
#include <new>

namespace {

void Report(BatchJob &job, const BatchProgress &progress) {
    job.bytesRead = progress.bytesRead;
    job.bytesTotal = progress.bytesTotal;
    job.rowsDone = progress.rowsDone;
    if (!job.progressPending.exchange(true))
        PostMessageA(job.window, kBatchProgressMessage, 0, 0);
}

void RunInto(BatchJob &job, std::istream &in) {
    OutputFile output(job.outputPath);
    if (output.Stream() == nullptr) {
        job.failure = output.Problem() == OutputProblem::ReadOnly
                          ? "結果のファイルは読み取り専用のため、何も書き込んでいません。別の名前で"
                            "保存するか、読み取り専用を解除してからやり直してください。\n" +
                                job.outputPath
                          : "結果のファイルを作成できません。\n" + job.outputPath;
        return;
    }
    BatchSettings settings;
    settings.codec = WindowsTextCodec();
    settings.stopOnUnwritable = true;
    settings.layout = BatchLayout::People;
    const auto report = [&job](const BatchProgress &p) { Report(job, p); };
    bool flushed = true;
    if (IsWorkbookPath(job.outputPath)) {
        // libxlsxwriter writes the temporary file by its name, after its stream is closed.
        job.summary =
            RunBatchToWorkbook(in, output, WorkbookSheetName(Cp932ToUtf8Keeping(job.inputPath)),
                               settings, report, &job.cancel);
    } else {
        // The temporary file is held open with no sharing: written through its own stream.
        StdioOutStream out(output.Stream());
        job.summary = RunBatch(in, out, settings, report, &job.cancel);
        flushed = static_cast<bool>(out.flush());
    }
    if (job.summary.cancelled || job.summary.status == BatchFileUnusable) {
        output.Abandon();
        return;
    }
    if (!flushed || !output.Commit()) {
        // Most often the file of an earlier result, still open in a spreadsheet.
        job.failure = "結果のファイルを書き込めません。ほかのプログラムで開いていれば、閉じて"
                      "からやり直してください。\n" +
                      job.outputPath;
        return;
    }
    job.written = true;
}

} // namespace

void RunBatchJob(BatchJob &job) {
    try {
        std::ifstream in(job.inputPath, std::ios::binary);
        if (!in)
            job.failure = "ファイルを開けません。\n" + job.inputPath;
        else
            RunInto(job, in);
    } catch (const std::bad_alloc &) {
        job.written = false;
        job.failure = "メモリが足りないため、一括計算を続けられません。";
    }
}

void StartBatchJob(BatchJob &job) {
    job.worker = std::thread([&job] {
        RunBatchJob(job);
        PostMessageA(job.window, kBatchDoneMessage, 0, 0);
    });
}

void FinishBatchJob(BatchJob &job) {
    if (job.worker.joinable())
        job.worker.join();
}
