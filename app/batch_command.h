#pragma once
#include "app/batch_job.h"

#include <string>

// ファイル > 一括計算（CSV）...: a CSV file chosen in the open dialog, the result's name in
// the save dialog (proposed beside the input), the run in the progress window.
void RunBatchCommand();
// The message box at the end of a run: the rows computed and refused, or why there is no
// result file.
void ReportBatch(const BatchJob &job);

// "<folder>\<name>_結果.csv" for "<folder>\<name>.<extension>".
std::string ProposedResultPath(const std::string &inputPath);
// Whether two paths name the same file, by their full forms.
bool SameFile(const std::string &a, const std::string &b);
