#include "map/map_raster.h"

#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/outlet_inputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;

const Rgb kBlack = {0, 0, 0};
const Rgb kWhite = {255, 255, 255};
const Rgb kRed = {255, 0, 0};
const Rgb kBlue = {0, 0, 255};
const Rgb kStrip = {236, 233, 216};
const Rgb kDarkGrey = {64, 64, 64};
const Rgb kUntouched = {0x22, 0x22, 0x22};

constexpr int kStride = 1200;
constexpr int kSavedRows = 400;

Rgb PixelAt(const std::vector<unsigned char> &image, int bufferRow, int column) {
    const unsigned char *p = &image[static_cast<size_t>(bufferRow) * kStride + 3 * column];
    return {p[2], p[1], p[0]};
}

Rgb MapPixel(const std::vector<unsigned char> &image, int mapRow, int column) {
    return PixelAt(image, 12 + mapRow, column);
}

// Columns first … last of the buffer row have the colour, their neighbours inside the
// picture do not.
void ExpectRun(const std::vector<unsigned char> &image, int bufferRow, int first, int last,
               const Rgb &colour) {
    SCOPED_TRACE("buffer row " + std::to_string(bufferRow));
    for (int c = first; c <= last; ++c)
        EXPECT_EQ(PixelAt(image, bufferRow, c), colour) << "column " << c;
    if (first > 0) {
        EXPECT_NE(PixelAt(image, bufferRow, first - 1), colour) << "column " << first - 1;
    }
    if (last < 399) {
        EXPECT_NE(PixelAt(image, bufferRow, last + 1), colour) << "column " << last + 1;
    }
}

void ExpectPlainStrip(const std::vector<unsigned char> &image) {
    for (int k = 0; k < 12; ++k)
        for (int c = 0; c < 400; ++c)
            ASSERT_EQ(PixelAt(image, k, c), kStrip) << "strip row " << k << " column " << c;
}

// Every test has a zero grid, the settings and a record of its own.
class MapRasterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(grid_.Obtain());
        in_.reset(new OutletInputs());
        result_.landingRow = -1;
        result_.downwashClass = -1;
    }

    void SetGrid(int downwind, int height, double v) {
        grid_.Cells()[downwind * kGridColumns + height] = v;
    }

    MapField Field(int downwindRange, int displayHeight) const {
        return BuildMapField(grid_.Cells(), downwindRange, displayHeight, 400, 200);
    }

    MapMarks Marks() const { return MapMarksOf(settings_, *in_, result_); }

    void SetBoundary(const char *outletText, double outlet, const char *buildingText,
                     double building, int downwash) {
        std::strcpy(in_->outletToBoundaryText, outletText);
        std::strcpy(in_->buildingToBoundaryText, buildingText);
        in_->tall.outletToBoundary = outlet;
        in_->tall.buildingToBoundary = building;
        result_.downwashClass = downwash;
    }

    // The blank map of the record's marks, as the screen shows it without a result.
    std::vector<unsigned char> Blank() const {
        return RenderMap(nullptr, settings_, Marks(), MapStyle::Screen, 400, 200);
    }

    // image (the blank map unless given) with its map area painted from field.
    std::vector<unsigned char> Painted(const MapField &field, MapStyle ramp = MapStyle::Screen,
                                       std::vector<unsigned char> image = {}) const {
        if (image.empty())
            image = Blank();
        PaintMapArea(image, 400, 200, field, settings_, ramp);
        return image;
    }

    std::vector<unsigned char> Marked(int style) const {
        std::vector<unsigned char> image(212 * kStride, 0x22);
        DrawMapMarks(style, 400, 200, image, Marks());
        return image;
    }

    DilutionGrid grid_;
    MapSettings settings_ = {100, 20.0, 70.0, 50};
    std::unique_ptr<OutletInputs> in_;
    TallOutletResult result_ = TallOutletResult{};
};

// --- Window, limiting and resampling ---

