#pragma once
#include "model/compute_status.h"
#include "model/dilution_grid.h"
#include "model/outlet_inputs.h"
#include "model/outlet_results.h"
#include "model/smell_params.h"

// What the calculate button of cases C and D computes once the inputs are validated: the
// outlet as the screen's case takes it, the computation over the whole grid, and the
// results adjusted so that the shown outlet index is the shown No. 1 standard plus the
// shown dilution degree. The inputs are read, never changed; the dry flow the run used
// comes back in the result (derived in m³N/min when the user gave another flow).
// grid: where the dilution degrees go, obtained here once its warm-up has ended. Fmax, when
// given, receives Fmax of the run. FlowGuard or OutOfMemory (the grid's memory refused):
// nothing computed, *result is no result.
ComputeStatus CalculateTallOutlet(const OutletInputs &in, OutletCase outletCase, DilutionGrid &grid,
                                  TallOutletResult *result, double *Fmax = nullptr);

// The same with the field computed cell by cell as the formulas read: the yardstick.
ComputeStatus CalculateTallOutletCellByCell(const OutletInputs &in, OutletCase outletCase,
                                            DilutionGrid &grid, TallOutletResult *result);

// The results of the cell-by-cell computation over a grid of the ground cells alone, the
// cells every result comes from: the yardstick of the results-only computation over many
// outlets. The landing cell's dilution degree comes back in *landingDilution.
ComputeStatus CalculateTallOutletGroundCellByCell(const OutletInputs &in, OutletCase outletCase,
                                                  TallOutletResult *result,
                                                  double *landingDilution);

// The same results without the field, for callers that show no map: the landing cell's
// dilution degree comes back in *landingDilution. params: the constants to use, or null to
// read smell.prm.
ComputeStatus CalculateTallOutletResults(const OutletInputs &in, OutletCase outletCase,
                                         const SmellParams *params, TallOutletResult *result,
                                         double *landingDilution);

// Dilution degree not below 0, outlet index not below 10 and equal to the rounded No. 1
// standard plus the rounded dilution degree.
void AdjustTallResults(TallOutletResult &r, double no1Standard);
