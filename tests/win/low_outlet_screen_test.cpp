#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "help/help_topics.h"
#include "resources/resource.h"

#include <cstring>
#include <string>

namespace {

const char kCaption[] = "パラメータエラー";
const char kNo1Message[] = "臭気指数第１号基準に適切な値（10～21）を設定して下さい。";
const char kOutletMessageA[] = "排出口の実高さに適切な値（0m以上、6.7m未満）を設定して下さい。";
const char kBuildingMessage[] = "最大周辺建物高さに適切な値（0m以上、400m以下）を設定して下さい。";
const char kSizeMessage[] = "排出口の口径を、小径・中径・大径から選択して下さい。";
const char kAtLeast67[] =
    "排出口の実高さに 6.7m 以上が設定されています。\n入力画面を切り替えますか？";
const char kBelow67[] =
    "排出口の実高さに 6.7m 未満が設定されています。\n入力画面を切り替えますか？";
const char kAtLeast15[] =
    "排出口の実高さに 15m 以上が設定されています。\n入力画面を切り替えますか？";
const char kHoverAdvice[] = "クリックすると、用語解説が見られます。";

const UINT kRefusal = MB_OK | MB_TOPMOST;
const UINT kQuestion = MB_YESNO | MB_TOPMOST;

} // namespace

class LowOutletScreenTest : public ShellTest {
  protected:
    // From the start menu to the screen of the heights.
    static void Open(const char *outlet, const char *building = nullptr) {
        Type(IDC_OUTLET_HEIGHT, outlet);
        if (building != nullptr)
            Type(IDC_BUILDING_HEIGHT, building);
        Command(IDC_NEXT);
    }

    // A click as the mouse makes it: an auto radio button checks itself.
    static void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        Pump();
    }

    static void Compute(const char *no1, int sizeButton) {
        Type(IDC_NO1_STANDARD, no1);
        Click(sizeButton);
        Click(IDC_CALCULATE);
    }

    static bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    static bool Checked(int id) { return IsDlgButtonChecked(Screen(), id) == BST_CHECKED; }

    static void ExpectNoResult() {
        EXPECT_EQ(Text(IDC_LOW_NO2), "");
        EXPECT_EQ(Text(IDC_LOW_NO1_PART), "（ ＝ １号基準    ＋");
        EXPECT_EQ(Text(IDC_LOW_DILUTION_PART), "）");
        EXPECT_EQ(Text(IDC_LOW_FIGURE_NO2), "２号基準：臭気指数");
        EXPECT_EQ(Text(IDC_LOW_FIGURE_DILUTION), "希釈度");
        EXPECT_EQ(Text(IDC_LOW_FIGURE_NO1), "１号基準：臭気指数");
        EXPECT_FALSE(Enabled(IDC_PRINT));
        EXPECT_EQ(gOutletResults.low.no2Index, -1.0);
    }

    // Owned by the screen that asked, which a Yes may have replaced since.
    static void ExpectBox(size_t index, const char *text, UINT type, HWND owner = Screen()) {
        ASSERT_GT(boxes.size(), index);
        EXPECT_EQ(boxes[index].text, text);
        EXPECT_EQ(boxes[index].caption, kCaption);
        EXPECT_EQ(boxes[index].type, type);
        EXPECT_EQ(boxes[index].owner, owner);
    }

    static void PointerOver(HWND window) {
        SendMessageA(Screen(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        UpdateWindow(Screen());
        Pump();
    }

    static bool TextFits(int id) { return ControlTextFits(Item(id)); }
};

TEST_F(LowOutletScreenTest, CaseAShowsTheStandardInTheLineAndBesideTheFigure) {
    Open("5");
    ASSERT_EQ(gShell.currentScreen, CaseA);
    EXPECT_EQ(Text(IDC_CASE_OUTLET_HEIGHT), "5");
    EXPECT_EQ(GetFocus(), Item(IDC_CASE_OUTLET_HEIGHT));
    ExpectNoResult();

    Compute("12", IDC_LOW_SIZE_SMALL);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Text(IDC_LOW_NO2), "28");
    EXPECT_EQ(Text(IDC_LOW_NO1_PART), "（ ＝ １号基準(12) ＋");
    EXPECT_EQ(Text(IDC_LOW_DILUTION_PART), "(16) ）");
    EXPECT_EQ(Text(IDC_LOW_FIGURE_NO2), "２号基準：臭気指数 28");
    EXPECT_EQ(Text(IDC_LOW_FIGURE_DILUTION), "希釈度 16");
    EXPECT_EQ(Text(IDC_LOW_FIGURE_NO1), "１号基準：臭気指数 12");
    EXPECT_TRUE(Enabled(IDC_PRINT));
    EXPECT_NEAR(gOutletResults.low.no2Index, 27.89, 0.005);
    EXPECT_NEAR(gOutletResults.low.dilution, 15.89, 0.005);

    for (int id : {IDC_LOW_NO2, IDC_LOW_NO1_PART, IDC_LOW_DILUTION_PART, IDC_LOW_FIGURE_NO2,
                   IDC_LOW_FIGURE_DILUTION, IDC_LOW_FIGURE_NO1})
        EXPECT_TRUE(TextFits(id)) << "clipped: " << Text(id);
}

