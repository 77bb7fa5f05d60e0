#include "map/map_raster.h"

#include "map/cubic_taps.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/outlet_inputs.h"
#include "model/quantise.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

MapMemoryGate gMemoryGate = nullptr;

// Makes a buffer of about bytes through make, unless the gate or the heap refuses it.
template <class Make> bool Obtain(size_t bytes, Make make) {
    if (gMemoryGate != nullptr && !gMemoryGate(bytes))
        return false;
    try {
        make();
        return true;
    } catch (const std::bad_alloc &) {
    } catch (const std::length_error &) {
    }
    return false;
}

struct Colour {
    unsigned char red, green, blue;
};

constexpr Colour kBlack = {0, 0, 0};
constexpr Colour kWhite = {255, 255, 255};
constexpr Colour kRed = {255, 0, 0};
constexpr Colour kBlue = {0, 0, 255};
constexpr Colour kStripColour = {236, 233, 216};
constexpr Colour kBoundaryColour = {64, 64, 64};

// The four samples and the fraction that one output position interpolates from.
using Taps = CubicTaps<double>;

// Grid values of 300 and more, negative ones and any that is not a number read as 300.
inline double Limited(double v) {
    const bool inRange = (v >= 0.0) & (v < kNoPlumeThreshold); // no branch: it vectorises
    return inRange ? v : kNoPlumeThreshold;
}

typedef double Vec2 __attribute__((vector_size(16)));

// Of one value or of two side by side, operation for operation the same.
template <class Value> inline Value Cubic(Value a0, Value a1, Value a2, Value a3, double f) {
    const double f2 = f * f;
    const double f3 = f2 * f;
    return 0.5 * (2 * a1 + (a2 - a0) * f + (2 * a0 - 5 * a1 + 4 * a2 - a3) * f2 +
                  (a3 - 3 * a2 + 3 * a1 - a0) * f3);
}

// Two heights at once, operation for operation as Cubic(Limited(…)) does one.
inline void CubicAlongDistance(const double *g0, const double *g1, const double *g2,
                               const double *g3, double f, double *to) {
    Vec2 a[4];
    const double *rows[4] = {g0, g1, g2, g3};
    const Vec2 zero = {0, 0};
    const Vec2 limit = {kNoPlumeThreshold, kNoPlumeThreshold};
    for (int k = 0; k < 4; ++k) {
        Vec2 v;
        std::memcpy(&v, rows[k], sizeof v);
        a[k] = (v >= zero) & (v < limit) ? v : limit;
    }
    const Vec2 result = Cubic(a[0], a[1], a[2], a[3], f);
    std::memcpy(to, &result, sizeof result);
}

// The two axes multiply in different orders. Keep them so: the last bit of a position
// decides which side of a sample a map column falls on, and maps are compared bytewise.
double RowPosition(int r, int sourceRows, int outputRows) {
    if (outputRows < 2)
        return 0.0;
    return (sourceRows - 1) * (r * (1.0 / (outputRows - 1)));
}

double ColumnPosition(int c, int sourceColumns, int outputColumns) {
    if (outputColumns < 2)
        return 0.0;
    return (c * (1.0 / (outputColumns - 1))) * (sourceColumns - 1);
}

