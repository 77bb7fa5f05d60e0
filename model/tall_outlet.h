#pragma once
#include "model/outlet_results.h"
#include "model/plume_rise.h"
#include "model/smell_params.h"

#include <cstdint>

// The tall-outlet computation (cases C and D): reads smell.prm, normalises the flows,
// computes plume rise and downwash, sweeps rows × columns cells of normalised
// concentration into grid (row-major), derives the allowable emission rate, outlet index
// and dilution degree from the maximum ground-level value at or beyond the site
// boundary, and with convertToDilution turns every cell into a dilution degree and finds
// the landing point. Returns Fmax as used for the limits, or NaN when the flows cannot be
// normalised (NormaliseFlows refused them): then nothing else is computed.
double RunTallOutlet(TallRun &in, bool convertToDilution, int rows, int columns, double *grid,
                     int32_t *landingRow, int32_t *landingColumn);

// The results of RunTallOutlet without the field: only the ground-level cells that can
// hold the maximum are computed. Every result field, the landing indices and the landing
// cell's dilution degree (*landingDilution, 0 without a landing point) are bit for bit
// those of a run over the whole grid. params: the constants to use, or null to read
// smell.prm over the defaults as every run does. NaN as RunTallOutlet gives it.
double RunTallOutletResults(TallRun &in, const SmellParams *params, int rows, int32_t *landingRow,
                            int32_t *landingColumn, double *landingDilution);

// The same computed cell by cell, as the formulas read: the yardstick of the fast one.
double RunTallOutletReference(TallRun &in, bool convertToDilution, int rows, int columns,
                              double *grid, int32_t *landingRow, int32_t *landingColumn);

// Dilution degree of the concentration ratio p (outlet concentration over the point's):
// 10·log10(p^(−1/m)) − 10·k/m, with 2 × 10^30 standing in for p^(−1/m) when p is 0 and
// the logarithmic form where p^(−1/m) overflows, so the result is always finite.
double DilutionOfRatio(double p, double m, double k);

// The site boundary of the computation, from which rows count for the maximum: the
// building's distance when there is downwash and the building is no farther from the
// boundary than the outlet, else the outlet's. An omitted distance (case C) is 0 here. Not
// the result row's text (BoundaryText) nor the map's marker (MapBoundaryMarker).
double BoundaryDistance(const TallRun &in);
