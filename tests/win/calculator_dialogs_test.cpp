#include "tests/win/shell_fixture.h"

#include "help/help_topics.h"
#include "resources/resource.h"

namespace {

// The two calculator topics, reached as the menu reaches them.
class CalculatorTest : public ShellTest {
  protected:
    HWND dialog = nullptr;

    // Wine learns of focus changes from the display a little later; a foreground read too
    // early can see a window lose the focus it has long got back.
    static void Settle() {
        for (DWORD end = GetTickCount() + 150; GetTickCount() < end; Sleep(10))
            Pump();
    }
    void Open(int command) {
        Command(command);
        dialog = gHelpWindows[HelpTopicIndex(command)];
        ASSERT_NE(dialog, nullptr);
    }
    // Sets a field's text as typing does: the field notifies its dialog.
    void Set(int id, const char *text) {
        SetDlgItemTextA(dialog, id, text);
        Pump();
    }
    std::string Result() const { return Text(GetDlgItem(dialog, IDC_CALC_RESULT)); }
    void Close(int id) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        Pump();
    }
};

class FlowCalculatorTest : public CalculatorTest {
  protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        Open(IDM_TOPIC_FLOW);
    }
    void SetAll(const char *area, const char *velocity, const char *temperature,
                const char *moisture) {
        Set(IDC_FLOWCALC_AREA, area);
        Set(IDC_FLOWCALC_VELOCITY, velocity);
        Set(IDC_FLOWCALC_TEMPERATURE, temperature);
        Set(IDC_FLOWCALC_MOISTURE, moisture);
    }
};

class VelocityCalculatorTest : public CalculatorTest {
  protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        Open(IDM_TOPIC_VELOCITY);
    }
};

} // namespace

TEST_F(FlowCalculatorTest, OpensWithEmptyFieldsAndAReadOnlyResult) {
    EXPECT_EQ(Text(dialog), "「排出ガス流量」 とは");
    EXPECT_EQ(Result(), "");
    EXPECT_NE(GetWindowLongA(GetDlgItem(dialog, IDC_CALC_RESULT), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_FLOWCALC_AREA)) << "ready for the first value";
    EXPECT_NE(FindWindowExA(dialog, nullptr, "Button", "排出ガス流量の自動計算"), nullptr);
}

TEST_F(FlowCalculatorTest, ShowsTheDryFlowOnceAllFourFieldsHoldValidValues) {
    Set(IDC_FLOWCALC_AREA, "1");
    Set(IDC_FLOWCALC_VELOCITY, "10");
    Set(IDC_FLOWCALC_TEMPERATURE, "0");
    EXPECT_EQ(Result(), "");
    Set(IDC_FLOWCALC_MOISTURE, "0");
    EXPECT_EQ(Result(), "600.0");
    Set(IDC_FLOWCALC_MOISTURE, "100");
    EXPECT_EQ(Result(), "0.0");
    Set(IDC_FLOWCALC_MOISTURE, "50");
    EXPECT_EQ(Result(), "300.0");
    Set(IDC_FLOWCALC_AREA, "2");
    EXPECT_EQ(Result(), "600.0");
}

TEST_F(FlowCalculatorTest, TemperatureIsAcceptedDownToMinus15) {
    SetAll("1", "10", "-15", "0");
    EXPECT_EQ(Result(), "634.9"); // 600 × 273.15 / 258.15
    Set(IDC_FLOWCALC_TEMPERATURE, "-15.1");
    EXPECT_EQ(Result(), "");
    Set(IDC_FLOWCALC_TEMPERATURE, "0");
    EXPECT_EQ(Result(), "600.0");
}

TEST_F(FlowCalculatorTest, ClearingTheMoistureKeepsItsLastValue) {
    SetAll("1", "10", "0", "50");
    Set(IDC_FLOWCALC_MOISTURE, "");
    EXPECT_EQ(Result(), "");
    Set(IDC_FLOWCALC_VELOCITY, "20");
    EXPECT_EQ(Result(), "600.0") << "1 × 20 × 60 with the moisture of 50 % kept";
}

