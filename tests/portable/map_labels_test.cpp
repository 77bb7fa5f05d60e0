// The labels beside the map, the texts kept for printing and the screen's resampling.
#include "map/screen_image.h"
#include "model/result_texts.h"

#include <gtest/gtest.h>

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

TEST(KeepPrintedResultTexts, RateAlwaysPlacesOnlyWithAResult) {
    TallResultTexts shown;
    shown.rateMantissa = "3.2×10";
    shown.rateExponent = "-3";
    shown.landingDistance = "  649";
    shown.boundary = "50";
    KeepPrintedResultTexts(shown, true);
    EXPECT_STREQ(gPrintedResultTexts.rateExponent, "-3");
    EXPECT_STREQ(gPrintedResultTexts.boundary, "50");
    KeepPrintedResultTexts(TallResultTexts{}, false);
    EXPECT_STREQ(gPrintedResultTexts.rateMantissa, "");
    EXPECT_STREQ(gPrintedResultTexts.landingDistance, "  649");
    shown.boundary = std::string(200, '9');
    KeepPrintedResultTexts(shown, true);
    EXPECT_EQ(std::strlen(gPrintedResultTexts.boundary), 63u);
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