// sample(row, column) gives a source value; along x for each of the four rows, then y.
template <class Sample>
std::vector<double> Resample(const Sample &sample, int sourceWidth, int sourceHeight,
                             int outputWidth, int outputHeight) {
    if (sourceWidth < 1 || sourceHeight < 1 || outputWidth < 1 || outputHeight < 1)
        return {};
    const size_t count = static_cast<size_t>(outputWidth) * static_cast<size_t>(outputHeight);
    std::vector<double> out;
    std::vector<Taps> columns;
    if (!Obtain(count * sizeof(double), [&] { out.resize(count); }) ||
        !Obtain(outputWidth * sizeof(Taps), [&] { columns.resize(outputWidth); }))
        return {};
    for (int c = 0; c < outputWidth; ++c)
        columns[c] = CubicTapsAt(ColumnPosition(c, sourceWidth, outputWidth), sourceWidth);
    for (int r = 0; r < outputHeight; ++r) {
        const Taps y = CubicTapsAt(RowPosition(r, sourceHeight, outputHeight), sourceHeight);
        double *row = &out[static_cast<size_t>(r) * outputWidth];
        for (int c = 0; c < outputWidth; ++c) {
            const Taps &x = columns[c];
            double a[4];
            for (int k = 0; k < 4; ++k) {
                const int j = y.index[k];
                a[k] = Cubic(sample(j, x.index[0]), sample(j, x.index[1]), sample(j, x.index[2]),
                             sample(j, x.index[3]), x.fraction);
            }
            row[c] = Cubic(a[0], a[1], a[2], a[3], y.fraction);
        }
    }
    return out;
}

// A white image in the size of the map; empty when refused.
std::vector<unsigned char> WhiteMapImage(const MapGeometry &g) {
    const size_t bytes = MapPictureBytes(g);
    std::vector<unsigned char> image;
    if (!Obtain(bytes, [&] { image.assign(bytes, 255); }))
        return {};
    return image;
}

// Single precision throughout: the shown colours of ties depend on it.
float RampPosition(double value, float redLimit, float whiteLimit) {
    const float v = static_cast<float>(value);
    return (v - redLimit) / (whiteLimit - redLimit);
}

unsigned char RoundByte(float x) {
    return static_cast<unsigned char>(static_cast<int>(x + 0.5f));
}

Colour RampColour(float m) {
    if (m < 0.0f)
        return kRed;
    if (m < 0.333f) {
        const float s = m / 0.333f;
        return {255, RoundByte(255.0f * s), 0};
    }
    if (m < 0.667f) {
        const float s = (m - 0.333f) / 0.334f;
        return {RoundByte(255.0f * (1.0f - s)), 255, 0};
    }
    if (m < 1.0f) {
        const float s = (m - 0.667f) / 0.333f;
        const unsigned char g = RoundByte(255.0f * s);
        return {g, 255, g};
    }
    // Also a position that is not a number: equal limits and a value on them.
    return kWhite;
}

unsigned char GreyLevel(float m) {
    if (m < 0.0f)
        m = 0.0f;
    else if (!(m < 1.0f))
        m = 1.0f; // not a number shows white, as on the colour map
    return RoundByte(m * 255.0f);
}

// Draws into a map image of width × (height + strip) pixels; rows outside are ignored
// and runs are clipped to the width. Map rows count from the ground, above the strip.
class Canvas {
  public:
    Canvas(std::vector<unsigned char> &image, const MapGeometry &g)
        : image_(image), geometry_(g), width_(g.width), rows_(g.height + g.stripRows),
          stride_(MapStride(g.width)) {}

    bool Fits() const {
        return width_ > 0 && geometry_.height > 0 && geometry_.stripRows >= 0 &&
               image_.size() >= MapPictureBytes(geometry_);
    }

    const MapGeometry &Geometry() const { return geometry_; }
    int MapRow(int r) const { return geometry_.stripRows + r; }
    int Scaled(int length) const { return ScaledMapLength(geometry_, length); }

    void Run(int bufferRow, int64_t centre, int halfWidth, Colour colour) {
        Span(bufferRow, centre - halfWidth, centre + halfWidth, colour);
    }

    void Span(int bufferRow, int64_t first, int64_t last, Colour colour) {
        if (bufferRow < 0 || bufferRow >= rows_)
            return;
        first = std::max<int64_t>(first, 0);
        last = std::min<int64_t>(last, width_ - 1);
        unsigned char *row = &image_[static_cast<size_t>(bufferRow) * stride_];
        for (int64_t c = first; c <= last; ++c) {
            row[3 * c] = colour.blue;
            row[3 * c + 1] = colour.green;
            row[3 * c + 2] = colour.red;
        }
    }

