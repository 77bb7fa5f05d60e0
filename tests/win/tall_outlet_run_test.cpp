#include "map/map_raster.h"
#include "app/current_outlet.h"
#include "model/outlet_inputs.h"
#include "screens/tall_outlet_run.h"
#include "tests/win/shell_fixture.h"

#include <cstring>

namespace {

bool RefuseEveryBuffer(size_t) {
    return false;
}

// A case D outlet as the screen's validation accepts it.
void AcceptCaseD(OutletInputs &in) {
    ResetTallOutletInputs(in);
    TallOutletInputs &t = in.tall;
    t.no1Standard = 12;
    t.tallOutletHeight = 30;
    t.tallBuildingHeight = 10;
    t.outletDiameter = 1;
    t.outletDirection = DirectionUpward;
    t.gasTemperature = 80;
    t.dryFlow = 300;
    t.moisture = 10;
    t.outletToBoundary = 50;
    t.buildingToBoundary = 20;
    in.flowMode = FlowDry;
    std::strcpy(in.dryFlowText, "300");
}

class TallOutletRunTest : public ShellTest {
  protected:
    void TearDown() override {
        SetMapMemoryGate(nullptr);
        ShellTest::TearDown();
    }
};

// The failures end in one message box on the screen, which stays; the inputs are as
// accepted and there is no result.
TEST_F(TallOutletRunTest, AFailedRunIsSaidInAMessageBoxAndTheScreenStays) {
    struct Case {
        const char *what;
        bool refuseMemory;
        double wetFlow;
        const char *message;
    };
    const Case cases[] = {
        {"map memory refused", true, -1, "メモリが不足しているため計算できませんでした。"},
        {"two flows", false, 400,
         "排出ガスの流量または吐出速度から計算できません。入力値を確認してください。"},
    };
    for (const Case &c : cases) {
        boxes.clear();
        AcceptCaseD(gOutletInputs);
        gOutletInputs.tall.wetFlow = c.wetFlow;
        SetMapMemoryGate(c.refuseMemory ? RefuseEveryBuffer : nullptr);
        HWND screen = Screen();
        EXPECT_FALSE(RunTallOutletOnScreen(screen, CaseD)) << c.what;
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].caption, "エラー");
        EXPECT_EQ(boxes[0].owner, screen);
        EXPECT_EQ(boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        Pump();
        EXPECT_TRUE(IsWindow(screen)) << c.what;
        EXPECT_EQ(Screen(), screen) << c.what;
        EXPECT_TRUE(exits.empty()) << c.what;
        const TallOutletInputs &t = gOutletInputs.tall;
        EXPECT_EQ(t.dryFlow, 300.0) << c.what;
        EXPECT_EQ(t.moisture, 10.0) << c.what;
        EXPECT_EQ(t.wetFlow, c.wetFlow) << c.what;
        EXPECT_EQ(gOutletResults.tall.allowableOutletIndex, -1.0) << c.what;
        EXPECT_EQ(gOutletResults.tall.landingRow, -1) << c.what;
        EXPECT_FALSE(HasResult(gOutletResults.tall)) << c.what;
    }
    // And once the memory is there again, the same screen computes.
    SetMapMemoryGate(nullptr);
    AcceptCaseD(gOutletInputs);
    boxes.clear();
    EXPECT_TRUE(RunTallOutletOnScreen(Screen(), CaseD));
    EXPECT_TRUE(boxes.empty());
    EXPECT_GT(gOutletResults.tall.allowableOutletIndex, 0.0);
}

} // namespace
