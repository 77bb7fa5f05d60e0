#pragma once
#include "model/outlet_results.h"

#include <cstdint>

// Window and colour limits of the dilution map.
struct MapSettings {
    int32_t downwindRange; // m, 10 … 10000: downwind samples shown
    double redLimit;       // dilution degree shown pure red
    double whiteLimit;     // dilution degree shown white
    int32_t displayHeight; // m, 5 … 800: height samples shown
};

// What the map shows before any calculation.
constexpr MapSettings kInitialMapSettings = {100, -1.0, -1.0, 50};

// The map defaults after a calculation: colour limits from the landing value, ranges
// from the landing row and the two heights. grid holds the dilution degrees of the run.
MapSettings DefaultMapSettings(const TallOutletInputs &in, const TallOutletResult &r,
                               const double *grid);
// The same from the landing cell's dilution degree alone (ignored without a landing point).
MapSettings LandingMapSettings(const TallOutletInputs &in, const TallOutletResult &r,
                               double landingDilution);