TEST_F(MapRasterTest, WindowValuesAreLimitedBeforeResampling) {
    // 400 × 200 samples onto 400 × 200 pixels: every pixel sits on its own sample.
    for (int i = 0; i < 400; ++i)
        for (int j = 0; j < 200; ++j)
            SetGrid(i, j, 100.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double given[] = {300.0, -0.5, nan, inf, -inf, 299.999, 0.0, 1e6};
    const double limited[] = {300.0, 300.0, 300.0, 300.0, 300.0, 299.999, 0.0, 300.0};
    for (int k = 0; k < 8; ++k)
        SetGrid(10 + 4 * k, 7, given[k]);
    const MapField field = Field(400, 200);
    ASSERT_EQ(field.size(), 400u * 200u);
    for (int k = 0; k < 8; ++k)
        EXPECT_NEAR(field[7 * 400 + 10 + 4 * k], limited[k], 1e-9) << "value " << given[k];
    EXPECT_NEAR(field[7 * 400 + 12], 100.0, 1e-9); // nothing leaks into the sample between
}

// Catmull-Rom reproduces a straight line away from the ends; near the ends, where a
// sample is repeated, it bends in a way that depends on which samples the table picks.
// For samples 0, 1, 2, … of a line and base index i with fraction f the value is:
//   i = 0:      0.5f + f² − 0.5f³
//   i = n − 2:  (n − 2) + f + 0.5f² − 0.5f³
//   otherwise:  i + f
double LineThroughTable(double p, int n) {
    const double i = std::trunc(p);
    const double f = p - i;
    if (i == 0)
        return 0.5 * f + f * f - 0.5 * f * f * f;
    if (i == n - 2)
        return (n - 2) + f + 0.5 * f * f - 0.5 * f * f * f;
    return p;
}

TEST_F(MapRasterTest, SmallestWindowUsesTheEndRowsOfTheNeighbourTable) {
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 5; ++j)
            SetGrid(i, j, 10.0 + i + 20.0 * j);
    const MapField field = Field(10, 5);
    ASSERT_EQ(field.size(), 400u * 200u);
    // Columns 20, 100, 370 fall on base indices 0, 2, 8 = n − 2 of 10 samples; rows 30,
    // 100, 180 on 0, 2, 3 = n − 2 of 5.
    for (int r : {0, 30, 100, 180, 199}) {
        for (int c : {0, 20, 100, 370, 399}) {
            const double x = 9.0 * c / 399;
            const double y = 4.0 * r / 199;
            const double expected = 10 + LineThroughTable(x, 10) + 20 * LineThroughTable(y, 5);
            EXPECT_NEAR(field[r * 400 + c], expected, 1e-9) << "row " << r << " column " << c;
        }
    }
}

TEST_F(MapRasterTest, FieldIsTheResampledLimitedWindowBitForBit) {
    // A plume with values past 300 and, scattered, every kind that is limited.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double odd[] = {nan, -0.25, inf, 300.0, -inf};
    for (int i = 0; i < kGridRows; ++i)
        for (int j = 0; j < kGridColumns; ++j) {
            const double off = (j - 60.0) / (2.0 + 0.08 * i);
            SetGrid(i, j, (i * 7 + j) % 89 == 0 ? odd[(i + j) % 5] : 15.0 + 4.0 * off * off);
        }
    const std::array<int, 4> cases[] = {
        {10000, 800, 400, 200}, {9999, 799, 401, 150}, {137, 53, 3, 2}, {10, 5, 1, 200}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c[0]) + " x " + std::to_string(c[1]) + " onto " +
                     std::to_string(c[2]) + " x " + std::to_string(c[3]));
        std::vector<double> window(static_cast<size_t>(c[0]) * c[1]);
        for (int j = 0; j < c[1]; ++j)
            for (int i = 0; i < c[0]; ++i) {
                const double v = grid_.Cells()[static_cast<size_t>(i) * kGridColumns + j];
                window[static_cast<size_t>(j) * c[0] + i] = v >= 0 && v < 300 ? v : 300;
            }
        const std::vector<double> expected = CubicResample(window, c[0], c[1], c[2], c[3]);
        const MapField field = BuildMapField(grid_.Cells(), c[0], c[1], c[2], c[3]);
        ASSERT_EQ(field.size(), expected.size());
        EXPECT_EQ(std::memcmp(field.data(), expected.data(), field.size() * sizeof(double)), 0);
    }
}

