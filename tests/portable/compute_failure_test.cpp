#include "map/bmp_file.h"
#include "map/map_raster.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/result_texts.h"
#include "model/tall_calculation.h"
#include "model/tall_outlet.h"
#include "calc/calc_output.h"
#include "tools/kamorte_calc/map_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

// A case D record as validation leaves it.
OutletInputs AcceptedCaseD() {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    in.tall = MakeTallOutlet(30, 10, 1, 300, false, 80, 10);
    in.flowMode = FlowDry;
    return in;
}

// A result of an earlier run.
TallOutletResult EarlierResult() {
    TallOutletResult r = kNoTallResult;
    r.allowableOutletIndex = 30;
    r.landingRow = 100;
    return r;
}

TEST(CalculateTallOutlet, RefusedRunsLeaveTheAcceptedInputsAndNoResult) {
    struct Case {
        const char *what;
        double wetFlow;
        double velocity;
        bool grid;
        ComputeStatus expected;
    };
    const Case cases[] = {
        {"two flows", 400, -1, true, ComputeStatus::FlowGuard},
        {"a flow and the velocity", -1, 12, true, ComputeStatus::FlowGuard},
        {"no grid", -1, -1, false, ComputeStatus::OutOfMemory},
    };
    for (const Case &c : cases) {
        OutletInputs in = AcceptedCaseD();
        in.tall.wetFlow = c.wetFlow;
        in.tall.exitVelocity = c.velocity;
        // Without a grid the run asks for the memory of one, which is refused here.
        const GridMemory system = SystemGridMemory();
        DilutionGrid grid;
        if (c.grid)
            ASSERT_TRUE(grid.Obtain());
        else
            SetGridMemory(
                {[](size_t, bool *) -> void * { return nullptr; }, [](void *, size_t) {}});
        TallOutletResult r = EarlierResult();
        EXPECT_EQ(CalculateTallOutlet(in, CaseD, grid, &r), c.expected) << c.what;
        SetGridMemory(system);
        EXPECT_EQ(in.tall.moisture, 10.0) << c.what; // percent again, not a fraction
        EXPECT_EQ(in.tall.dryFlow, 300.0) << c.what;
        EXPECT_EQ(in.tall.wetFlow, c.wetFlow) << c.what;
        EXPECT_EQ(in.tall.exitVelocity, c.velocity) << c.what;
        EXPECT_EQ(in.tall.gasTemperature, 80.0) << c.what;
        EXPECT_EQ(r.allowableOutletIndex, -1.0) << c.what;
        EXPECT_EQ(r.landingRow, -1) << c.what;
        EXPECT_EQ(r.dryFlow, -1.0) << c.what;
        EXPECT_FALSE(HasResult(r)) << c.what;
    }
}

TEST(ComputeOutcome, SaysWhyNothingWasComputed) {
    OutletInputs in = AcceptedCaseD();
    in.tall.wetFlow = 400;
    ComputeStatus status = ComputeStatus::Ok;
    DilutionGrid grid;
    OutletResults results;
    results.tall = EarlierResult();
    EXPECT_TRUE(ComputeOutcome(in, CaseD, grid, results, &status).empty());
    EXPECT_FALSE(HasResult(results.tall));
    EXPECT_EQ(status, ComputeStatus::FlowGuard);
    EXPECT_STREQ(ComputeFailureLine(status), "Illegal Input < Vg or Qd , Qh >!!\n");
    EXPECT_STREQ(ComputeFailureLine(ComputeStatus::OutOfMemory), "");
}

bool gRefuseAll = false;
size_t gRefusedSize = 0; // a buffer of exactly this size is refused

bool Gate(size_t bytes) {
    return !gRefuseAll && bytes != gRefusedSize;
}

class MapMemoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(grid_.Obtain());
        previous_ = SetMapMemoryGate(Gate);
    }
    void TearDown() override {
        gRefuseAll = false;
        gRefusedSize = 0;
        SetMapMemoryGate(previous_);
    }
    MapMemoryGate previous_ = nullptr;
    DilutionGrid grid_;
};

