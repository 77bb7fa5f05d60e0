// The scan over an outlet's record, as a screen hands over its current outlet: the case at
// each height, the inputs a case lacks by field, the verdict, and stopping on request.
#include "model/height_scan.h"
#include "text/text_helpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::pair<Field, const char *>>;
using Needs = std::vector<std::vector<Field>>;

// A record as the screens leave it: accepted texts, the No. 1 standard on both forms.
OutletInputs Outlet(const Texts &texts, SizeClass sizeClass = SizeNone,
                    OutletDirection direction = DirectionNotChosen) {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    for (const auto &text : texts) {
        CopyText(in.*FieldRowOf(text.first).tall.text, kTextSize, text.second);
        if (text.first == Field::No1Standard)
            CopyText(in.no1Text, kTextSize, text.second);
    }
    in.sizeClass = sizeClass;
    in.tall.outletDirection = direction;
    return in;
}

const Texts kCaseB = {{Field::BuildingHeight, "8"}, {Field::No1Standard, "15"}};
const Texts kCaseD = {{Field::BuildingHeight, "10"},   {Field::No1Standard, "12"},
                      {Field::Diameter, "1"},          {Field::Temperature, "80"},
                      {Field::DryFlow, "300"},         {Field::Moisture, "10"},
                      {Field::OutletToBoundary, "50"}, {Field::BuildingToBoundary, "20"}};
const OutletInputs kTall = Outlet(kCaseD, SizeNone, DirectionUpward);

SmellParams Defaults() {
    SmellParams params;
    SetDefaultSmellParams(params);
    return params;
}

} // namespace

// Where the scan over options ends, the height search's own tests hold; here what only a
// screen's record can hand over: the inputs a case lacks field by field, a record whose case
// the scan does not reach, a text the record holds but the field refuses.
TEST(OutletHeightScan, StopsWhereTheRecordCannotGoOn) {
    struct Row {
        const char *what;
        OutletInputs outlet;
        const char *from;
        const char *last;    // the height the scan ends on
        OutletCase lastCase; // its case
        HeightStop stop;     // and why
        Needs missing;       // what its case lacks
    } const rows[] = {
        {"case B reaches D without D's inputs", Outlet(kCaseB, SizeMedium), "10", "15.0", CaseD,
         HeightStop::Missing,
         Needs{{Field::Diameter, Field::Area},
               {Field::Direction},
               {Field::Temperature},
               {Field::DryFlow, Field::WetFlow, Field::Velocity},
               {Field::Moisture},
               {Field::OutletToBoundary},
               {Field::BuildingToBoundary}}},
        {"a case D record below 15 m", kTall, "10", "10", CaseB, HeightStop::Missing,
         Needs{{Field::SizeClass}}},
        {"a refused text", Outlet({{Field::No1Standard, "30"}}, SizeSmall), "5", "5", CaseA,
         HeightStop::Refused, Needs{}},
    };
    const SmellParams params = Defaults();
    for (const Row &row : rows) {
        const std::vector<std::string> heights = SearchHeights(row.from);
        const std::vector<HeightScanPoint> points =
            ScanHeights(row.outlet, heights, 40, params, true, 2);
        ASSERT_FALSE(points.empty()) << row.what;
        const HeightScanPoint &last = points.back();
        EXPECT_EQ(last.heightText, row.last) << row.what;
        EXPECT_EQ(last.outletCase, row.lastCase) << row.what;
        EXPECT_EQ(last.stop, row.stop) << row.what;
        EXPECT_FALSE(last.verdict.complies) << row.what;
        EXPECT_EQ(last.missing, row.missing) << row.what;
        EXPECT_EQ(last.message != nullptr, row.stop == HeightStop::Refused) << row.what;
        // Every height below the last was computed, judged and found wanting.
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            EXPECT_EQ(points[i].heightText, heights[i]) << row.what;
            EXPECT_EQ(points[i].stop, HeightStop::None) << row.what << " " << heights[i];
            EXPECT_TRUE(points[i].judged && !points[i].verdict.complies) << heights[i];
        }
    }
}

TEST(OutletHeightScan, CancellingEndsTheScanAtTheNextHeight) {
    const std::vector<std::string> heights = SearchHeights("15");
    const SmellParams params = Defaults();
    std::atomic<bool> cancel{true};
    std::vector<HeightScanPoint> points =
        ScanHeights(kTall, heights, 70, params, false, 2, &cancel);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].stop, HeightStop::Cancelled);
    EXPECT_EQ(points[0].heightText, "15");

    // Stopped from another thread while the scan runs, as a screen's button would: over the
    // range many times, a scan that outlasts the stopper's wait.
    std::vector<std::string> many;
    for (int i = 0; i < 100; ++i)
        many.insert(many.end(), heights.begin(), heights.end());
    cancel = false;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        cancel = true;
    });
    points = ScanHeights(kTall, many, 70, params, false, 2, &cancel);
    stopper.join();
    ASSERT_LT(points.size(), many.size());
    EXPECT_EQ(points.back().stop, HeightStop::Cancelled);
    for (size_t i = 0; i + 1 < points.size(); ++i)
        EXPECT_EQ(points[i].stop, HeightStop::None) << many[i];
}
