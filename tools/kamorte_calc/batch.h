#pragma once
#include <string>
#include <vector>

// Computes every row of a CSV file of outlets (a header of option names without dashes)
// and writes one CSV result row per input row to standard output; a bad row carries its
// message in the error column and the other rows are still computed. Returns the exit
// status: 0 all computed, 1 some row refused, 2 the file could not be read.
int RunBatch(const std::string &path);

// Splits one CSV line (quotes "..." with "" for a quote).
std::vector<std::string> SplitCsvLine(const std::string &line);