  private:
    std::vector<unsigned char> &image_;
    MapGeometry geometry_;
    int width_;
    int rows_;
    int stride_;
};

// Every 50 rows and 100 columns of the 400 × 200 map, 8 pixels long, at the scale of the
// picture: a larger picture has as many ticks, longer and further apart.
void DrawTicks(Canvas &canvas, bool print, int width, int height) {
    const MapGeometry &g = canvas.Geometry();
    const int length = canvas.Scaled(8);
    const auto at = [&](int k, int spacing) {
        return static_cast<int>(static_cast<int64_t>(spacing) * k * g.scaleNumerator /
                                g.scaleDenominator);
    };
    const int rowTicks = static_cast<int>(static_cast<int64_t>(height) * g.scaleDenominator /
                                          (50 * g.scaleNumerator));
    for (int k = 1; k <= rowTicks - 1; ++k) {
        const int row = canvas.MapRow(at(k, 50));
        canvas.Span(row, 0, length - 1, kBlack);
        canvas.Span(row, width - length, width - 1, kBlack);
        if (print) {
            canvas.Span(row + 1, 0, length - 1, kWhite);
            canvas.Span(row + 1, width - length, width - 1, kWhite);
        }
    }
    const int columnTicks = static_cast<int>(static_cast<int64_t>(width) * g.scaleDenominator /
                                             (100 * g.scaleNumerator));
    for (int k = 1; k <= columnTicks - 1; ++k) {
        const int column = at(k, 100);
        for (int r = 0; r < length; ++r) {
            canvas.Span(canvas.MapRow(r), column, column, kBlack);
            canvas.Span(canvas.MapRow(height - 1 - r), column, column, kBlack);
            if (print) {
                canvas.Span(canvas.MapRow(r), column - 1, column - 1, kWhite);
                canvas.Span(canvas.MapRow(height - 1 - r), column - 1, column - 1, kWhite);
            }
        }
    }
}

// The triangles keep their slope at every scale, only taller.
void DrawMaximumPoint(Canvas &canvas, bool print, int width, int landing, int range) {
    if (landing < 0 || landing >= range)
        return;
    const float q =
        static_cast<float>(landing + 1) * static_cast<float>(width) / static_cast<float>(range) +
        0.5f;
    const int64_t c = TruncToInt32(q);
    if (print) {
        for (int k = 0; k < canvas.Scaled(12); ++k)
            canvas.Run(canvas.MapRow(k), c, k / 2, kBlack);
        for (int k = 0; k < canvas.Scaled(10); ++k)
            canvas.Run(canvas.MapRow(k), c, k / 2, kWhite);
    } else {
        for (int k = 0; k < canvas.Scaled(10); ++k)
            canvas.Run(canvas.MapRow(k), c, k / 2, kBlue);
    }
}

// The frame of the blank map, one pixel wide round the map area.
void DrawFrame(std::vector<unsigned char> &image, const MapGeometry &g) {
    Canvas canvas(image, g);
    if (!canvas.Fits())
        return;
    const int width = g.width;
    const int height = g.height;
    canvas.Span(canvas.MapRow(0), 0, width - 1, kBlack);
    canvas.Span(canvas.MapRow(height - 1), 0, width - 1, kBlack);
    for (int r = 0; r < height; ++r) {
        canvas.Span(canvas.MapRow(r), 0, 0, kBlack);
        canvas.Span(canvas.MapRow(r), width - 1, width - 1, kBlack);
    }
}

} // namespace

bool MapBoundaryMarker(const MapMarks &marks, double *b) {
    const int range = marks.downwindRange;
    const bool outletGiven = marks.outletDistanceGiven;
    const bool buildingGiven = marks.buildingDistanceGiven;
    const double outlet = marks.outletToBoundary;
    const double building = marks.buildingToBoundary;
    if (outletGiven && buildingGiven) {
        const int32_t downwash = marks.downwashClass;
        if (downwash < 0)
            return false;
        *b = downwash == 0 ? outlet : std::min(outlet, building);
        return *b <= range;
    }
    // A single distance is marked even just past the window, so that the part of the
    // triangle still inside shows where the boundary lies.
    if (outletGiven) {
        *b = outlet;
        return true;
    }
    if (buildingGiven) {
        *b = building;
        return true;
    }
    return false;
}

