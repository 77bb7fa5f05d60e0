#pragma once
#include "model/outlet_results.h"

// Allowable odor index at an outlet below 15 m before the lower bound: I1 + 10·log10(K·He²)
// with K from the representative diameter d and He the corrected height. Hb is −1 in
// case A. An outlet of height 0 gives −infinity.
double SmallOutletStandard(double I1, double hs, double d, double Hb);

// Representative diameter of a size class (0.4 m when none is chosen).
double RepresentativeDiameter(int32_t sizeClass);

// The calculate button of cases A and B after validation: No. 2 standard never below the
// No. 1 standard, dilution degree the difference. Case A has no building, whatever the
// record holds.
LowOutletResult CalculateLowOutlet(const OutletInputs &in, OutletCase outletCase);
