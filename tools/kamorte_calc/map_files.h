#pragma once
#include "calc/output_file.h"
#include "model/map_settings.h"
#include "model/outlet_results.h"

#include <string>

// The map of a calculation over grid as the program builds it after a run (colour with
// screen-style marks, or grey with print-style marks) in the window and limits of settings
// and with the marks of in's result, written as a BMP file. Both files go through the one
// output writer: a failed write leaves nothing under the name and whatever was there before
// in place; a read-only file is refused.
enum class MapFileStatus { Written, CannotWrite, ReadOnly, OutOfMemory };
MapFileStatus WriteMapFile(const std::string &path, bool grey, const double *grid,
                           const MapSettings &settings, const OutletInputs &in,
                           const TallOutletResult &r);
// The dilution grid as 10000 × 800 little-endian doubles, row after row.
OutputProblem WriteGridFile(const std::string &path, const double *grid);
