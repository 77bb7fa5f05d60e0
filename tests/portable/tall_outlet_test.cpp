#include "model/dilution_grid.h"
#include "model/tall_calculation.h"
#include "model/tall_outlet.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Swept {
    TallRun in;
    std::vector<double> grid;
    int32_t landingRow = -1, landingColumn = -1;
    double Fmax = 0;
};

Swept RunOn(TallRun in, int rows, int columns, bool convert = true) {
    Swept r{in, std::vector<double>(static_cast<size_t>(rows) * columns), -1, -1, 0};
    r.Fmax =
        RunTallOutlet(r.in, convert, rows, columns, r.grid.data(), &r.landingRow, &r.landingColumn);
    return r;
}

// The row of the largest ground-level concentration at or beyond the boundary, nearest
// first among equals, from an unconverted run.
int RowOfMaximum(const TallRun &in, int rows, double boundary) {
    Swept raw = RunOn(in, rows, 1, false);
    int best = -1;
    for (int r = 0; r < rows; ++r) {
        if (r + 1 >= boundary && (best < 0 || raw.grid[r] > raw.grid[best]))
            best = r;
    }
    return best;
}

} // namespace

TEST(DilutionOfRatio, IsAlwaysFinite) {
    EXPECT_NEAR(DilutionOfRatio(0, 1, 0.2255), 10 * std::log10(2e30) - 2.255, 1e-12);
    EXPECT_NEAR(DilutionOfRatio(1, 1, 0.2255), -2.255, 1e-12);
    EXPECT_NEAR(DilutionOfRatio(1e-3, 1, 0.2255), 30 - 2.255, 1e-12);
    // Where 1/p overflows the logarithmic form takes over.
    const double tiny = 1e-310;
    EXPECT_TRUE(std::isinf(std::pow(tiny, -1.0)));
    EXPECT_NEAR(DilutionOfRatio(tiny, 1, 0.2255), 3100 - 2.255, 1e-9);
}

TEST(BoundaryDistance, TheBuildingCountsOnlyUnderDownwash) {
    TallRun in = MakeTallOutlet(30, 10, 1, 300, false, 80, 10);
    in.outletToBoundary = 50;
    in.buildingToBoundary = 20;
    in.result.downwashClass = DownwashNone;
    EXPECT_EQ(BoundaryDistance(in), 50.0);
    in.result.downwashClass = DownwashWeak;
    EXPECT_EQ(BoundaryDistance(in), 20.0);
    in.result.downwashClass = DownwashStrong;
    EXPECT_EQ(BoundaryDistance(in), 20.0);
    in.buildingToBoundary = 60;
    EXPECT_EQ(BoundaryDistance(in), 50.0);
}

TEST(RunTallOutlet, LandingRowIsTheRowOfTheGroundMaximum) {
    TallRun in = MakeTallOutlet(30, 10, 1, 300, false, 80, 10);
    Swept free = RunOn(in, 10000, 4);
    EXPECT_EQ(free.landingRow, RowOfMaximum(in, 10000, 0));
    EXPECT_EQ(free.landingColumn, 0);
    EXPECT_NEAR(free.in.result.dilutionDegree, free.grid[static_cast<size_t>(free.landingRow) * 4],
                1e-9);

    // A boundary beyond the unrestricted maximum: the first row at or beyond it.
    in.outletToBoundary = free.landingRow + 101;
    Swept far = RunOn(in, 10000, 4);
    EXPECT_EQ(far.landingRow, free.landingRow + 100);
    EXPECT_GT(far.in.result.dilutionDegree, free.in.result.dilutionDegree);
}

TEST(RunTallOutlet, AHighPlumeLandsAtTheEndOfTheGrid) {
    TallRun in = MakeTallOutlet(300, 10, 5, 100, true, 500, 5);
    Swept r = RunOn(in, 10000, 1);
    EXPECT_EQ(r.landingRow, 9999);
    EXPECT_EQ(r.Fmax, RunOn(in, 10000, 1, false).grid[9999]);
}

TEST(RunTallOutlet, RowsWithoutAnyGroundConcentrationRankLast) {
    // The plume reaches the ground only far away; the first rows hold concentrations so
    // small that their dilution degrees exceed the no-plume value.
    TallRun in = MakeTallOutlet(400, 100, 10, 199, true, 500, 0);
    Swept r = RunOn(in, 10000, 1);
    EXPECT_EQ(r.landingRow, RowOfMaximum(in, 10000, 0));
    EXPECT_EQ(r.landingRow, 9999);
    for (double cell : r.grid)
        ASSERT_TRUE(std::isfinite(cell));
}

