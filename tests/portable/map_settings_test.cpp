#include "model/dilution_grid.h"
#include "model/map_settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MapSettings DefaultsFor(double landingValue, int landingRow = 10, double outlet = 30,
                        double building = 10) {
    static std::vector<double> grid(static_cast<size_t>(kGridRows) * kGridColumns);
    TallOutletInputs in{};
    in.tallOutletHeight = outlet;
    in.tallBuildingHeight = building;
    TallOutletResult r = kNoTallResult;
    r.landingRow = landingRow;
    r.landingColumn = landingRow < 0 ? -1 : 0;
    if (landingRow >= 0)
        grid[static_cast<size_t>(landingRow) * kGridColumns] = landingValue;
    return DefaultMapSettings(in, r, grid.data());
}

} // namespace

TEST(DefaultMapSettings, ColourLimitsFromTheLandingValue) {
    MapSettings s = DefaultsFor(12.4);
    EXPECT_EQ(s.redLimit, 10.0);
    EXPECT_EQ(s.whiteLimit, 60.0);
    s = DefaultsFor(0);
    EXPECT_EQ(s.redLimit, 0.0);
    EXPECT_EQ(s.whiteLimit, 50.0);
    s = DefaultsFor(296);
    EXPECT_EQ(s.redLimit, 290.0);
    EXPECT_EQ(s.whiteLimit, 300.0);
    s = DefaultsFor(305);
    EXPECT_EQ(s.redLimit, 0.0);
    EXPECT_EQ(s.whiteLimit, 300.0);
    s = DefaultsFor(33.5); // 34 → 30; 67 → 60; too close, so 30 + 50
    EXPECT_EQ(s.redLimit, 30.0);
    EXPECT_EQ(s.whiteLimit, 80.0);
    s = DefaultsFor(45.2); // 40 and 90
    EXPECT_EQ(s.redLimit, 40.0);
    EXPECT_EQ(s.whiteLimit, 90.0);
}

TEST(DefaultMapSettings, RangesFromTheLandingRowAndTheHeights) {
    EXPECT_EQ(DefaultsFor(20, 79).downwindRange, 100);
    EXPECT_EQ(DefaultsFor(20, 80).downwindRange, 200);
    EXPECT_EQ(DefaultsFor(20, 199).downwindRange, 200);
    EXPECT_EQ(DefaultsFor(20, 200).downwindRange, 500);
    EXPECT_EQ(DefaultsFor(20, 400).downwindRange, 1000);
    EXPECT_EQ(DefaultsFor(20, 800).downwindRange, 2000);
    EXPECT_EQ(DefaultsFor(20, 2000).downwindRange, 5000);
    EXPECT_EQ(DefaultsFor(20, 3999).downwindRange, 5000);
    EXPECT_EQ(DefaultsFor(20, 4000).downwindRange, 10000);

    EXPECT_EQ(DefaultsFor(20, 10, 30, 20).displayHeight, 100);
    EXPECT_EQ(DefaultsFor(20, 10, 25.9, 10).displayHeight, 50);
    EXPECT_EQ(DefaultsFor(20, 10, 15, 26).displayHeight, 100);
    EXPECT_EQ(DefaultsFor(20, 10, 50.9, 10).displayHeight, 100);
    EXPECT_EQ(DefaultsFor(20, 10, 100.5, 10).displayHeight, 200);
    EXPECT_EQ(DefaultsFor(20, 10, 101, 10).displayHeight, 400);
    EXPECT_EQ(DefaultsFor(20, 10, 201, 10).displayHeight, 800);
}

TEST(DefaultMapSettings, NoLandingPointShowsNoPlume) {
    MapSettings s = DefaultsFor(0, -1);
    EXPECT_EQ(s.redLimit, 0.0);
    EXPECT_EQ(s.whiteLimit, 300.0);
    EXPECT_EQ(s.downwindRange, 100);
}
