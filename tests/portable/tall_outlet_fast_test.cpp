// The fast field against the cell-by-cell computation it replaces.
#include "map/map_raster.h"
#include "model/dilution_field.h"
#include "model/softplus_tail.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/tall_outlet.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

struct Outlet {
    const char *what;
    TallRun in;
};

TallRun With(TallRun in, double outletBoundary, double buildingBoundary,
             OutletDirection direction = DirectionUpward) {
    in.outletToBoundary = outletBoundary;
    in.buildingToBoundary = buildingBoundary;
    in.outletDirection = direction;
    return in;
}

std::vector<Outlet> Spread() {
    return {
        {"no downwash, boundaries 50 and 20",
         With(MakeTallOutlet(30, 10, 1, 300, false, 80, 10), 50, 20)},
        {"weak downwash, velocity", With(MakeTallOutlet(20, 12, 1, 10, true, 80, 10), 0, 0)},
        {"strong downwash", With(MakeTallOutlet(16, 15, 1, 300, false, 80, 10), 30, 10)},
        {"downward outlet",
         With(MakeTallOutlet(30, 10, 1, 300, false, 80, 10), 50, 20, DirectionOther)},
        {"cold gas", With(MakeTallOutlet(30, 10, 1, 300, false, -15, 10), 50, 20)},
        {"landing beyond 10 km", With(MakeTallOutlet(400, 100, 10, 199, true, 500, 0), 0, 0)},
        {"boundary far away", With(MakeTallOutlet(60, 10, 2, 15, true, 150, 5), 6000, 6000)},
    };
}

struct Computed {
    TallRun in;
    double Fmax;
    int32_t row, column;
};

Computed Compute(TallRun in, bool fast, double *grid) {
    Computed c{in, 0, -1, -1};
    c.Fmax =
        fast ? RunTallOutlet(c.in, true, kGridRows, kGridColumns, grid, &c.row, &c.column)
             : RunTallOutletReference(c.in, true, kGridRows, kGridColumns, grid, &c.row, &c.column);
    return c;
}

std::vector<unsigned char> DefaultMap(const TallRun &in, const double *grid) {
    const MapSettings settings = DefaultMapSettings(in, in.result, grid);
    OutletInputs record{};
    record.tall = in;
    return RenderMap(grid, settings, MapMarksOf(settings, record, in.result), MapStyle::Screen,
                     kMapWidth, kMapHeight);
}

} // namespace

TEST(FastField, AgreesWithTheCellByCellComputation) {
    DilutionGrid grid;
    ASSERT_TRUE(grid.Obtain());
    double *const cells = grid.Cells();
    std::vector<double> reference(static_cast<size_t>(kGridRows) * kGridColumns);
    for (const Outlet &outlet : Spread()) {
        SCOPED_TRACE(outlet.what);
        const Computed slow = Compute(outlet.in, false, reference.data());
        const Computed fast = Compute(outlet.in, true, cells);
        EXPECT_EQ(fast.Fmax, slow.Fmax);
        EXPECT_EQ(fast.row, slow.row);
        EXPECT_EQ(fast.column, slow.column);
        const TallOutletResult &a = fast.in.result, &b = slow.in.result;
        EXPECT_EQ(a.downwashClass, b.downwashClass);
        EXPECT_EQ(a.downwashedHeight, b.downwashedHeight);
        EXPECT_EQ(a.effectiveHeight, b.effectiveHeight);
        EXPECT_EQ(a.allowableOutletIndex, b.allowableOutletIndex);
        EXPECT_EQ(a.allowableEmissionRate, b.allowableEmissionRate);
        EXPECT_EQ(a.dilutionDegree, b.dilutionDegree);
        EXPECT_EQ(fast.in.dryFlow, slow.in.dryFlow);
        EXPECT_EQ(fast.in.exitVelocity, slow.in.exitVelocity);

        size_t far = 0, plumeMismatch = 0;
        double worst = 0;
        for (size_t i = 0; i < reference.size(); ++i) {
            const double want = reference[i], got = cells[i];
            if (want < 300) {
                worst = std::max(worst, std::fabs(got - want));
                far += std::fabs(got - want) > 1e-10;
            } else {
                plumeMismatch += !(got >= 300);
            }
        }
        EXPECT_EQ(far, 0u) << "largest difference " << worst;
        EXPECT_EQ(plumeMismatch, 0u);
        for (int r = 0; r < kGridRows; ++r)
            ASSERT_EQ(cells[static_cast<size_t>(r) * kGridColumns],
                      reference[static_cast<size_t>(r) * kGridColumns]);
    }
}

TEST(FastField, GivesTheSameDefaultMap) {
    DilutionGrid grid;
    ASSERT_TRUE(grid.Obtain());
    double *const cells = grid.Cells();
    for (const Outlet &outlet : {Spread()[0], Spread()[2], Spread()[5]}) {
        SCOPED_TRACE(outlet.what);
        const Computed slow = Compute(outlet.in, false, cells);
        const std::vector<unsigned char> want = DefaultMap(slow.in, cells);
        const Computed fast = Compute(outlet.in, true, cells);
        const std::vector<unsigned char> got = DefaultMap(fast.in, cells);
        ASSERT_EQ(got.size(), want.size());
        size_t pixels = 0, differing = 0;
        const int stride = MapStride(kMapWidth);
        for (int r = 0; r < kMapImageRows; ++r) {
            for (int c = 0; c < kMapWidth; ++c) {
                bool differs = false;
                for (int b = 0; b < 3; ++b) {
                    const size_t i = static_cast<size_t>(r) * stride + 3 * c + b;
                    EXPECT_LE(std::abs(got[i] - want[i]), 1);
                    differs |= got[i] != want[i];
                }
                ++pixels;
                differing += differs;
            }
        }
        EXPECT_LE(differing * 1000, pixels);
    }
}

TEST(FastField, SoftplusTailIsAccurate) {
    double worst = 0;
    for (double u = 0; u < 45; u += 0.00037)
        worst = std::max(worst, std::fabs(SoftplusTail(u) - std::log1p(std::exp(-u))));
    EXPECT_LT(worst, 5e-12);
}

TEST(BuildMapField, ReadingOnlyWhatItNeedsEqualsCopyingTheWindow) {
    DilutionGrid grid;
    ASSERT_TRUE(grid.Obtain());
    double *const cells = grid.Cells();
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c)
            cells[static_cast<size_t>(r) * kGridColumns + c] =
                std::fmod(r * 0.37 + c * c * 0.011, 320.0) - 10;
    const std::pair<int, int> windows[] = {{10000, 800}, {137, 53}, {10, 5}};
    for (const auto &[D, H] : windows) {
        std::vector<double> copy(static_cast<size_t>(D) * H);
        for (int j = 0; j < H; ++j)
            for (int i = 0; i < D; ++i) {
                const double v = cells[static_cast<size_t>(i) * kGridColumns + j];
                copy[static_cast<size_t>(j) * D + i] = v >= 0 && v < 300 ? v : 300;
            }
        EXPECT_EQ(BuildMapField(cells, D, H, kMapWidth, kMapHeight),
                  CubicResample(copy, D, H, kMapWidth, kMapHeight))
            << D << " x " << H;
    }
}