namespace {

void DrawBoundary(Canvas &canvas, bool print, int width, const MapMarks &marks) {
    const int range = marks.downwindRange;
    double b = 0;
    if (!MapBoundaryMarker(marks, &b))
        return;
    // Single precision, like the maximum-point column: a typed distance such as 50.12499999
    // rounds to the tie 50.125 and moves the marker one column right.
    const float q =
        static_cast<float>(b) * static_cast<float>(width) / static_cast<float>(range) + 0.5f;
    const int64_t c = TruncToInt32(q);
    if (print) {
        const int rows = canvas.Geometry().stripRows;
        for (int k = 0; k < rows; ++k)
            canvas.Run(k, c, (rows - 1 - k) / 2, kBlack);
    }
    const int rows = canvas.Scaled(10);
    for (int k = 0; k < rows; ++k)
        canvas.Run(k, c, (rows - 1 - k) / 2, kBoundaryColour);
}

// A grid not yet obtained holds what it holds before the first run: zeros.
const double *GridRow(const double *grid, int row) {
    static const double kZeroRow[kGridColumns] = {};
    if (!grid)
        return kZeroRow;
    return &grid[static_cast<size_t>(row) * kGridColumns];
}

// The h values of one map column along the distance, one per height of the window. The
// grid rows of the next column (next) are asked for meanwhile: a wide window reads four
// rows far apart for every column, more than the processor fetches ahead by itself.
void AlongDistance(const double *grid, const Taps &x, const Taps &next, int h, double *line) {
    const double *g0 = GridRow(grid, x.index[0]);
    const double *g1 = GridRow(grid, x.index[1]);
    const double *g2 = GridRow(grid, x.index[2]);
    const double *g3 = GridRow(grid, x.index[3]);
    const double *ahead[4];
    for (int k = 0; k < 4; ++k)
        ahead[k] = GridRow(grid, next.index[k]);
    const double f = x.fraction;
    int j = 0;
    for (; j + 8 <= h; j += 8) {
        for (const double *row : ahead)
            __builtin_prefetch(row + j);
        for (int i = j; i < j + 8; i += 2)
            CubicAlongDistance(g0 + i, g1 + i, g2 + i, g3 + i, f, line + i);
    }
    for (; j + 2 <= h; j += 2)
        CubicAlongDistance(g0 + j, g1 + j, g2 + j, g3 + j, f, line + j);
    for (; j < h; ++j)
        line[j] = Cubic(Limited(g0[j]), Limited(g1[j]), Limited(g2[j]), Limited(g3[j]), f);
}

} // namespace

int MapStride(int width) {
    return (3 * width + 3) / 4 * 4;
}

MapGeometry UnscaledMapGeometry(int width, int height) {
    return {width, height, kMapStripRows, 1, 1};
}

MapGeometry MapGeometryOfPicture(int pictureWidth, int pictureRows) {
    MapGeometry g = {pictureWidth, 0, 0, std::max(pictureWidth, 1), kMapWidth};
    g.stripRows = ScaledMapLength(g, kMapStripRows);
    g.height = pictureRows - g.stripRows;
    return g;
}

int ScaledMapLength(const MapGeometry &g, int length) {
    if (g.scaleDenominator <= 0)
        return length;
    const int64_t scaled = static_cast<int64_t>(length) * g.scaleNumerator;
    return static_cast<int>((2 * scaled + g.scaleDenominator) / (2 * g.scaleDenominator));
}

size_t MapPictureBytes(const MapGeometry &g) {
    return static_cast<size_t>(MapStride(g.width)) *
           static_cast<size_t>(std::max(g.height + g.stripRows, 0));
}

