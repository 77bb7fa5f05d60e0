// The labels beside the map, the texts a report holds and the screen's resampling.
#include "map/map_raster.h"
#include "map/screen_image.h"
#include "model/dilution_grid.h"
#include "model/result_texts.h"
#include "print/report_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

TEST(FormatMapLabels, ColourBarAndAxesFromTheSettings) {
    struct Case {
        double red, white;
        int range, height;
        bool exists, axesFromSettings;
        const char *top, *middle, *bottom, *heightAxis, *distanceAxis;
    } cases[] = {
        {20, 70, 1000, 100, true, false, "  70", "  45", "  20", " 100m", "風下距離 1000m"},
        {0, 300, 100, 50, true, false, " 300", " 150", "   0", "  50m", "風下距離  100m"},
        // 20.6 + 50 rounds to 71: half of it is no whole number, the middle stays empty.
        {20.6, 50, 10000, 800, true, false, "  50", "", "  21", " 800m", "風下距離 10000m"},
        {20, 70, 1000, 100, false, false, "", "", "", "m", "風下距離  "},
        {20, 70, 500, 200, false, true, "", "", "", " 200m", "風下距離  500m"},
    };
    for (const Case &c : cases) {
        const MapSettings s = {c.range, c.red, c.white, c.height};
        const MapLabelTexts t = FormatMapLabels(s, c.exists, c.axesFromSettings);
        EXPECT_EQ(t.colourTop, c.top) << c.red << "/" << c.white;
        EXPECT_EQ(t.colourMiddle, c.middle) << c.red << "/" << c.white;
        EXPECT_EQ(t.colourBottom, c.bottom);
        EXPECT_EQ(t.heightAxis, c.heightAxis);
        EXPECT_EQ(t.distanceAxis, c.distanceAxis);
    }
}

// A report holds the texts the result display shows, the landing cell's value and a map
// picture; without a result it holds none of them.
TEST(MakeReport, HoldsTheTextsTheScreenShows) {
    struct Case {
        const char *what;
        OutletCase report;
        double index, rate;
        int32_t landingRow;
        const char *boundaryText;
        const char *mantissa, *exponent, *landing, *boundary;
        double landingDilution;
    } cases[] = {
        {"a result", CaseD, 45, 3.2e-3, 648, "50", "3.2×10", "-3", "  649", "50", 33.4},
        {"no limit", CaseC, 45, HUGE_VAL, 648, "", "∞", "", "  649", "", 33.4},
        {"no landing point", CaseD, 45, 9.1e6, -1, "50", "9.1×10", "6", "", "50", 0},
        {"no result", CaseD, -1, -1, -1, "50", "", "", "", "", 0},
        {"a low case", CaseB, 45, 3.2e-3, 648, "50", "", "", "", "", 0},
    };
    // A whole grid: the map picture is drawn from it.
    std::vector<double> grid(static_cast<size_t>(kGridRows) * kGridColumns, 0);
    grid[648 * static_cast<size_t>(kGridColumns)] = 33.4;
    const PrintInfo info = {"作成者", "事業所", "施設"};
    const MapSettings map = {2000, 20, 70, 200};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        OutletInputs in{};
        ResetTallOutletInputs(in);
        in.tall.no1Standard = 12;
        in.tall.dryFlow = 300;
        std::strcpy(in.outletToBoundaryText, c.boundaryText);
        in.tall.outletToBoundary = 50;
        OutletResults results;
        results.tall = {DownwashNone, 30, 92,           c.index,
                        c.rate,       33, c.landingRow, c.landingRow < 0 ? -1 : 0,
                        300};
        const Report report = MakeReport(c.report, in, results, grid.data(), map, info, false);
        EXPECT_EQ(report.shown.rateMantissa, c.mantissa);
        EXPECT_EQ(report.shown.rateExponent, c.exponent);
        EXPECT_EQ(report.shown.landingDistance, c.landing);
        EXPECT_EQ(report.shown.boundary, c.boundary);
        EXPECT_EQ(report.landingDilution, c.landingDilution);
        // (That these are the screen's own texts, the tall screens' tests read on the screen.)
        const bool tall = c.report == CaseC || c.report == CaseD;
        EXPECT_EQ(report.mapPicture.size(), tall ? size_t{kMapWidth} * kMapImageRows * 3 : 0u);
        EXPECT_EQ(report.results.tall.allowableOutletIndex, c.index);
        EXPECT_EQ(report.info.facilityName, "施設");
        EXPECT_EQ(report.map.downwindRange, 2000);
        EXPECT_FALSE(report.colour);
    }
}

