#pragma once
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "model/smell_params.h"

#include <string>
#include <vector>

// The outlet over a range of real heights, every other input unchanged and the case
// following the height as the start menu chooses it: the height search of --solve height
// and the table of --sweep.

// The outlet at one height of a scan.
struct HeightPoint {
    std::string heightText; // as the height field would hold it
    OutletCase outletCase = CaseUndecided;
    RequestError error; // the inputs this case needs are missing or refused
    Outcome outcome;    // judged when the options hold a measured index
    bool complies = false;
};

// The heights of the search: the given one first (in single-byte digits), then the
// following multiples of 0.1 m up to the start menu's highest, 400 m. Empty when the given
// height is not a number.
std::vector<std::string> SearchHeights(const std::string &fromText);

// FROM, FROM + STEP, … while not above TO, written with the decimals of the three texts.
// Empty, with *problem set, when the range is not a range.
std::vector<std::string> SweepHeights(const std::string &range, std::string *problem);

// The options that the case of a height takes, from options that may hold those of every
// case: for an input the case needs and does not find, an error naming the options.
RequestError OptionsForCase(const OutletOptions &options, OutletCase outletCase,
                            const std::string &heightText, OutletOptions *forCase);

// One height: the case from the start menu's rule, its options, the results-only
// computation and the verdict. Safe to call from several threads at once.
HeightPoint ComputeAtHeight(const OutletOptions &options, const std::string &heightText,
                            const SmellParams &params);

// Computes the heights on `workers` threads. With untilFirst the scan ends at the lowest
// height that complies or stops with an error: every height below it is computed, none
// above it is returned. Otherwise every height is computed, in order, up to the first
// error.
std::vector<HeightPoint> ScanHeights(const OutletOptions &options,
                                     const std::vector<std::string> &heights,
                                     const SmellParams &params, bool untilFirst, unsigned workers);