MapMemoryGate SetMapMemoryGate(MapMemoryGate gate) {
    const MapMemoryGate previous = gMemoryGate;
    gMemoryGate = gate;
    return previous;
}

MapMarks MapMarksOf(const MapSettings &settings, const OutletInputs &in,
                    const TallOutletResult &r) {
    MapMarks m;
    m.downwindRange = settings.downwindRange;
    m.landingRow = r.landingRow;
    m.downwashClass = r.downwashClass;
    m.outletDistanceGiven = in.outletToBoundaryText[0] != '\0';
    m.buildingDistanceGiven = in.buildingToBoundaryText[0] != '\0';
    m.outletToBoundary = in.tall.outletToBoundary;
    m.buildingToBoundary = in.tall.buildingToBoundary;
    return m;
}

MapField BuildMapField(const double *grid, int downwindRange, int displayHeight, int outputWidth,
                       int outputHeight) {
    // A window beyond the grid would read outside it; the settings dialog never allows one.
    const int d = std::min(std::max(downwindRange, 1), kGridRows);
    const int h = std::min(std::max(displayHeight, 1), kGridColumns);
    if (outputWidth < 1 || outputHeight < 1)
        return {};
    // Column by column instead of copying the window first: the window can hold 64 MB and
    // is redrawn on every keystroke. For one map column the four grid rows it reads are
    // interpolated along the distance at every height of the window, contiguous in memory,
    // and the map's rows then interpolate those along the height, two map columns at once.
    // Each value goes through the same operations as in the resampler, so the map is the
    // same. One thread: on a busy machine a helper thread waiting for a core made the field
    // several times slower than building it alone.
    const size_t count = static_cast<size_t>(outputWidth) * static_cast<size_t>(outputHeight);
    MapField out;
    std::vector<Taps> rows;
    std::vector<double> lines[2]; // the two map columns along the distance
    if (!Obtain(count * sizeof(double), [&] { out.resize(count); }) ||
        !Obtain(outputHeight * sizeof(Taps), [&] { rows.resize(outputHeight); }))
        return {};
    for (std::vector<double> &line : lines)
        if (!Obtain(h * sizeof(double), [&] { line.resize(h); }))
            return {};
    for (int r = 0; r < outputHeight; ++r)
        rows[r] = CubicTapsAt(RowPosition(r, h, outputHeight), h);
    double *first = lines[0].data();
    double *second = lines[1].data();
    const auto column = [&](int c) {
        return CubicTapsAt(ColumnPosition(std::min(c, outputWidth - 1), d, outputWidth), d);
    };
    for (int c = 0; c < outputWidth; c += 2) {
        AlongDistance(grid, column(c), column(c + 1), h, first);
        if (c + 1 == outputWidth) {
            for (int r = 0; r < outputHeight; ++r) {
                const Taps &y = rows[r];
                out[static_cast<size_t>(r) * outputWidth + c] =
                    Cubic(first[y.index[0]], first[y.index[1]], first[y.index[2]],
                          first[y.index[3]], y.fraction);
            }
            break;
        }
        AlongDistance(grid, column(c + 1), column(c + 2), h, second);
        for (int r = 0; r < outputHeight; ++r) {
            const Taps &y = rows[r];
            Vec2 a[4];
            for (int k = 0; k < 4; ++k)
                a[k] = Vec2{first[y.index[k]], second[y.index[k]]};
            const Vec2 v = Cubic(a[0], a[1], a[2], a[3], y.fraction);
            double *to = &out[static_cast<size_t>(r) * outputWidth + c];
            to[0] = v[0];
            to[1] = v[1];
        }
    }
    return out;
}

std::vector<double> CubicResample(const std::vector<double> &source, int sourceWidth,
                                  int sourceHeight, int outputWidth, int outputHeight) {
    const auto at = [&](int j, int i) { return source[static_cast<size_t>(j) * sourceWidth + i]; };
    return Resample(at, sourceWidth, sourceHeight, outputWidth, outputHeight);
}

