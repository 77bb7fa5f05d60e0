#pragma once
#include <vector>

// The map picture of the report: the screen's map with its screen marks on a colour
// printer; otherwise the grey ramp of the same field with the print-style marks, which
// stay readable without colour.
std::vector<unsigned char> PrintedMapImage(bool colour);