TEST_F(MapRasterTest, OutputEndsFallOnTheFirstAndLastSamples) {
    // Not a line, so only the end positions reproduce samples.
    const std::vector<double> source = {5, 9, 2, 40, 7, 1, 3, 8, 30, 6, 4, 11};
    const std::vector<double> out = CubicResample(source, 4, 3, 9, 7);
    ASSERT_EQ(out.size(), 63u);
    EXPECT_EQ(out[0], 5.0);
    EXPECT_NEAR(out[8], 40.0, 1e-12);
    EXPECT_NEAR(out[6 * 9], 30.0, 1e-12);
    EXPECT_NEAR(out[6 * 9 + 8], 11.0, 1e-12);
    // Same size in and out: every sample comes through.
    const std::vector<double> same = CubicResample(source, 4, 3, 4, 3);
    ASSERT_EQ(same.size(), source.size());
    for (size_t k = 0; k < source.size(); ++k)
        EXPECT_NEAR(same[k], source[k], 1e-12) << "sample " << k;
}

TEST_F(MapRasterTest, OvershootIsKeptAndTheRampClampsIt) {
    // A step from 0 to 200 between downwind indices 4 and 5: the cubic dips below 0 before
    // the step and rises above 200 after it.
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 5; ++j)
            SetGrid(i, j, i < 5 ? 0.0 : 200.0);
    const MapField field = Field(10, 5);
    // Column 155: x = 3.496, samples 0, 0, 0, 200: −100f²(1 − f).
    const double f1 = 9.0 * 155 / 399 - 3;
    EXPECT_NEAR(field[50 * 400 + 155], -100 * f1 * f1 * (1 - f1), 1e-9);
    // Column 244: x = 5.504, samples 0, 200, 200, 200: 200 + 100f − 200f² + 100f³.
    const double f2 = 9.0 * 244 / 399 - 5;
    EXPECT_NEAR(field[50 * 400 + 244], 200 + 100 * f2 - 200 * f2 * f2 + 100 * f2 * f2 * f2, 1e-9);

    settings_.redLimit = 0.0;
    settings_.whiteLimit = 200.0;
    const std::vector<unsigned char> image = Painted(field);
    EXPECT_EQ(MapPixel(image, 50, 155), kRed);
    EXPECT_EQ(MapPixel(image, 50, 244), kWhite);
}

TEST_F(MapRasterTest, AllocationFailureEndsWithStatusThree) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<double> source(4, 1.0);
    EXPECT_TRUE(CubicResample(source, 2, 2, 1 << 30, 1 << 30).empty());
}

// --- Colour and grey ramps ---

MapField FieldWith(const std::vector<double> &values) {
    MapField field(400 * 200, 0.0);
    for (size_t k = 0; k < values.size(); ++k)
        field[5 * 400 + k] = values[k];
    return field;
}

TEST_F(MapRasterTest, ColourRampBetweenTheLimits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const MapField field = FieldWith({20, 70, 100, -5, nan, 25, 40, 60, 19.999});
    const std::vector<unsigned char> image = Painted(field);
    EXPECT_EQ(MapPixel(image, 5, 0), kRed);                 // L
    EXPECT_EQ(MapPixel(image, 5, 1), kWhite);               // U
    EXPECT_EQ(MapPixel(image, 5, 2), kWhite);               // above U
    EXPECT_EQ(MapPixel(image, 5, 3), kRed);                 // below L
    EXPECT_EQ(MapPixel(image, 5, 4), kWhite);               // not a number
    EXPECT_EQ(MapPixel(image, 5, 5), (Rgb{255, 77, 0}));    // m 0.1, s 0.3003
    EXPECT_EQ(MapPixel(image, 5, 6), (Rgb{204, 255, 0}));   // m 0.4, s 0.2006
    EXPECT_EQ(MapPixel(image, 5, 7), (Rgb{102, 255, 102})); // m 0.8, s 0.3994
    EXPECT_EQ(MapPixel(image, 5, 8), kRed);
    // The strip and its marks are left alone.
    ExpectPlainStrip(image);
}

