#pragma once
#include "model/map_settings.h"
#include "model/outlet_results.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The dilution map picture: a window of the dilution grid, limited, resampled bicubically
// to 400 × 200 values and coloured, above a 12-row strip that carries the site-boundary
// marker. Pixels are 24-bit, blue-green-red, bottom-up, rows padded to 4 bytes.
// A buffer the memory refuses comes back empty: the caller reports it (see SetMapMemoryGate).
constexpr int kMapWidth = 400;
constexpr int kMapHeight = 200;
constexpr int kMapStripRows = 12;
constexpr int kMapImageRows = kMapHeight + kMapStripRows;

enum MapMarkStyle { kScreenMarks = 0, kPrintMarks = 1 };

// 3 × width rounded up to a multiple of 4.
int MapStride(int width);

// The size of a map picture and the scale its marks are drawn at: the map area of width ×
// height pixels above a strip of stripRows, every mark length of the 400 × 212 picture
// multiplied by scaleNumerator / scaleDenominator. At 1 / 1 a picture of any size is drawn
// as it always was; a screen drawn larger scales the strip and the marks with the map, so
// the picture is the same one, sharper.
struct MapGeometry {
    int width;
    int height;
    int stripRows;
    int scaleNumerator;
    int scaleDenominator;
};
// The 400 × 200 map over its 12-row strip, marks at their own size: the report's and
// kamorte-calc's picture, and the screen's at 96 dpi.
constexpr MapGeometry kMapGeometry = {kMapWidth, kMapHeight, kMapStripRows, 1, 1};
// width × height over the 12-row strip, marks at their own size.
MapGeometry UnscaledMapGeometry(int width, int height);
// The geometry of a picture of pictureWidth × pictureRows pixels, strip included, whose
// scale is its width against 400 pixels.
MapGeometry MapGeometryOfPicture(int pictureWidth, int pictureRows);
// A length of the 400 × 212 picture in the geometry's pixels, rounded to the nearest.
int ScaledMapLength(const MapGeometry &geometry, int length);
// The bytes of a picture of geometry.
size_t MapPictureBytes(const MapGeometry &geometry);

// outputWidth × outputHeight dilution values, row-major, row 0 at the ground.
using MapField = std::vector<double>;

// Asked before every buffer of the map is made, with its size in bytes: false refuses it as
// the heap would. Null (the default) asks nothing. Returns the previous gate. Tests put in
// one that refuses, to see the program report a failed allocation.
using MapMemoryGate = bool (*)(size_t bytes);
MapMemoryGate SetMapMemoryGate(MapMemoryGate gate);

// What the marks of a map show: the window's width in metres, the landing row (−1: no
// result, so no maximum point and no boundary), and what the boundary marker is drawn from.
struct MapMarks {
    int downwindRange;
    int32_t landingRow;
    int32_t downwashClass;
    bool outletDistanceGiven; // an accepted text, not omitted
    bool buildingDistanceGiven;
    double outletToBoundary;
    double buildingToBoundary;
};
// The marks of a result r of outlet in, in the window of settings.
MapMarks MapMarksOf(const MapSettings &settings, const OutletInputs &in, const TallOutletResult &r);

// The site-boundary marker of the map: with both distances given, none without a result,
// the outlet's without downwash, else the nearer one, and none beyond the window; a single
// given distance is marked even just past the window (the part of the triangle still
// inside shows where it lies); none when both were omitted. Not the boundary of the
// computation (BoundaryDistance) nor the result row's text (BoundaryText).
bool MapBoundaryMarker(const MapMarks &marks, double *distance);

// Reads the window downwindRange × displayHeight of grid (dilution degrees, kGridRows ×
// kGridColumns), limits every value to [0, 300) (300 otherwise) and resamples it. A window
// larger than the grid is cut to it. Empty when a size is below 1 or the memory is refused.
MapField BuildMapField(const double *grid, int downwindRange, int displayHeight, int outputWidth,
                       int outputHeight);
// Catmull-Rom resampling; both ends of the output fall on the first and last samples.
// Empty when a size is below 1 or the memory is refused.
std::vector<double> CubicResample(const std::vector<double> &source, int sourceWidth,
                                  int sourceHeight, int outputWidth, int outputHeight);
// How a picture is drawn: the colour ramp with the screen's marks (the screen, a colour
// printer, kamorte-calc --map), or the grey ramp with the print marks, which stay readable
// without colour (a printer without colour, kamorte-calc --map --grey).
enum class MapStyle { Screen, Grey };

// The map picture of grid's window (downwindRange × displayHeight of settings) resampled to
// width × height, coloured between the limits of settings, with marks drawn in style, above
// the strip. Without a grid, the blank map: white in a black frame with the screen's marks,
// in either style. Empty when a size is below 1 or the memory for it was refused.
std::vector<unsigned char> RenderMap(const double *grid, const MapSettings &settings,
                                     const MapMarks &marks, MapStyle style, int width, int height);
// The same in a picture of geometry.
std::vector<unsigned char> RenderMap(const double *grid, const MapSettings &settings,
                                     const MapMarks &marks, MapStyle style,
                                     const MapGeometry &geometry);

// The steps of RenderMap. PaintMapArea writes every pixel of the map area of image (width ×
// (height + strip) pixels) from field, width × height values, with the limits of settings,
// on the colour or the grey ramp; the strip is left alone, and so is an image too small.
void PaintMapArea(std::vector<unsigned char> &image, int width, int height, const MapField &field,
                  const MapSettings &settings, MapStyle ramp);
// Ticks, the maximum-point marker and the strip with the site-boundary marker.
void DrawMapMarks(int style, int width, int height, std::vector<unsigned char> &image,
                  const MapMarks &marks);
void DrawMapMarks(int style, const MapGeometry &geometry, std::vector<unsigned char> &image,
                  const MapMarks &marks);
