#pragma once
#include "model/outlet_case.h"
#include "model/outlet_results.h"

// The verdict on an odor index measured at the outlet, judged as the regulation judges
// each case: in cases A and B the index against the shown No. 2 standard (a whole index);
// in cases C and D, whose standard is an emission rate, the measured rate (dry flow at
// standard conditions × 10^(N/10)) against the allowable rate as computed.

// What a measured index is judged against: the standard of a computed outlet.
struct OutletStandard {
    OutletCase outletCase = CaseUndecided;
    double no2Index = -1;              // cases A and B
    double allowableEmissionRate = -1; // cases C and D, m³N/min; not finite: no limit
    double dryFlow = -1;               // cases C and D, m³N/min at standard conditions
};

// The standard of an outlet computed as outletCase.
OutletStandard StandardOf(OutletCase outletCase, const OutletResults &results);

struct Compliance {
    double measuredIndex = 0;
    double measuredEmissionRate = -1; // cases C and D; −1 in cases A and B
    bool complies = false;
    // Index units to spare (negative: by how much the outlet exceeds). Infinite when the
    // allowable rate has no limit.
    double margin = 0;
};

// False when the standard holds no number to judge against (no case, a low standard that
// is not a number, a tall outlet without a dry flow).
bool JudgeMeasured(const OutletStandard &standard, double measuredIndex, Compliance *verdict);

// The part of the measured odor that has to go for the outlet to comply, as a fraction (0
// when it complies or has no limit): in cases C and D 1 − allowable rate / measured rate,
// in cases A and B 1 − 10^(−excess/10) with the excess over the shown whole standard.
double ReductionNeeded(const OutletStandard &standard, const Compliance &verdict);

// A reduction as it is shown: the whole percent rounded up, so that reducing by the shown
// percent is always enough.
int ShownReductionPercent(double reduction);