TEST_F(MapRasterTest, ColourRampThirdsAreYellowAndGreen) {
    settings_.redLimit = 0.0;
    settings_.whiteLimit = 3.0;
    const std::vector<unsigned char> image = Painted(FieldWith({1.0, 2.0}));
    // m = 0.33333334 is past 0.333: s ≈ 0.001, red 255. m = 0.6666667 is short of 0.667:
    // s ≈ 0.999, red 0.
    EXPECT_EQ(MapPixel(image, 5, 0), (Rgb{255, 255, 0}));
    EXPECT_EQ(MapPixel(image, 5, 1), (Rgb{0, 255, 0}));
}

TEST_F(MapRasterTest, ColourRampRoundsInSinglePrecision) {
    // 56.125 between 20 and 70: m = 0.7225, s = 0.0555/0.333. Single precision makes
    // 255·s = 42.500023 and rounds up to 43; double precision gives 42.4999… and 42.
    // 20.555 becomes 20.5550003 as a float: 255·s = 8.500004 gives 9 (double: 8.49… , 8).
    const std::vector<unsigned char> image = Painted(FieldWith({56.125, 20.555}));
    EXPECT_EQ(MapPixel(image, 5, 0), (Rgb{43, 255, 43}));
    EXPECT_EQ(MapPixel(image, 5, 1), (Rgb{255, 9, 0}));
}

TEST_F(MapRasterTest, EqualLimitsSplitRedFromWhite) {
    settings_.redLimit = 40.0;
    settings_.whiteLimit = 40.0;
    const std::vector<unsigned char> image = Painted(FieldWith({39.0, 40.0, 41.0}));
    EXPECT_EQ(MapPixel(image, 5, 0), kRed);
    EXPECT_EQ(MapPixel(image, 5, 1), kWhite);
    EXPECT_EQ(MapPixel(image, 5, 2), kWhite);
}

TEST_F(MapRasterTest, ColourMapWritesEveryMapPixelAndNoStripPixel) {
    const std::vector<unsigned char> image = Painted(
        MapField(400 * 200, 45), MapStyle::Screen, std::vector<unsigned char>(212 * kStride, 0x22));
    for (int k = 0; k < 12; ++k)
        for (int c = 0; c < 400; ++c)
            ASSERT_EQ(PixelAt(image, k, c), kUntouched);
    // m = 0.5: s = 0.167/0.334 = 0.5 exactly in single precision, red 128.
    for (int r = 0; r < 200; ++r)
        for (int c = 0; c < 400; ++c)
            ASSERT_EQ(MapPixel(image, r, c), (Rgb{128, 255, 0})) << r << ", " << c;
}

TEST_F(MapRasterTest, GreyRampShadesTheMapAndLeavesTheStrip) {
    settings_.redLimit = 0.0;
    settings_.whiteLimit = 2.0;
    result_.landingRow = 49;
    const std::vector<unsigned char> before = Blank();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<unsigned char> grey =
        Painted(FieldWith({0.0, 1.0, 0.3, -1.0, 2.0, 3.0, nan}), MapStyle::Grey, before);
    ASSERT_EQ(grey.size(), before.size());
    EXPECT_EQ(MapPixel(grey, 5, 0), kBlack);
    EXPECT_EQ(MapPixel(grey, 5, 1), (Rgb{128, 128, 128})); // 127.5 + 0.5
    EXPECT_EQ(MapPixel(grey, 5, 2), (Rgb{38, 38, 38}));    // 38.25 + 0.5
    EXPECT_EQ(MapPixel(grey, 5, 3), kBlack);
    EXPECT_EQ(MapPixel(grey, 5, 4), kWhite);
    EXPECT_EQ(MapPixel(grey, 5, 5), kWhite);
    EXPECT_EQ(MapPixel(grey, 5, 6), kWhite);
    // The strip keeps the image's, with its colour, untouched by the ramp.
    EXPECT_TRUE(std::equal(grey.begin(), grey.begin() + 12 * kStride, before.begin()));
}

// --- Blank map and marks ---

