#pragma once
#include "model/map_settings.h"
#include "model/outlet_inputs.h"

#include <string>

// The map of a calculation over grid as the program builds it after a run (colour with
// screen-style marks, or grey with print-style marks) in the window and limits of settings
// and with the marks of in's result, written as a BMP file. Both files are written under a
// temporary name and renamed when whole: a failed write leaves nothing under the name and
// whatever was there before in place.
enum class MapFileStatus { Written, CannotWrite, OutOfMemory };
MapFileStatus WriteMapFile(const std::string &path, bool grey, const double *grid,
                           const MapSettings &settings, const OutletInputs &in);
// The dilution grid as 10000 × 800 little-endian doubles, row after row.
bool WriteGridFile(const std::string &path, const double *grid);
