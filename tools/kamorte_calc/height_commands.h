#pragma once
#include "calc/calc_request.h"

#include <string>

enum class OutputFormat { Text, KeyValue, Json };

// --solve height: the lowest real height from the given one up to 400 m at which the
// measured index complies. Returns the exit status; usage follows a problem of usage.
int RunSolveHeight(const OutletOptions &outlet, OutputFormat format, const char *usage);

// --sweep height=FROM:TO:STEP: the standard at each height as CSV on standard output and,
// with plotPath, as an SVG chart. Returns the exit status.
int RunSweepHeight(const OutletOptions &outlet, const std::string &range,
                   const std::string &plotPath, const char *usage);