TEST_F(MapRasterTest, BlankMapHasFrameTicksAndStrip) {
    // Without a grid, in either style.
    const std::vector<unsigned char> image = Blank();
    ASSERT_EQ(image.size(), 212u * 1200u);
    EXPECT_EQ(RenderMap(nullptr, settings_, Marks(), MapStyle::Grey, 400, 200), image);
    ExpectPlainStrip(image);
    for (int c = 0; c < 400; ++c) {
        ASSERT_EQ(MapPixel(image, 0, c), kBlack);
        ASSERT_EQ(MapPixel(image, 199, c), kBlack);
    }
    for (int r = 0; r < 200; ++r) {
        ASSERT_EQ(MapPixel(image, r, 0), kBlack);
        ASSERT_EQ(MapPixel(image, r, 399), kBlack);
    }
    for (int r : {50, 100, 150}) {
        ExpectRun(image, 12 + r, 0, 7, kBlack);
        ExpectRun(image, 12 + r, 392, 399, kBlack);
        EXPECT_EQ(MapPixel(image, r + 1, 3), kWhite);
    }
    for (int c : {100, 200, 300}) {
        for (int r = 1; r < 8; ++r) {
            ExpectRun(image, 12 + r, c, c, kBlack);
            ExpectRun(image, 12 + 199 - r, c, c, kBlack);
        }
        EXPECT_EQ(MapPixel(image, 8, c), kWhite);
        EXPECT_EQ(MapPixel(image, 191, c), kWhite);
    }
    // Everything else inside the frame is white.
    int black = 0;
    for (int r = 1; r < 199; ++r)
        for (int c = 1; c < 399; ++c)
            black += MapPixel(image, r, c) == kBlack;
    EXPECT_EQ(black, 3 * 2 * 7 + 3 * 2 * 7); // six 7-pixel ticks each way inside the frame
}

TEST_F(MapRasterTest, ScreenMaximumPointIsABlueTriangle) {
    result_.landingRow = 59; // 60 m of 100: column 240
    const std::vector<unsigned char> image = Marked(kScreenMarks);
    for (int k = 0; k < 10; ++k)
        ExpectRun(image, 12 + k, 240 - k / 2, 240 + k / 2, kBlue);
    EXPECT_EQ(MapPixel(image, 10, 240), kUntouched);
}

TEST_F(MapRasterTest, MaximumPointAtTheLastIndexDrawsItsLeftHalf) {
    result_.landingRow = 99; // column 400, one past the map
    std::vector<unsigned char> image = Marked(kScreenMarks);
    EXPECT_EQ(MapPixel(image, 0, 399), kUntouched);
    EXPECT_EQ(MapPixel(image, 1, 399), kUntouched);
    for (int k = 2; k < 10; ++k)
        ExpectRun(image, 12 + k, 400 - k / 2, 399, kBlue);
    // Nothing spills into the next row.
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(MapPixel(image, k, 0), kUntouched) << "map row " << k;
}

TEST_F(MapRasterTest, MaximumPointOutsideTheWindowIsNotDrawn) {
    result_.landingRow = 100;
    const std::vector<unsigned char> image = Marked(kScreenMarks);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 400; ++c)
            ASSERT_NE(MapPixel(image, r, c), kBlue);
}

struct BoundaryCase {
    const char *name;
    int landing;
    const char *outletText;
    double outlet;
    const char *buildingText;
    double building;
    int downwash;
    int centre; // −1: no marker
};

