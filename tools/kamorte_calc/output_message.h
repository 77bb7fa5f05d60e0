#pragma once
#include "calc/output_file.h"

#include <string>

// The line on standard error for an output that was not written, naming the file as the
// user gave it.
void ReportUnwritten(const std::string &path, OutputProblem problem);