namespace {

// Writes every pixel of the map area from its value's position between the two limits.
template <class ColourOf>
void PaintWith(std::vector<unsigned char> &image, const MapGeometry &g, const MapField &field,
               const MapSettings &settings, ColourOf colourOf) {
    const int width = g.width;
    const float red = static_cast<float>(settings.redLimit);
    const float white = static_cast<float>(settings.whiteLimit);
    const int stride = MapStride(width);
    for (int r = 0; r < g.height; ++r) {
        unsigned char *row = &image[static_cast<size_t>(g.stripRows + r) * stride];
        const double *values = &field[static_cast<size_t>(r) * width];
        for (int c = 0; c < width; ++c) {
            const Colour colour = colourOf(RampPosition(values[c], red, white));
            row[3 * c] = colour.blue;
            row[3 * c + 1] = colour.green;
            row[3 * c + 2] = colour.red;
        }
    }
}

void PaintArea(std::vector<unsigned char> &image, const MapGeometry &g, const MapField &field,
               const MapSettings &settings, MapStyle ramp) {
    if (g.width < 1 || g.height < 1 || image.size() < MapPictureBytes(g) ||
        field.size() < static_cast<size_t>(g.width) * static_cast<size_t>(g.height))
        return;
    if (ramp == MapStyle::Grey) {
        PaintWith(image, g, field, settings, [](float m) {
            const unsigned char grey = GreyLevel(m);
            return Colour{grey, grey, grey};
        });
    } else {
        PaintWith(image, g, field, settings, [](float m) { return RampColour(m); });
    }
}

} // namespace

void PaintMapArea(std::vector<unsigned char> &image, int width, int height, const MapField &field,
                  const MapSettings &settings, MapStyle ramp) {
    PaintArea(image, UnscaledMapGeometry(width, height), field, settings, ramp);
}

std::vector<unsigned char> RenderMap(const double *grid, const MapSettings &settings,
                                     const MapMarks &marks, MapStyle style, int width, int height) {
    return RenderMap(grid, settings, marks, style, UnscaledMapGeometry(width, height));
}

std::vector<unsigned char> RenderMap(const double *grid, const MapSettings &settings,
                                     const MapMarks &marks, MapStyle style, const MapGeometry &g) {
    if (g.width < 1 || g.height < 1 || g.stripRows < 0)
        return {};
    std::vector<unsigned char> image = WhiteMapImage(g);
    if (image.empty())
        return {};
    if (grid == nullptr) {
        DrawFrame(image, g);
        DrawMapMarks(kScreenMarks, g, image, marks);
        return image;
    }
    const MapField field =
        BuildMapField(grid, settings.downwindRange, settings.displayHeight, g.width, g.height);
    if (field.empty())
        return {};
    PaintArea(image, g, field, settings, style);
    DrawMapMarks(style == MapStyle::Grey ? kPrintMarks : kScreenMarks, g, image, marks);
    return image;
}

void DrawMapMarks(int style, int width, int height, std::vector<unsigned char> &image,
                  const MapMarks &marks) {
    DrawMapMarks(style, UnscaledMapGeometry(width, height), image, marks);
}

void DrawMapMarks(int style, const MapGeometry &g, std::vector<unsigned char> &image,
                  const MapMarks &marks) {
    Canvas canvas(image, g);
    if (!canvas.Fits())
        return;
    const int width = g.width;
    const bool print = style != kScreenMarks;
    const int range = marks.downwindRange;
    const int landing = marks.landingRow;
    DrawTicks(canvas, print, width, g.height);
    DrawMaximumPoint(canvas, print, width, landing, range);
    for (int k = 0; k < g.stripRows; ++k)
        canvas.Span(k, 0, width - 1, kStripColour);
    if (landing < 0)
        return;
    DrawBoundary(canvas, print, width, marks);
}
