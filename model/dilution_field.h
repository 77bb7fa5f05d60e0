#pragma once
#include "model/outlet_results.h"
#include "model/plume_rise.h"
#include "model/smell_params.h"

// The plume's field straight as dilution degrees, for every column but the ground: per
// row, −(10/m)·log10(Qd·F) − 10·k/m is a quadratic in the height plus a smooth term
// log(1 + e^(−2zHe/σz²)), so no cell needs an exponential or a logarithm. Cells without a
// noticeable concentration (300 and more) may differ from the cell-by-cell values but
// stay at 300 or more. The ground column gets the normalised concentration F(x, 0)
// exactly as the plume formula gives it, in ground[row] (it decides the limits).
// Rows are shared among worker threads that end before the call returns.
void FillDilutionField(TallRun &in, const MetConditions &met, const SmellParams &params,
                       const PlumeRise &rise, int rows, int columns, double *grid, double *ground);
