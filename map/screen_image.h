#pragma once
#include <cstddef>
#include <vector>

// The map as the screen shows it: the map image resampled to the control's size with the
// map's Catmull-Rom kernel, in single precision and channel by channel. At 400 × 212 in
// and out this is a light smoothing. Rows are padded to 4 bytes, in and out.
// Empty when a size is below 1 or the source is shorter than its size says.
std::vector<unsigned char> ResampleImage(int sourceWidth, int sourceRows, int bytesPerPixel,
                                         const unsigned char *source, std::size_t sourceSize,
                                         int outputWidth, int outputRows);
