// The map picture as one value: RenderMap against the pictures the program drew before it
// had RenderMap, by clearing the map, building the field, colouring it, marking it and
// greying a copy for print. The hashes were taken from those five calls over the same grid.
#include "map/map_raster.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/outlet_inputs.h"
#include "print/printed_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

uint64_t Fnv1a(const std::vector<unsigned char> &bytes) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

// A plume along 60 m that widens downwind and passes 300 away from its axis; plain
// arithmetic, so the grid is the same bits on every platform.
void FillPlume(DilutionGrid &grid) {
    for (int i = 0; i < kGridRows; ++i)
        for (int j = 0; j < kGridColumns; ++j) {
            const double spread = 2.0 + 0.08 * i;
            const double off = (j - 60.0) / spread;
            grid.Cells()[static_cast<size_t>(i) * kGridColumns + j] =
                15.0 + 0.004 * i + 4.0 * off * off;
        }
}

// One window and record, drawn in both styles.
struct RenderCase {
    const char *what;
    bool grid;            // false: no result, the blank map
    MapSettings settings; // range, red, white, height
    int32_t landing, downwash;
    const char *outletText;
    double outlet;
    const char *buildingText;
    double building;
    int width, height;
    size_t bytes;
    uint64_t screenHash, greyHash;
};

constexpr MapStyle kScreen = MapStyle::Screen;
constexpr MapStyle kGrey = MapStyle::Grey;

// clang-format off
const RenderCase kCases[] = {
    {"default window, outlet's boundary", true, {1000, 20, 70, 100}, 300, 0, "50", 50, "20", 20,
     400, 200, 254400, 0xbd4d5380269a16bbull, 0x74dd387b2f3299f6ull},
    {"whole grid, weak downwash", true, {10000, 30, 80, 800}, 648, 1, "500", 500, "2000", 2000,
     400, 200, 254400, 0x7553f8bb19b0a6a1ull, 0xf528104144c2d549ull},
    {"smallest window, upside-down ramp", true, {10, 70, 20, 5}, 4, 2, "", 0, "8", 8,
     400, 200, 254400, 0x724f7742c85e2373ull, 0x1bbe0c7b174aa99full},
    {"odd window, no landing point", true, {137, 0, 300, 53}, -1, -1, "50", 50, "", 0,
     400, 200, 254400, 0x15f88235cda39c8full, 0x57ffa87c532eabd8ull},
    // The blank map is the same on a printer without colour: there is nothing to grey.
    {"no result", false, kInitialMapSettings, -1, -1, "", 0, "", 0,
     400, 200, 254400, 0x7e6b8cd16ede87e1ull, 0x7e6b8cd16ede87e1ull},
    {"no result, marks kept", false, {1000, 20, 70, 100}, 300, 0, "50", 50, "20", 20,
     400, 200, 254400, 0xcf002d69cf30b910ull, 0xcf002d69cf30b910ull},
    {"rows padded", true, {1000, 20, 70, 100}, 300, 0, "50", 50, "20", 20,
     401, 150, 195048, 0x492e0b3bf661e0ccull, 0xedf8eeb82aa31ad7ull},
    // From RenderMap before the field was built two map columns at a time.
    {"three columns, a pair and one alone", true, {2500, 20, 70, 400}, 800, 0, "50", 50, "20", 20,
     3, 2, 168, 0xd47c43282aaa7cdaull, 0x49d5de67955c4907ull},
    {"one column of an odd height", true, {9999, 25, 90, 799}, 9998, 2, "", 0, "9000", 9000,
     1, 200, 848, 0x3f022eb3a4504fa8ull, 0x8dfc2b951a2f26a0ull},
};
// clang-format on

std::unique_ptr<OutletInputs> RecordOf(const RenderCase &c) {
    std::unique_ptr<OutletInputs> in(new OutletInputs());
    std::strcpy(in->outletToBoundaryText, c.outletText);
    std::strcpy(in->buildingToBoundaryText, c.buildingText);
    in->tall.outletToBoundary = c.outlet;
    in->tall.buildingToBoundary = c.building;
    return in;
}

TEST(RenderMap, DrawsWhatTheSeparateStepsDrew) {
    DilutionGrid grid;
    ASSERT_TRUE(grid.Obtain());
    FillPlume(grid);
    for (const RenderCase &c : kCases)
        for (const MapStyle style : {kScreen, kGrey}) {
            SCOPED_TRACE(std::string(c.what) + (style == kGrey ? ", grey" : ", screen"));
            const std::unique_ptr<OutletInputs> in = RecordOf(c);
            TallOutletResult result = kNoTallResult;
            result.landingRow = c.landing;
            result.downwashClass = c.downwash;
            // A result that exists, for the report's map; the blank cases have none.
            result.allowableOutletIndex = c.grid ? 30 : -1;
            const MapMarks marks = MapMarksOf(c.settings, *in, result);
            const std::vector<unsigned char> image = RenderMap(
                c.grid ? grid.Cells() : nullptr, c.settings, marks, style, c.width, c.height);
            ASSERT_EQ(image.size(), c.bytes);
            EXPECT_EQ(Fnv1a(image), style == kGrey ? c.greyHash : c.screenHash);
            // The report's map is the same picture, from the record's result or its absence.
            if (c.width == kMapWidth && c.height == kMapHeight) {
                EXPECT_EQ(PrintedMapImage(style == kScreen, grid.Cells(), c.settings, *in, result),
                          image);
            }
        }
}

TEST(RenderMap, ASizeBelowOneGivesNoPicture) {
    DilutionGrid grid;
    ASSERT_TRUE(grid.Obtain());
    const MapMarks marks = MapMarksOf(kInitialMapSettings, OutletInputs{}, TallOutletResult{});
    for (const double *from :
         {static_cast<const double *>(grid.Cells()), static_cast<const double *>(nullptr)}) {
        EXPECT_TRUE(RenderMap(from, kInitialMapSettings, marks, kScreen, 0, 200).empty());
        EXPECT_TRUE(RenderMap(from, kInitialMapSettings, marks, kGrey, 400, 0).empty());
    }
}

} // namespace
