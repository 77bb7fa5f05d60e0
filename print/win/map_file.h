#pragma once
#include <windows.h>

#include <vector>

// The report's map picture (kMapWidth × kMapImageRows, 3 bytes a pixel) travels to the page through
// a BMP file of a unique name: in the folder named by TEMP, or in the current folder when TEMP is
// empty, unset, too long or unusable. Writes the file into path (MAX_PATH bytes) and returns true;
// on failure leaves no file behind and returns false. An empty picture writes nothing and returns
// false.
bool WriteReportMapFile(const std::vector<unsigned char> &image, char (&path)[MAX_PATH]);
