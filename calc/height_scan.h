#pragma once
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "model/height_scan.h"

#include <string>
#include <vector>

// The height scan of --solve height and --sweep over options that may hold the inputs of
// every case: the options become the outlet's record once, the scan runs on the record, and
// what ends it is worded as kamorte-calc words its errors.

struct OptionScan {
    OutletInputs outlet{};               // every input the options give
    std::vector<HeightScanPoint> points; // in order, up to the height that ended the scan
    RequestError error;                  // what ended it, when it was not complying
};

// The scan of the heights (see ScanHeights in model/height_scan.h). An option that the case
// of a height cannot take in that form ends the scan at the first height of that case.
OptionScan ScanOptionHeights(const OutletOptions &options, const std::vector<std::string> &heights,
                             const SmellParams &params, bool untilFirst, unsigned workers);

// The result at a height of the scan, as the computation at that height lists it, judged
// when the options hold a measured index.
Outcome OutcomeAtHeight(const OutletOptions &options, const OptionScan &scan,
                        const HeightScanPoint &point, const SmellParams &params);

// FROM, FROM + STEP, … while not above TO, written with the decimals of the three texts.
// Empty, with *problem set, when the range is not a range.
std::vector<std::string> SweepHeights(const std::string &range, std::string *problem);
