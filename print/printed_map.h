#pragma once
#include "model/map_settings.h"
#include "model/outlet_results.h"

#include <vector>

// The map picture of the report, drawn from grid (the screens' grid) as the screen shows it:
// the screen's map with its screen marks on a colour printer; otherwise the grey ramp of the
// same window with the print-style marks, which stay readable without colour. Without a
// result in, the blank map, the same in both. Empty when the memory for it was refused.
std::vector<unsigned char> PrintedMapImage(bool colour, const double *grid,
                                           const MapSettings &settings, const OutletInputs &in,
                                           const TallOutletResult &r);
