#pragma once
#include "model/map_settings.h"
#include "model/outlet_inputs.h"

#include <vector>

// The map picture of the report: the screen's map with its screen marks on a colour
// printer; otherwise the grey ramp of the same field with the print-style marks, which
// stay readable without colour. Empty when the memory for it was refused.
std::vector<unsigned char> PrintedMapImage(bool colour, const MapSettings &settings,
                                           const OutletInputs &in);