TEST_F(MapRasterTest, SiteBoundaryMarkerFollowsTheEnteredDistances) {
    const BoundaryCase cases[] = {
        {"both entered, no downwash: outlet", 49, "50", 50, "20", 20, 0, 200},
        {"both entered, weak downwash: nearer", 49, "50", 50, "20", 20, 1, 80},
        {"both entered, strong downwash: nearer", 49, "30", 30, "60", 60, 2, 120},
        {"both entered, class not computed", 49, "50", 50, "20", 20, -1, -1},
        {"both entered, beyond the window", 49, "150", 150, "20", 20, 0, -1},
        {"both entered, nearer still beyond", 49, "101", 101, "102", 102, 1, -1},
        {"both entered, at the window's end", 49, "100", 100, "20", 20, 0, 400},
        {"outlet only, just beyond", 49, "100.5", 100.5, "", 20, 0, 402},
        {"building only, just beyond", 49, "", 10, "100.5", 100.5, 2, 402},
        {"building only, far beyond", 49, "", 10, "120", 120, 0, 480},
        {"neither entered", 49, "", 50, "", 20, 0, -1},
        {"no maximum point", -1, "50", 50, "20", 20, 0, -1},
        {"maximum point beyond the window", 150, "50", 50, "20", 20, 0, 200},
        // 50.12499999 becomes 50.125 in single precision: 200.5 + 0.5 = 201, not 200.
        {"single precision column", 49, "50.12499999", 50.12499999, "", 0, 0, 201},
    };
    for (const BoundaryCase &bc : cases) {
        SCOPED_TRACE(bc.name);
        result_.landingRow = bc.landing;
        SetBoundary(bc.outletText, bc.outlet, bc.buildingText, bc.building, bc.downwash);
        const std::vector<unsigned char> image = Marked(kScreenMarks);
        if (bc.centre < 0) {
            ExpectPlainStrip(image);
            continue;
        }
        bool any = false;
        for (int k = 0; k < 10; ++k) {
            const int h = (9 - k) / 2;
            const int first = bc.centre - h;
            const int last = std::min(bc.centre + h, 399);
            if (first <= last) {
                ExpectRun(image, k, first, last, kDarkGrey);
                any = true;
            }
        }
        for (int k = 0; k < 12; ++k) {
            for (int c = 0; c < 400; ++c) {
                if (k >= 10 || std::abs(c - bc.centre) > (9 - k) / 2) {
                    ASSERT_EQ(PixelAt(image, k, c), kStrip) << k << ", " << c;
                }
            }
        }
        if (bc.centre >= 404) {
            EXPECT_FALSE(any);
        }
    }
}

TEST_F(MapRasterTest, PrintStyleTicksHaveWhiteCompanions) {
    const std::vector<unsigned char> image = Marked(kPrintMarks);
    for (int r : {50, 100, 150}) {
        ExpectRun(image, 12 + r, 0, 7, kBlack);
        ExpectRun(image, 12 + r, 392, 399, kBlack);
        ExpectRun(image, 12 + r + 1, 0, 7, kWhite);
        ExpectRun(image, 12 + r + 1, 392, 399, kWhite);
    }
    for (int c : {100, 200, 300}) {
        for (int r : {0, 7, 192, 199}) {
            EXPECT_EQ(MapPixel(image, r, c), kBlack) << r << ", " << c;
            EXPECT_EQ(MapPixel(image, r, c - 1), kWhite) << r << ", " << c - 1;
            EXPECT_EQ(MapPixel(image, r, c + 1), kUntouched) << r << ", " << c + 1;
        }
        EXPECT_EQ(MapPixel(image, 8, c), kUntouched);
        EXPECT_EQ(MapPixel(image, 8, c - 1), kUntouched);
        EXPECT_EQ(MapPixel(image, 191, c - 1), kUntouched);
    }
}

TEST_F(MapRasterTest, PrintStyleMarkersHaveBlackEdges) {
    result_.landingRow = 59;         // column 240
    SetBoundary("30", 30, "", 0, 0); // column 120
    const std::vector<unsigned char> image = Marked(kPrintMarks);
    // A white triangle under an 11-pixel black bar.
    for (int k = 0; k < 10; ++k)
        ExpectRun(image, 12 + k, 240 - k / 2, 240 + k / 2, kWhite);
    ExpectRun(image, 12 + 10, 235, 245, kBlack);
    ExpectRun(image, 12 + 11, 235, 245, kBlack);
    EXPECT_EQ(MapPixel(image, 0, 239), kUntouched);
    EXPECT_EQ(MapPixel(image, 12, 240), kUntouched);
    // A grey triangle with a one-pixel black border and a black tip.
    for (int k = 0; k < 10; ++k) {
        const int h = (9 - k) / 2;
        const int outline = (11 - k) / 2;
        ExpectRun(image, k, 120 - h, 120 + h, kDarkGrey);
        for (int c = 120 - outline; c < 120 - h; ++c)
            EXPECT_EQ(PixelAt(image, k, c), kBlack) << k << ", " << c;
        for (int c = 120 + h + 1; c <= 120 + outline; ++c)
            EXPECT_EQ(PixelAt(image, k, c), kBlack) << k << ", " << c;
        EXPECT_EQ(PixelAt(image, k, 120 + outline + 1), kStrip);
    }
    ExpectRun(image, 0, 115, 115, kBlack);
    ExpectRun(image, 10, 120, 120, kBlack);
    ExpectRun(image, 11, 120, 120, kBlack);
}

} // namespace
