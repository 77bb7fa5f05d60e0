#pragma once
#include <cstdint>
#include <vector>

// The dilution map picture: a window of the dilution grid, limited, resampled bicubically
// to 400 × 200 values and coloured, above a 12-row strip that carries the site-boundary
// marker. Pixels are 24-bit, blue-green-red, bottom-up, rows padded to 4 bytes.
// Running out of memory ends the process with status 3.
constexpr int kMapWidth = 400;
constexpr int kMapHeight = 200;
constexpr int kMapStripRows = 12;
constexpr int kMapImageRows = kMapHeight + kMapStripRows;

enum MapMarkStyle { kScreenMarks = 0, kPrintMarks = 1 };

// 3 × width rounded up to a multiple of 4.
int MapStride(int width);

// outputWidth × outputHeight dilution values, row-major, row 0 at the ground.
using MapField = std::vector<double>;

// The process-wide map image (212 rows of 1200 bytes once created) and the field it was
// last coloured from.
extern std::vector<unsigned char> gMapImage;
extern MapField gMapField;

// Reads the window downwindRange × displayHeight of gDilutionGrid, limits every value to
// [0, 300) (300 otherwise) and resamples it. A window larger than the grid is cut to it.
MapField BuildMapField(int downwindRange, int displayHeight, int outputWidth, int outputHeight);
// Catmull-Rom resampling; both ends of the output fall on the first and last samples.
// Empty when a size is below 1.
std::vector<double> CubicResample(const std::vector<double> &source, int sourceWidth,
                                  int sourceHeight, int outputWidth, int outputHeight);
// Colours the map area of gMapImage (created if need be) from field, width × height
// values, with the limits of gMapSettings, and keeps a copy of field in gMapField.
std::vector<unsigned char> &ColourMapImage(int width, int height, const MapField &field);
// A copy of gMapImage whose map area is the grey ramp of field.
std::vector<unsigned char> GreyMapImage(int width, int height, const MapField &field);
// The blank map with its frame and screen-style marks.
void ClearMapImage();
// Ticks, the maximum-point marker and the strip with the site-boundary marker, from the
// landing point, the downwash class and the boundary distances of gOutletInputs.
void DrawMapMarks(int style, int width, int height, std::vector<unsigned char> &image);
