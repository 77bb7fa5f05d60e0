#pragma once
#include "calc/calc_output.h"
#include "calc/height_scan.h"

#include <string>
#include <vector>

// The standard against the outlet's real height: the rows of --sweep as CSV and as a line
// chart in SVG.

struct SweepRow {
    std::string heightText;
    double height = 0;
    char caseLetter = '?';
    int no2Index = 0; // the shown standard of cases A and B, the shown outlet index of C and D
    int dilution = 0; // shown
    double allowableEmissionRate = -1; // cases C and D; −1 otherwise, infinite without limit
    bool judged = false;
    bool complies = false;
};

std::vector<SweepRow> SweepRows(const std::vector<HeightScanPoint> &points);

// Columns height, case, no2Index, dilution, allowableEmissionRate and, when judged,
// complies; UTF-8.
std::string SweepCsv(const std::vector<SweepRow> &rows, const TextConverter &toUtf8);

// The lowest row that complies, or null.
const SweepRow *FirstComplying(const std::vector<SweepRow> &rows);

// The chart, UTF-8: the standard as a line over the height, the stretches of each case
// shaded and named, the measured index as a horizontal line (when measuredIndex >= 0)
// and the lowest complying height marked.
std::string SweepSvg(const std::vector<SweepRow> &rows, double measuredIndex,
                     const TextConverter &toUtf8);