TEST_F(LowOutletScreenTest, CaseBTakesTheBuildingHeight) {
    Open("10", "12");
    ASSERT_EQ(gShell.currentScreen, CaseB);
    EXPECT_EQ(Text(IDC_CASE_BUILDING_HEIGHT), "12");
    // He is the 12 m building: 14 + 10 log10(0.2 × 144) = 28.6.
    Compute("14", IDC_LOW_SIZE_MEDIUM);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Text(IDC_LOW_NO2), "29");
    EXPECT_EQ(Text(IDC_LOW_DILUTION_PART), "(15) ）");
    EXPECT_EQ(gOutletInputs.representativeDiameter, 0.75);
}

TEST_F(LowOutletScreenTest, TheStandardIsNeverBelowTheNo1Standard) {
    Open("0");
    Compute("15", IDC_LOW_SIZE_LARGE);
    EXPECT_TRUE(boxes.empty()) << "an outlet at ground level is accepted";
    EXPECT_EQ(Text(IDC_LOW_NO2), "15");
    EXPECT_EQ(Text(IDC_LOW_DILUTION_PART), "(0) ）");
    EXPECT_EQ(gOutletResults.low.dilution, 0.0);

    // 10 + 10 log10(0.69 × 0.75²) ≈ 5.9, raised to 10.
    Type(IDC_CASE_OUTLET_HEIGHT, "0.5");
    Compute("10", IDC_LOW_SIZE_SMALL);
    EXPECT_EQ(Text(IDC_LOW_NO2), "10");
    EXPECT_EQ(Text(IDC_LOW_FIGURE_DILUTION), "希釈度 0");
    EXPECT_EQ(gOutletResults.low.no2Index, 10.0);
}

TEST_F(LowOutletScreenTest, No1StandardFrom10To21) {
    Open("5");
    Click(IDC_LOW_SIZE_SMALL);
    for (const char *text : {"9", "22", "", "1 2"}) {
        boxes.clear();
        Type(IDC_NO1_STANDARD, text);
        Click(IDC_CALCULATE);
        ExpectBox(0, kNo1Message, kRefusal);
        EXPECT_EQ(boxes.size(), 1u) << text;
        EXPECT_EQ(GetFocus(), Item(IDC_NO1_STANDARD)) << text;
        ExpectNoResult();
    }
    for (const char *text : {"10", "21"}) {
        boxes.clear();
        Type(IDC_NO1_STANDARD, text);
        Click(IDC_CALCULATE);
        EXPECT_TRUE(boxes.empty()) << text;
        EXPECT_EQ(Text(IDC_LOW_NO1_PART), std::string("（ ＝ １号基準(") + text + ") ＋");
    }
}