// Every buffer the map needs is refused in turn; each step says so instead of ending.
TEST_F(MapMemoryTest, EveryRefusedBufferIsReported) {
    const MapSettings settings = {100, 20.0, 70.0, 50};
    OutletInputs in = AcceptedCaseD();
    const MapMarks marks = MapMarksOf(settings, in, EarlierResult());
    const double *grid = grid_.Cells();
    const auto render = [&](const double *from, MapStyle style) {
        return RenderMap(from, settings, marks, style, kMapWidth, kMapHeight);
    };

    gRefuseAll = true;
    EXPECT_TRUE(BuildMapField(grid, 100, 50, kMapWidth, kMapHeight).empty());
    EXPECT_TRUE(CubicResample({1, 2, 3, 4}, 2, 2, 4, 4).empty());
    EXPECT_TRUE(render(nullptr, MapStyle::Screen).empty()); // the blank map
    EXPECT_TRUE(render(grid, MapStyle::Screen).empty());
    EXPECT_TRUE(render(grid, MapStyle::Grey).empty());

    // Only the field refused (the image is a buffer of another size): the picture fails too.
    gRefuseAll = false;
    gRefusedSize = static_cast<size_t>(kMapWidth) * kMapHeight * sizeof(double);
    EXPECT_FALSE(render(nullptr, MapStyle::Screen).empty());
    EXPECT_TRUE(render(grid, MapStyle::Screen).empty());

    // Only the buffer of one map column along the window's 50 heights refused: the field
    // fails as a whole, not with a column missing.
    gRefusedSize = 50 * sizeof(double);
    EXPECT_TRUE(BuildMapField(grid, 100, 50, kMapWidth, kMapHeight).empty());
    EXPECT_TRUE(render(grid, MapStyle::Grey).empty());

    gRefusedSize = 0;
    EXPECT_EQ(BuildMapField(grid, 100, 50, kMapWidth, kMapHeight).size(),
              static_cast<size_t>(kMapWidth * kMapHeight));
    EXPECT_FALSE(render(nullptr, MapStyle::Screen).empty());
    EXPECT_FALSE(render(grid, MapStyle::Screen).empty());
    EXPECT_FALSE(render(grid, MapStyle::Grey).empty());
}

TEST_F(MapMemoryTest, KamorteCalcsMapFileReportsTheRefusal) {
    ScratchDirectory dir;
    const MapSettings settings = {100, 20.0, 70.0, 50};
    const OutletInputs in = AcceptedCaseD();
    gRefuseAll = true;
    EXPECT_EQ(
        WriteMapFile(dir.Path("map.bmp"), false, grid_.Cells(), settings, in, EarlierResult()),
        MapFileStatus::OutOfMemory);
    EXPECT_EQ(std::fopen(dir.Path("map.bmp").c_str(), "rb"), nullptr);
    gRefuseAll = false;
    EXPECT_EQ(WriteMapFile(dir.Path("map.bmp"), true, grid_.Cells(), settings, in, EarlierResult()),
              MapFileStatus::Written);
}

// Three boundary rules that meet at the same two distances and differ: the computation
// counts an omitted distance as 0, the result row shows only what was given, the map marks
// a single given distance even without downwash.
TEST(BoundaryRules, DifferWhereADistanceIsOmitted) {
    struct Case {
        const char *outletText;
        const char *buildingText;
        double outlet;
        double building;
        int32_t downwash;
        double computation;
        const char *row;
        bool marked;
        double marker;
    };
    const Case cases[] = {
        {"", "20", 0, 20, DownwashWeak, 0, "20", true, 20},
        {"", "20", 0, 20, DownwashNone, 0, "20", true, 20},
        {"50", "20", 50, 20, DownwashNone, 50, "50", true, 50},
        {"50", "20", 50, 20, DownwashWeak, 20, "20", true, 20},
        {"50", "", 50, 0, DownwashWeak, 0, "50", true, 50},
        {"", "", 0, 0, DownwashWeak, 0, "", false, 0},
        {"150", "120", 150, 120, DownwashWeak, 120, "120", false, 0},
    };
    for (const Case &c : cases) {
        OutletInputs in{};
        ResetTallOutletInputs(in);
        std::snprintf(in.outletToBoundaryText, kTextSize, "%s", c.outletText);
        std::snprintf(in.buildingToBoundaryText, kTextSize, "%s", c.buildingText);
        in.tall.outletToBoundary = c.outlet;
        in.tall.buildingToBoundary = c.building;
        TallRun run(in.tall);
        run.result.downwashClass = c.downwash;
        run.result.landingRow = 10;
        const std::string where = std::string(c.outletText) + "/" + c.buildingText;
        EXPECT_EQ(BoundaryDistance(run), c.computation) << where;
        EXPECT_EQ(BoundaryText(in, run.result), c.row) << where;
        double marker = 0;
        EXPECT_EQ(MapBoundaryMarker(MapMarksOf({100, 20, 70, 50}, in, run.result), &marker),
                  c.marked)
            << where;
        EXPECT_EQ(c.marked ? marker : 0.0, c.marker) << where;
    }
}

} // namespace