TEST(ResampleImage, SmoothsWithoutMovingAndRefusesBadSizes) {
    const int width = 400, rows = 212, stride = 1200;
    std::vector<unsigned char> flat(stride * rows, 77);
    std::vector<unsigned char> out =
        ResampleImage(width, rows, 3, flat.data(), flat.size(), width, rows);
    ASSERT_EQ(out.size(), flat.size());
    EXPECT_EQ(out, flat) << "a flat picture stays flat";

    // A black band of three rows under white: the band stays black (the cubic's undershoot
    // is clamped to 0), a single row is half blurred into its neighbour.
    std::vector<unsigned char> framed(stride * rows, 255);
    for (int x = 0; x < stride * 3; ++x)
        framed[x] = 0;
    out = ResampleImage(width, rows, 3, framed.data(), framed.size(), width, rows);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[stride], 0);
    EXPECT_EQ(out[stride * 100 + 600], 255);

    struct Bad {
        int w, r, bytes;
        size_t size;
    } bad[] = {{0, rows, 3, flat.size()}, {width, 0, 3, flat.size()}, {width, rows, 3, 100}};
    for (const Bad &b : bad)
        EXPECT_TRUE(ResampleImage(b.w, b.r, b.bytes, flat.data(), b.size, width, rows).empty());
    // Odd widths pad each row to four bytes, in and out.
    std::vector<unsigned char> odd(12 * 3, 9); // 3 pixels: 9 bytes + 3 padding, 3 rows
    EXPECT_EQ(ResampleImage(3, 3, 3, odd.data(), odd.size(), 5, 2).size(), 16u * 2);
}

namespace {

// The screen's resampling written out pixel by pixel, as the map's cubic is stated: four
// neighbours clamped at both ends, along x on four rows and then along y.
void Neighbours(float position, int n, int index[4], float *fraction) {
    int i = static_cast<int>(std::trunc(position));
    *fraction = n == 1 ? 0.0f : position - std::trunc(position);
    const int last = n - 1;
    i = std::min(i, last);
    const int base[4] = {i - 1, i, i + 1, i + 2};
    for (int m = 0; m < 4; ++m)
        index[m] = n == 1 ? 0 : std::max(0, std::min(last, base[m]));
    if (n > 1 && i <= 0) {
        index[0] = 0;
        index[1] = 0;
        index[2] = std::min(1, last);
        index[3] = std::min(2, last);
    }
}

float CatmullRom(const float a[4], float f) {
    return 0.5f * (2 * a[1] + (a[2] - a[0]) * f + (2 * a[0] - 5 * a[1] + 4 * a[2] - a[3]) * f * f +
                   (a[3] - 3 * a[2] + 3 * a[1] - a[0]) * f * f * f);
}

std::vector<unsigned char> ResampleByPixel(int w, int h, int bpp, const unsigned char *src, int ow,
                                           int oh) {
    const int inStride = (w * bpp + 3) / 4 * 4, outStride = (ow * bpp + 3) / 4 * 4;
    std::vector<unsigned char> out(static_cast<size_t>(outStride) * oh, 0);
    for (int ch = 0; ch < bpp; ++ch)
        for (int r = 0; r < oh; ++r)
            for (int k = 0; k < ow; ++k) {
                const float sx = 1.0f / static_cast<float>(ow), sy = 1.0f / static_cast<float>(oh);
                int xi[4], yi[4];
                float fx, fy;
                Neighbours(static_cast<float>(w - 1) * (static_cast<float>(k) * sx + sx * 0.5f), w,
                           xi, &fx);
                Neighbours(static_cast<float>(h - 1) * (static_cast<float>(r) * sy + sy * 0.5f), h,
                           yi, &fy);
                float along[4];
                for (int n = 0; n < 4; ++n) {
                    float p[4];
                    for (int m = 0; m < 4; ++m)
                        p[m] = src[static_cast<size_t>(yi[n]) * inStride + xi[m] * bpp + ch];
                    along[n] = CatmullRom(p, fx);
                }
                const int byte = static_cast<int>(CatmullRom(along, fy) + 0.5f);
                out[static_cast<size_t>(r) * outStride + k * bpp + ch] =
                    static_cast<unsigned char>(std::max(0, std::min(255, byte)));
            }
    return out;
}

} // namespace

// Whatever the sizes, the screen's resampling gives exactly the bytes of the cubic taken
// pixel by pixel.
TEST(ResampleImage, GivesTheBytesOfThePixelByPixelCubic) {
    struct Size {
        int w, h, bpp, ow, oh;
    } sizes[] = {{400, 212, 3, 400, 212}, {7, 5, 3, 13, 3}, {1, 1, 3, 4, 4},
                 {5, 1, 3, 3, 6},         {2, 9, 4, 2, 9},  {31, 17, 1, 10, 40}};
    unsigned seed = 12345;
    for (const Size &s : sizes) {
        const int stride = (s.w * s.bpp + 3) / 4 * 4;
        std::vector<unsigned char> src(static_cast<size_t>(stride) * s.h);
        for (unsigned char &b : src) {
            seed = seed * 1103515245u + 12345u;
            b = static_cast<unsigned char>(seed >> 16);
        }
        EXPECT_EQ(ResampleImage(s.w, s.h, s.bpp, src.data(), src.size(), s.ow, s.oh),
                  ResampleByPixel(s.w, s.h, s.bpp, src.data(), s.ow, s.oh))
            << s.w << "x" << s.h << " to " << s.ow << "x" << s.oh;
    }
}
