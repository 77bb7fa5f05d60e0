#pragma once
#include "model/compute_status.h"
#include "model/dilution_grid.h"
#include "model/outlet_inputs.h"
#include "model/smell_params.h"

// What the calculate button of cases C and D does around the computation, once the inputs
// are validated: prepares the record for the screen's case, runs the computation over the
// whole grid, adjusts the results so that the shown outlet index is the shown No. 1
// standard plus the shown dilution degree, and restores the inputs to the accepted values
// (the dry flow becomes the derived one in m³N/min when the user gave another flow).
// grid: where the dilution degrees go, obtained here once its warm-up has ended. Fmax, when
// given, receives Fmax of the run. FlowGuard or OutOfMemory (the grid's memory refused):
// nothing computed, no result, every input back at its accepted value.
ComputeStatus CalculateTallOutlet(OutletInputs &in, OutletCase outletCase, DilutionGrid &grid,
                                  double *Fmax = nullptr);

// The same with the field computed cell by cell as the formulas read: the yardstick.
ComputeStatus CalculateTallOutletCellByCell(OutletInputs &in, OutletCase outletCase,
                                            DilutionGrid &grid);

// The same results without the field, for callers that show no map: the landing cell's
// dilution degree comes back in *landingDilution. params: the constants to use, or null to
// read smell.prm.
ComputeStatus CalculateTallOutletResults(OutletInputs &in, OutletCase outletCase,
                                         const SmellParams *params, double *landingDilution);

// Dilution degree not below 0, outlet index not below 10 and equal to the rounded No. 1
// standard plus the rounded dilution degree.
void AdjustTallResults(TallOutletInputs &t);
