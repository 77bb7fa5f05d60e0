#pragma once
#include "model/dilution_grid.h"
#include "model/outlet_inputs.h"

#include <cstdint>

// What a computation of an outlet gives, apart from the inputs it was computed from.
// Every field −1 while there is none.

struct TallOutletResult {
    int32_t downwashClass;
    double downwashedHeight; // h'', m
    double effectiveHeight;  // He at the last downwind point, m
    double allowableOutletIndex;
    double allowableEmissionRate; // m³N/min; +infinity means no limit
    double dilutionDegree;
    int32_t landingRow;
    int32_t landingColumn;
    // The dry flow at standard conditions the computation used, m³N/min: the one typed, or
    // the one derived from the wet flow or the exit velocity.
    double dryFlow;
};

struct LowOutletResult {
    double no2Index;
    double dilution;
};

constexpr TallOutletResult kNoTallResult = {-1, -1.0, -1.0, -1.0, -1.0, -1.0, -1, -1, -1.0};
constexpr LowOutletResult kNoLowResult = {-1.0, -1.0};

// The results of the outlet the screens show: of cases A and B, and of cases C and D.
struct OutletResults {
    LowOutletResult low = kNoLowResult;
    TallOutletResult tall = kNoTallResult;
    // How many constants of the dispersion model the tall result was computed with differ
    // from the built-in ones (smell.prm changed them); the printed page says so.
    int tallConstantsChanged = 0;
};

// Whether there is a result, which the screen then shows; the one test of it.
inline bool HasResult(const TallOutletResult &r) {
    return r.allowableOutletIndex >= 0;
}
inline bool HasResult(const LowOutletResult &r) {
    return r.no2Index >= 0;
}

// The dilution degree of grid (the run's) at the result's landing point; 0 when the result
// has none (no row at or beyond the boundary).
inline double LandingDilution(const TallOutletResult &r, const double *grid) {
    const bool landed = r.landingRow >= 0 && r.landingColumn >= 0;
    return landed ? GridCell(grid, r.landingRow, r.landingColumn) : 0;
}

// One tall-outlet run's working record: its own copy of the inputs, which the run
// normalises as it goes, and the results it builds.
struct TallRun : TallOutletInputs {
    TallRun() = default;
    explicit TallRun(const TallOutletInputs &in) : TallOutletInputs(in) {}
    TallOutletResult result = kNoTallResult;
};