TEST_F(LowOutletScreenTest, CaseAWith8MetresOffersCaseB) {
    Open("5");
    Type(IDC_CASE_OUTLET_HEIGHT, "8");
    Compute("12", IDC_LOW_SIZE_SMALL);
    ExpectBox(0, kAtLeast67, kQuestion);
    EXPECT_EQ(gShell.currentScreen, CaseA) << "No stays";
    EXPECT_EQ(GetFocus(), Item(IDC_CASE_OUTLET_HEIGHT));
    ExpectNoResult();

    answers = {IDYES};
    Click(IDC_CALCULATE);
    ASSERT_EQ(gShell.currentScreen, CaseB);
    EXPECT_EQ(Text(IDC_CASE_OUTLET_HEIGHT), "8");
    EXPECT_EQ(Text(IDC_CASE_BUILDING_HEIGHT), "");
    EXPECT_EQ(Text(IDC_NO1_STANDARD), "12");
    EXPECT_TRUE(Checked(IDC_LOW_SIZE_SMALL));
    ExpectNoResult();
}

TEST_F(LowOutletScreenTest, CaseAWith20MetresOffersTheStartMenuForTheBuilding) {
    Open("5");
    HWND caseA = Screen();
    Type(IDC_CASE_OUTLET_HEIGHT, "20");
    answers = {IDYES};
    Compute("12", IDC_LOW_SIZE_SMALL);
    ExpectBox(0, kAtLeast67, kQuestion, caseA);
    ASSERT_EQ(gShell.currentScreen, StartMenu);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "20");
    EXPECT_EQ(Text(IDC_BUILDING_HEIGHT), "");
    EXPECT_TRUE(Enabled(IDC_BUILDING_HEIGHT));
}

TEST_F(LowOutletScreenTest, CaseBFrom15MetresOffersCaseDOrCWithTheNo1Standard) {
    Open("10", "8");
    HWND caseB = Screen();
    Type(IDC_CASE_OUTLET_HEIGHT, "15");
    Type(IDC_CASE_BUILDING_HEIGHT, "10");
    answers = {IDYES};
    Compute("14", IDC_LOW_SIZE_SMALL);
    ExpectBox(0, kAtLeast15, kQuestion, caseB);
    ASSERT_EQ(gShell.currentScreen, CaseD) << "15 m is 1.5 times a 10 m building";
    EXPECT_EQ(gOutletInputs.tall.no1Standard, 14.0);
    EXPECT_STREQ(gOutletInputs.no1StandardText, "14");

    Command(IDC_BACK_TO_MENU);
    Open("10", "8");
    ASSERT_EQ(gShell.currentScreen, CaseB);
    Type(IDC_CASE_OUTLET_HEIGHT, "15");
    Type(IDC_CASE_BUILDING_HEIGHT, "10.001");
    Type(IDC_NO1_STANDARD, "16");
    answers = {IDYES};
    Click(IDC_CALCULATE);
    EXPECT_EQ(gShell.currentScreen, CaseC);
    EXPECT_EQ(gOutletInputs.tall.no1Standard, 16.0);
}

TEST_F(LowOutletScreenTest, CaseBBelow67MetresOffersCaseA) {
    Open("10", "8");
    HWND caseB = Screen();
    Type(IDC_CASE_OUTLET_HEIGHT, "6.69");
    answers = {IDYES};
    Compute("12", IDC_LOW_SIZE_SMALL);
    ExpectBox(0, kBelow67, kQuestion, caseB);
    ASSERT_EQ(gShell.currentScreen, CaseA);
    EXPECT_EQ(Text(IDC_CASE_OUTLET_HEIGHT), "6.69");
}

