#pragma once
#include "model/dispersion.h"
#include "model/outlet_results.h"
#include "model/plume_rise.h"
#include "model/smell_params.h"

#include <vector>

// One ground-level cell of the downwind sweep: its row and its normalised concentration,
// computed as the sweep computes it.
struct GroundCell {
    int row;
    double F;
};

// The ground cells of rows firstRow … rows − 1 that can hold the maximum, without computing
// the others. Between the distances where a dispersion segment or the building wake's rule
// changes, the axis height only rises and both spreads only grow, so the concentration over
// a stretch of rows is at most exp(−He(first)²/2σz(last)²) / (3.14·σy(first)·σz(first)).
// Stretches whose bound lies below the least concentration that may still matter are
// left out; the others are halved until every row in them is computed.
//
// On true, *cells holds, in row order, every row whose concentration is at least
// (1 − 10⁻⁶) times the largest of the range, the largest among them. False where the
// shape cannot be vouched for (smell.prm's constants, an outlet whose rise is not the
// usual one): the caller computes every row.
bool GroundCellsNearMaximum(TallRun &in, const MetConditions &met, const SmellParams &params,
                            const PlumeRise &rise, int firstRow, int rows,
                            std::vector<GroundCell> *cells);
