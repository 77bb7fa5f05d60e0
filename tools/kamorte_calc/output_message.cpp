#include "tools/kamorte_calc/output_message.h"

#include <cstdio>

void ReportUnwritten(const std::string &path, OutputProblem problem) {
    if (problem == OutputProblem::ReadOnly)
        std::fprintf(stderr, "kamorte-calc: %s: the file is read-only; nothing was written\n",
                     path.c_str());
    else
        std::fprintf(stderr, "kamorte-calc: cannot write %s\n", path.c_str());
}
