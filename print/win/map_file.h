#pragma once
#include <windows.h>

// The map picture travels to the page through a BMP file of a unique name: in the folder
// named by TEMP, or in the current folder when TEMP is empty, unset, too long or unusable.
// Writes the file into path (MAX_PATH bytes) and returns true; on failure leaves no file
// behind and returns false.
bool WriteReportMapFile(bool colour, char (&path)[MAX_PATH]);