TEST(RunTallOutlet, NoGroundConcentrationMeansNoLimit) {
    TallRun in = MakeTallOutlet(400, 10, 1, 20, true, 300, 5);
    Swept r = RunOn(in, 50, 2);
    EXPECT_EQ(r.Fmax, 0.0);
    EXPECT_TRUE(std::isinf(r.in.result.allowableEmissionRate));
    EXPECT_NEAR(r.in.result.dilutionDegree, 10 * std::log10(2e30) - 2.255, 1e-12);
    EXPECT_EQ(r.landingRow, 0);
    AdjustTallResults(r.in.result, r.in.no1Standard);
    EXPECT_EQ(r.in.result.allowableOutletIndex, 301 + 12);
}

TEST(RunTallOutlet, GroundConcentrationNeverExceedsTheOutlet) {
    // Stack-tip downwash of a wide, slow outlet: the plume lies on the ground.
    TallRun in = MakeTallOutlet(15, 0, 10, 0.1, true, 20, 10);
    Swept r = RunOn(in, 100, 3);
    EXPECT_EQ(r.in.result.downwashClass, DownwashStrong);
    EXPECT_DOUBLE_EQ(r.Fmax, 1 / r.in.dryFlow);
    EXPECT_EQ(r.landingRow, 0); // the first of the rows capped at dilution 0
    EXPECT_EQ(r.grid[0], 0.0);
}

TEST(AdjustTallResults, ShownIndexIsShownNo1PlusShownDilution) {
    TallRun t = MakeTallOutlet(30, 10, 1, 300, false, 80, 10);
    t.no1Standard = 12;
    t.result.dilutionDegree = 11.4999;
    t.result.allowableOutletIndex = 23.5001;
    AdjustTallResults(t.result, t.no1Standard);
    EXPECT_EQ(t.result.allowableOutletIndex, 23.0);

    t.no1Standard = 10;
    t.result.dilutionDegree = -3;
    t.result.allowableOutletIndex = 7;
    AdjustTallResults(t.result, t.no1Standard);
    EXPECT_EQ(t.result.dilutionDegree, 0.0);
    EXPECT_EQ(t.result.allowableOutletIndex, 10.0);

    t.no1Standard = 12.4;
    t.result.dilutionDegree = 20.2;
    t.result.allowableOutletIndex = 32.4;
    AdjustTallResults(t.result, t.no1Standard);
    EXPECT_EQ(t.result.allowableOutletIndex, 32.4); // already 12 + 20 when shown
}

TEST(CalculateTallOutlet, LeavesTheAcceptedInputsAsTheyAre) {
    DilutionGrid grid;
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    in.tall = MakeTallOutlet(30, 10, 1, 300, false, 80, 10);
    in.tall.dryFlow = -1;
    in.tall.wetFlow = 400;
    in.tall.moisture = 25;
    in.flowMode = FlowWet;
    TallOutletResult r;
    ASSERT_EQ(CalculateTallOutlet(in, CaseD, grid, &r), ComputeStatus::Ok);
    EXPECT_EQ(in.tall.wetFlow, 400.0);
    EXPECT_EQ(in.tall.moisture, 25.0);
    EXPECT_EQ(in.tall.exitVelocity, -1.0);
    EXPECT_EQ(in.tall.dryFlow, -1.0);
    EXPECT_DOUBLE_EQ(r.dryFlow, 300.0); // derived, in m³N/min

    // Case C runs a cold gas at 15 °C and leaves the accepted value.
    in.tall.gasTemperature = 5;
    in.tall.tallBuildingHeight = 25;
    CalculateTallOutlet(in, CaseC, grid, &r);
    EXPECT_EQ(in.tall.gasTemperature, 5.0);

    // Case D given the area computes with the diameter of that area.
    in.tall.tallBuildingHeight = 10;
    in.sizeMode = SizeByArea;
    in.tall.outletArea = 3.14159265358979323846;
    CalculateTallOutlet(in, CaseD, grid, &r);
    EXPECT_EQ(in.tall.outletDiameter, 1.0);
    OutletInputs byDiameter = in;
    byDiameter.sizeMode = SizeByDiameter;
    byDiameter.tall.outletDiameter = 2.0;
    TallOutletResult d;
    CalculateTallOutlet(byDiameter, CaseD, grid, &d);
    EXPECT_EQ(r.allowableOutletIndex, d.allowableOutletIndex);
    EXPECT_EQ(r.landingRow, d.landingRow);
}