TEST_F(LowOutletScreenTest, MessagesComeInFieldOrderAndTheSizeClassLast) {
    Open("10", "8");
    Type(IDC_NO1_STANDARD, "12");
    Type(IDC_CASE_OUTLET_HEIGHT, "abc");
    Type(IDC_CASE_BUILDING_HEIGHT, "-1");
    Click(IDC_CALCULATE);
    ExpectBox(0, "排出口の実高さに適切な値（6.7m以上、15m未満）を設定して下さい。", kRefusal);
    EXPECT_EQ(GetFocus(), Item(IDC_CASE_OUTLET_HEIGHT));

    Type(IDC_CASE_OUTLET_HEIGHT, "20");
    Click(IDC_CALCULATE);
    ExpectBox(1, kBuildingMessage, kRefusal);
    EXPECT_EQ(GetFocus(), Item(IDC_CASE_BUILDING_HEIGHT));

    // Heights that belong elsewhere: still the size class is asked for first.
    Type(IDC_CASE_BUILDING_HEIGHT, "5");
    SetFocus(Item(IDC_NO1_STANDARD));
    Command(IDC_CALCULATE);
    ExpectBox(2, kSizeMessage, kRefusal);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(GetFocus(), Item(IDC_NO1_STANDARD)) << "no field to point at";
    EXPECT_EQ(gShell.currentScreen, CaseB);
}

TEST_F(LowOutletScreenTest, AnEditThatReadsOtherwiseWithdrawsTheResult) {
    Open("5");
    Compute("12", IDC_LOW_SIZE_SMALL);
    ASSERT_EQ(Text(IDC_LOW_NO2), "28");

    Type(IDC_CASE_OUTLET_HEIGHT, "5");
    Type(IDC_CASE_OUTLET_HEIGHT, " 5 ");
    EXPECT_EQ(Text(IDC_LOW_NO2), "28") << "the same height, trimmed";
    EXPECT_TRUE(Enabled(IDC_PRINT));

    Type(IDC_CASE_OUTLET_HEIGHT, "5.");
    ExpectNoResult();

    Click(IDC_CALCULATE);
    ASSERT_EQ(Text(IDC_LOW_NO2), "28");
    EXPECT_EQ(Text(IDC_CASE_OUTLET_HEIGHT), "5.") << "accepted as typed";
    Type(IDC_NO1_STANDARD, "13");
    ExpectNoResult();

    Click(IDC_CALCULATE);
    ASSERT_EQ(Text(IDC_LOW_NO2), "29");
    Click(IDC_LOW_SIZE_MEDIUM);
    ExpectNoResult();
    EXPECT_EQ(gOutletInputs.sizeClass, SizeMedium);
    EXPECT_EQ(gOutletInputs.representativeDiameter, 0.75);
}

TEST_F(LowOutletScreenTest, KanaInAHeightIsReportedAndLeavesItUnset) {
    Open("5");
    Compute("12", IDC_LOW_SIZE_SMALL);
    Type(IDC_CASE_OUTLET_HEIGHT, "５あ");
    EXPECT_EQ(Text(IDC_LOW_NO2), "28") << "judged only by the next check";

    Click(IDC_CALCULATE);
    ExpectBox(0, kOutletMessageA, kRefusal);
    EXPECT_EQ(GetFocus(), Item(IDC_CASE_OUTLET_HEIGHT));
    EXPECT_EQ(gOutletInputs.outletHeight, -1.0);
    EXPECT_EQ(gOutletInputs.menuOutletHeight, -1.0);
    EXPECT_STREQ(gOutletInputs.outletHeightText, "");
    ExpectNoResult();

    Command(IDC_BACK_TO_MENU);
    ExpectBox(1, kOutletMessageA, kRefusal);
    EXPECT_EQ(gShell.currentScreen, CaseA) << "stays until the height is corrected";
}

TEST_F(LowOutletScreenTest, BackToTheMenuKeepsWhatIsValidWithoutAWord) {
    Open("10", "8");
    Type(IDC_NO1_STANDARD, "25");
    Type(IDC_CASE_OUTLET_HEIGHT, "9m");
    Type(IDC_CASE_BUILDING_HEIGHT, "７");
    Command(IDC_BACK_TO_MENU);
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(gShell.currentScreen, StartMenu);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "");
    EXPECT_EQ(gOutletInputs.menuOutletHeight, -1.0);
    EXPECT_EQ(gOutletInputs.no1Index, -1.0);
    EXPECT_EQ(gOutletInputs.menuBuildingHeight, 7.0) << "read after the refused outlet height";
}

