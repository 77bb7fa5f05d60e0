#pragma once
#include "calc/batch_run.h"

#include <string>
#include <vector>

// A batch as the command line asks for it.
struct BatchCommand {
    std::string path;       // "-" for standard input
    std::string outputPath; // empty for standard output
    InputEncoding inputEncoding = InputEncoding::Auto;
    OutputEncoding outputEncoding = OutputEncoding::Default;
    BatchLayout layout = BatchLayout::People;
};

// Computes every row of a CSV file of outlets and writes one CSV result row per input row;
// a bad row carries its message in the error column and the other rows are still computed.
// The passed-through columns and the summary go to standard error. Returns the exit
// status: 0 all computed, 1 some row refused, 2 the file could not be read or the result
// not written, 3 a row could not be computed.
int RunBatchCommand(const BatchCommand &command);

// The conversions of this platform, for the batch.
TextCodec PlatformCodec();

// Splits one CSV line (quotes "..." with "" for a quote).
std::vector<std::string> SplitCsvLine(const std::string &line);