TEST_F(FlowCalculatorTest, ClearingAnotherFieldLeavesTheResultEmptyUntilItIsFilled) {
    SetAll("1", "10", "0", "0");
    for (int field : {IDC_FLOWCALC_AREA, IDC_FLOWCALC_VELOCITY, IDC_FLOWCALC_TEMPERATURE}) {
        char before[32];
        GetDlgItemTextA(dialog, field, before, sizeof before);
        Set(field, "");
        EXPECT_EQ(Result(), "") << field;
        Set(IDC_FLOWCALC_MOISTURE, "0");
        EXPECT_EQ(Result(), "") << field << " stays invalid";
        Set(field, before);
        EXPECT_EQ(Result(), "600.0") << field;
    }
}

TEST_F(FlowCalculatorTest, FullWidthInputIsReadAsItsSingleByteForm) {
    SetAll("１", "１０", "－１５", "０");
    EXPECT_EQ(Result(), "634.9");
}

TEST_F(FlowCalculatorTest, TextWithoutASingleByteFormKeepsTheValueBefore) {
    SetAll("1", "10", "0", "0");
    Set(IDC_FLOWCALC_TEMPERATURE, "十");
    EXPECT_EQ(Result(), "");
    Set(IDC_FLOWCALC_MOISTURE, "0");
    EXPECT_EQ(Result(), "600.0") << "the temperature of 0 was kept";
}

TEST_F(FlowCalculatorTest, EveryOpeningStartsWithNoValues) {
    SetAll("1", "10", "0", "0");
    ASSERT_EQ(Result(), "600.0");
    Close(IDOK);
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_FLOW)], nullptr);
    Open(IDM_TOPIC_FLOW);
    Set(IDC_FLOWCALC_MOISTURE, "0");
    EXPECT_EQ(Result(), "") << "area, velocity and temperature are unset again";
}

TEST_F(FlowCalculatorTest, ClosingEmptiesTheSlotAndActivatesTheScreen) {
    HWND screen = Screen();
    HWND window = dialog;
    Command(IDM_TOPIC_FLOW);
    Settle();
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_FLOW)], window) << "one window per topic";
    SendMessageA(window, WM_CLOSE, 0, 0);
    Settle();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_FLOW)], nullptr);
    EXPECT_EQ(GetForegroundWindow(), screen);
}

TEST_F(VelocityCalculatorTest, ShowsTheExitVelocityFromTheMeasuringHole) {
    EXPECT_EQ(Text(dialog), "「排出ガス吐出速度」 とは");
    EXPECT_NE(FindWindowExA(dialog, nullptr, "Button", "排出ガス吐出速度の自動計算"), nullptr);
    Set(IDC_VELCALC_HOLE_VELOCITY, "20");
    Set(IDC_VELCALC_HOLE_AREA, "0.5");
    EXPECT_EQ(Result(), "");
    Set(IDC_VELCALC_OUTLET_AREA, "0.25");
    EXPECT_EQ(Result(), "40.0");
}

TEST_F(VelocityCalculatorTest, AMillionAndMoreIsShownWithoutDecimals) {
    Set(IDC_VELCALC_HOLE_VELOCITY, "10000");
    Set(IDC_VELCALC_HOLE_AREA, "100");
    Set(IDC_VELCALC_OUTLET_AREA, "0.5");
    EXPECT_EQ(Result(), "2000000");
}

TEST_F(VelocityCalculatorTest, EmptyingAnyFieldEmptiesTheResult) {
    for (int field : {IDC_VELCALC_HOLE_VELOCITY, IDC_VELCALC_HOLE_AREA, IDC_VELCALC_OUTLET_AREA}) {
        Set(IDC_VELCALC_HOLE_VELOCITY, "２０");
        Set(IDC_VELCALC_HOLE_AREA, "０．５");
        Set(IDC_VELCALC_OUTLET_AREA, "0.25");
        ASSERT_EQ(Result(), "40.0");
        Set(field, "");
        EXPECT_EQ(Result(), "") << field;
    }
}

TEST_F(VelocityCalculatorTest, ClosingEmptiesTheSlotAndActivatesTheScreen) {
    HWND screen = Screen();
    HWND window = dialog;
    Settle();
    Close(IDOK);
    Settle();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_VELOCITY)], nullptr);
    EXPECT_EQ(GetForegroundWindow(), screen);
}