TEST_F(LowOutletScreenTest, ReturningShowsTheInputsButNoResult) {
    Open("5");
    Compute("12", IDC_LOW_SIZE_LARGE);
    Command(IDC_BACK_TO_MENU);
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseA);
    EXPECT_EQ(Text(IDC_CASE_OUTLET_HEIGHT), "5");
    EXPECT_EQ(Text(IDC_NO1_STANDARD), "12");
    EXPECT_TRUE(Checked(IDC_LOW_SIZE_LARGE));
    EXPECT_FALSE(Checked(IDC_LOW_SIZE_SMALL));
    ExpectNoResult();
}

TEST_F(LowOutletScreenTest, ResetEmptiesTheScreenAndTheRecords) {
    Open("10", "8");
    Compute("12", IDC_LOW_SIZE_MEDIUM);
    Click(IDC_RESET);
    for (int id : {IDC_CASE_OUTLET_HEIGHT, IDC_CASE_BUILDING_HEIGHT, IDC_NO1_STANDARD})
        EXPECT_EQ(Text(id), "") << id;
    for (int id : {IDC_LOW_SIZE_SMALL, IDC_LOW_SIZE_MEDIUM, IDC_LOW_SIZE_LARGE})
        EXPECT_FALSE(Checked(id)) << id;
    EXPECT_EQ(GetFocus(), Item(IDC_CASE_OUTLET_HEIGHT));
    ExpectNoResult();
    EXPECT_EQ(gOutletInputs.sizeClass, SizeNone);
    EXPECT_EQ(gOutletInputs.representativeDiameter, 0.4);
    EXPECT_EQ(gOutletInputs.menuOutletHeight, -1.0);
    EXPECT_STREQ(gOutletInputs.buildingHeightText, "");
}

TEST_F(LowOutletScreenTest, PrintLeavesTheScreenUsable) {
    Open("5");
    Compute("12", IDC_LOW_SIZE_SMALL);
    Command(IDC_PRINT);
    ASSERT_NE(gShell.printInfoWindow, nullptr);
    EXPECT_FALSE(IsWindowEnabled(Screen())) << "印刷情報 holds the input while open";
    SendMessageA(gShell.printInfoWindow, WM_COMMAND, IDCANCEL, 0);
    Pump();
    EXPECT_EQ(gShell.printInfoWindow, nullptr);
    EXPECT_TRUE(IsWindowEnabled(Screen()));
    Click(IDC_RESET);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Text(IDC_CASE_OUTLET_HEIGHT), "") << "the screen still answers";
}

// The two templates give the input-side 臭気指数 and the size label each other's numbers.
TEST_F(LowOutletScreenTest, TermLabelsOpenTheirTopicsOnBothScreens) {
    Open("10", "8");
    PointerOver(Item(IDC_LOW_B_LABEL_SIZE));
    EXPECT_EQ(Text(IDC_ADVICE), kHoverAdvice);
    EXPECT_TRUE(TextFits(IDC_ADVICE));
    PointerOver(Screen());
    EXPECT_EQ(Text(IDC_ADVICE), "");

    Command(1033);
    EXPECT_NE(gHelpWindows[HelpTopicIndex(IDM_TOPIC_SIZE)], nullptr);
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_ODOR_INDEX)], nullptr);
    Command(IDC_LABEL_BUILDING_HEIGHT);
    EXPECT_NE(gHelpWindows[HelpTopicIndex(IDM_TOPIC_BUILDING_HEIGHT)], nullptr);

    Type(IDC_CASE_OUTLET_HEIGHT, "5");
    Command(IDC_BACK_TO_MENU);
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseA);
    Command(1033);
    EXPECT_NE(gHelpWindows[HelpTopicIndex(IDM_TOPIC_ODOR_INDEX)], nullptr);
    Command(IDC_LOW_LABEL_DILUTION);
    EXPECT_NE(gHelpWindows[HelpTopicIndex(IDM_TOPIC_DILUTION)], nullptr);
}
