#pragma once
#include "model/compute_status.h"
#include "model/outlet_inputs.h"

// What the calculate button of cases C and D does around the computation, once the inputs
// are validated: prepares the record for the screen's case, runs the computation over the
// whole grid, adjusts the results so that the shown outlet index is the shown No. 1
// standard plus the shown dilution degree, and restores the inputs to the accepted values
// (the dry flow becomes the derived one in m³N/min when the user gave another flow).
// grid: where the dilution degrees go (null: the memory for it was refused). Fmax, when
// given, receives Fmax of the run. FlowGuard or OutOfMemory: nothing computed, no result,
// every input back at its accepted value.
ComputeStatus CalculateTallOutlet(OutletInputs &in, OutletCase outletCase, double *grid,
                                  double *Fmax = nullptr);

// Dilution degree not below 0, outlet index not below 10 and equal to the rounded No. 1
// standard plus the rounded dilution degree.
void AdjustTallResults(TallOutletInputs &t);
