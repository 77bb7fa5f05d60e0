#pragma once
#include <cstdint>

// Length comparisons are made on 32-bit integers of v × f + 0.5 truncated toward zero,
// a resolution of 0.1 mm with f = 10000. Out-of-range values saturate; not-a-number gives 0.
int32_t Quantise(double v, double f);

// trunc(v) as a 32-bit integer, saturating at the ends of the range; not-a-number gives 0.
int32_t TruncToInt32(double v);

// How every number shown as an integer is rounded: trunc(v + 0.5).
inline int32_t RoundShown(double v) {
    return TruncToInt32(v + 0.5);
}

// The quantised length rules of the computation, each its own: none of them is the start
// menu's plain 6.7 m or 15 m comparison, nor the case rule of 1.5 times the building
// (AtLeast15TimesBuilding, 2 × Quantise(h) ≥ 3 × Quantise(b)).

// Small-outlet standard: an outlet of 6.7 m or more at a tenth of a millimetre takes an
// effective height of 10 m (6.69999 m is such an outlet, though it is case A).
bool SmallOutletAtLeast67m(double outletHeight);
// Small-outlet standard: a building below 10 m at a tenth of a millimetre.
bool SmallOutletBuildingBelow10m(double buildingHeight);
// The building is lower than 1.5 times the outlet: Quantise(b, 10000) < Quantise(h, 15000).
// Used by the small-outlet standard and by the wake length of the computation.
bool BuildingBelow15TimesOutlet(double buildingHeight, double outletHeight);
