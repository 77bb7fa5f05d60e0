#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "help/help_topics.h"
#include "resources/resource.h"

#include <cstring>

namespace {

const char kIdleAdvice[] =
    "排出口の実高さが 6.7m 未満の場合は、\n周辺最大建物高さの入力は不要です。";
const char kHoverAdvice[] = "クリックすると、用語解説が見られます。";

bool Enabled(int id) {
    return IsWindowEnabled(GetDlgItem(gShell.screenWindows[StartMenu], id)) != FALSE;
}

bool BuildingControlsEnabled() {
    bool field = Enabled(IDC_BUILDING_HEIGHT);
    EXPECT_EQ(Enabled(IDC_LABEL_BUILDING_HEIGHT), field);
    EXPECT_EQ(Enabled(IDC_BUILDING_UNIT), field);
    return field;
}

} // namespace

class StartMenuTest : public ShellTest {
  protected:
    // From the start menu: both heights, 次へ, and the screen that follows.
    static ScreenId Select(const char *outlet, const char *building) {
        if (gShell.currentScreen != StartMenu)
            Command(IDC_BACK_TO_MENU);
        Command(IDC_RESET);
        Type(IDC_OUTLET_HEIGHT, outlet);
        if (building != nullptr)
            Type(IDC_BUILDING_HEIGHT, building);
        Command(IDC_NEXT);
        return gShell.currentScreen;
    }

    // Paints a term label into a bitmap of our own and tells whether a colour occurs.
    static bool LabelPaintedIn(int id, COLORREF colour) {
        HWND label = Item(id);
        RECT r;
        GetClientRect(label, &r);
        HDC screenDc = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screenDc);
        HBITMAP bitmap = CreateCompatibleBitmap(screenDc, r.right, r.bottom);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = id;
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = label;
        item.hDC = dc;
        item.rcItem = r;
        SendMessageA(Screen(), WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
        bool found = false;
        for (int y = 0; y < r.bottom && !found; ++y)
            for (int x = 0; x < r.right && !found; ++x)
                found = GetPixel(dc, x, y) == colour;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screenDc);
        return found;
    }

    static void PointerOver(HWND window) {
        SendMessageA(Screen(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        UpdateWindow(Screen());
        Pump();
    }
};

TEST_F(StartMenuTest, FieldsEnableTheBuildingHeightAndNextAsTheHeightsAllow) {
    EXPECT_FALSE(Enabled(IDC_NEXT));
    EXPECT_FALSE(BuildingControlsEnabled());
    EXPECT_EQ(Text(IDC_ADVICE), kIdleAdvice);

    Type(IDC_OUTLET_HEIGHT, "5");
    EXPECT_EQ(gOutletInputs.menuOutletHeight, 5.0);
    EXPECT_TRUE(Enabled(IDC_NEXT));
    EXPECT_FALSE(BuildingControlsEnabled());

    Type(IDC_OUTLET_HEIGHT, "10");
    EXPECT_TRUE(BuildingControlsEnabled());
    EXPECT_FALSE(Enabled(IDC_NEXT)) << "a 10 m outlet needs the building height";
    Type(IDC_BUILDING_HEIGHT, "12");
    EXPECT_EQ(gOutletInputs.menuBuildingHeight, 12.0);
    EXPECT_TRUE(Enabled(IDC_NEXT));

    Type(IDC_OUTLET_HEIGHT, "5");
    EXPECT_TRUE(Enabled(IDC_NEXT));
    EXPECT_FALSE(BuildingControlsEnabled());
    EXPECT_EQ(Text(IDC_BUILDING_HEIGHT), "12");
    Command(IDC_NEXT);
    EXPECT_EQ(gShell.currentScreen, CaseA) << "the disabled building height is not used";
    EXPECT_EQ(gOutletInputs.buildingHeight, -1.0);
}

TEST_F(StartMenuTest, TextsThatAreNotANonNegativeNumberLeaveTheHeightUnset) {
    Type(IDC_OUTLET_HEIGHT, "20");
    Type(IDC_BUILDING_HEIGHT, "8");
    ASSERT_TRUE(Enabled(IDC_NEXT));
    for (const char *text : {"12m", "12 5", "-3", "   ", "", "abc"}) {
        Type(IDC_OUTLET_HEIGHT, "20");
        Type(IDC_OUTLET_HEIGHT, text);
        EXPECT_EQ(gOutletInputs.menuOutletHeight, -1.0) << text;
        EXPECT_FALSE(Enabled(IDC_NEXT)) << text;
        EXPECT_TRUE(BuildingControlsEnabled()) << "left as they were: " << text;
    }
    Type(IDC_OUTLET_HEIGHT, " 1.25e1 ");
    EXPECT_EQ(gOutletInputs.menuOutletHeight, 12.5);
    EXPECT_TRUE(Enabled(IDC_NEXT));
    for (const char *text : {"8m", "-1", ""}) {
        Type(IDC_BUILDING_HEIGHT, "8");
        Type(IDC_BUILDING_HEIGHT, text);
        EXPECT_EQ(gOutletInputs.menuBuildingHeight, -1.0) << text;
        EXPECT_FALSE(Enabled(IDC_NEXT)) << text;
    }
}

TEST_F(StartMenuTest, ATextWithKanaOrKanjiKeepsTheValueReadBefore) {
    Type(IDC_OUTLET_HEIGHT, "15");
    Type(IDC_BUILDING_HEIGHT, "5");
    Type(IDC_OUTLET_HEIGHT, "15あ");
    EXPECT_EQ(gOutletInputs.menuOutletHeight, 15.0);
    EXPECT_TRUE(Enabled(IDC_NEXT));
    Type(IDC_BUILDING_HEIGHT, "高さ");
    EXPECT_EQ(gOutletInputs.menuBuildingHeight, 5.0);
    EXPECT_TRUE(Enabled(IDC_NEXT));
}

TEST_F(StartMenuTest, NextSelectsTheCaseAndHandsOverTheHeights) {
    EXPECT_EQ(Select("6.69", nullptr), CaseA);
    EXPECT_EQ(gOutletInputs.outletHeight, 6.69);
    EXPECT_EQ(gOutletInputs.buildingHeight, -1.0);
    EXPECT_EQ(Select("6.7", "3"), CaseB);
    EXPECT_EQ(gOutletInputs.outletHeight, 6.7);
    EXPECT_EQ(gOutletInputs.buildingHeight, 3.0);
    EXPECT_EQ(Select("14.99", "20"), CaseB);

    // At least 1.5 times the building, compared at a tenth of a millimetre.
    EXPECT_EQ(Select("15", "10"), CaseD);
    EXPECT_EQ(gOutletInputs.tall.tallOutletHeight, 15.0);
    EXPECT_EQ(gOutletInputs.tall.tallBuildingHeight, 10.0);
    EXPECT_EQ(Select("15", "10.00001"), CaseD);
    EXPECT_EQ(Select("15", "10.001"), CaseC);
    EXPECT_EQ(gOutletInputs.tall.tallBuildingHeight, 10.001);
    EXPECT_EQ(Select("20", "0"), CaseD);
    EXPECT_EQ(Select("400", "300"), CaseC);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(StartMenuTest, HeightsAbove400MetresAreRefusedByNext) {
    Type(IDC_OUTLET_HEIGHT, "400.01");
    Type(IDC_BUILDING_HEIGHT, "10");
    Command(IDC_NEXT);
    EXPECT_EQ(gShell.currentScreen, StartMenu);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "排出口の実高さに適切な値（400m以下）を設定して下さい。");
    EXPECT_EQ(boxes[0].caption, "パラメータエラー");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_TOPMOST));
    EXPECT_EQ(boxes[0].owner, Screen());
    EXPECT_EQ(GetFocus(), Item(IDC_OUTLET_HEIGHT));

    Type(IDC_OUTLET_HEIGHT, "30");
    Type(IDC_BUILDING_HEIGHT, "400.01");
    Command(IDC_NEXT);
    EXPECT_EQ(gShell.currentScreen, StartMenu);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "周辺最大建物高さに適切な値（400m以下）を設定して下さい。");
    EXPECT_EQ(boxes[1].caption, "パラメータエラー");
    EXPECT_EQ(boxes[1].owner, Screen());
    EXPECT_EQ(GetFocus(), Item(IDC_BUILDING_HEIGHT));

    // A low outlet's hidden building height is not looked at.
    Type(IDC_OUTLET_HEIGHT, "5");
    Command(IDC_NEXT);
    EXPECT_EQ(gShell.currentScreen, CaseA);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(StartMenuTest, FullWidthInputIsShownConvertedAfterNext) {
    Type(IDC_OUTLET_HEIGHT, "　４５０．５　");
    Type(IDC_BUILDING_HEIGHT, "１０");
    EXPECT_EQ(gOutletInputs.menuOutletHeight, 450.5);
    Command(IDC_NEXT);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "450.5");

    Type(IDC_OUTLET_HEIGHT, "　１６．５");
    Type(IDC_BUILDING_HEIGHT, "１０　");
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseD);
    EXPECT_STREQ(gOutletInputs.outletHeightText, "16.5");
    EXPECT_STREQ(gOutletInputs.buildingHeightText, "10");
    Command(IDC_BACK_TO_MENU);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "16.5");
    EXPECT_EQ(Text(IDC_BUILDING_HEIGHT), "10");
}

TEST_F(StartMenuTest, ReturningShowsTheHeightsTheCaseNeeds) {
    ASSERT_EQ(Select("10", "12"), CaseB);
    Command(IDC_BACK_TO_MENU);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "10");
    EXPECT_EQ(Text(IDC_BUILDING_HEIGHT), "12");
    EXPECT_TRUE(BuildingControlsEnabled());
    EXPECT_TRUE(Enabled(IDC_NEXT));

    Type(IDC_OUTLET_HEIGHT, "5");
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseA);
    Command(IDC_BACK_TO_MENU);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "5");
    EXPECT_EQ(Text(IDC_BUILDING_HEIGHT), "");
    EXPECT_STREQ(gOutletInputs.buildingHeightText, "");
    EXPECT_FALSE(BuildingControlsEnabled());
    EXPECT_TRUE(Enabled(IDC_NEXT));
}

TEST_F(StartMenuTest, ResetEmptiesBothFieldsAndEveryInput) {
    Type(IDC_OUTLET_HEIGHT, "20");
    Type(IDC_BUILDING_HEIGHT, "10");
    gOutletInputs.tall.no1Standard = 14;
    Command(IDC_RESET);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "");
    EXPECT_EQ(Text(IDC_BUILDING_HEIGHT), "");
    EXPECT_FALSE(Enabled(IDC_NEXT));
    EXPECT_FALSE(BuildingControlsEnabled());
    EXPECT_EQ(gOutletInputs.menuOutletHeight, -1.0);
    EXPECT_EQ(gOutletInputs.menuBuildingHeight, -1.0);
    EXPECT_EQ(gOutletInputs.tall.tallOutletHeight, -1.0);
    EXPECT_EQ(gOutletInputs.tall.no1Standard, -1.0);
}

TEST_F(StartMenuTest, EnterPressesNextOnlyWhileItIsEnabled) {
    HWND field = Item(IDC_OUTLET_HEIGHT);
    SetFocus(field);
    gShell.keyboardDialog = Screen();
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    Pump();
    EXPECT_EQ(gShell.currentScreen, StartMenu);
    EXPECT_TRUE(boxes.empty());

    Type(IDC_OUTLET_HEIGHT, "3");
    SetFocus(field);
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    Pump();
    EXPECT_EQ(gShell.currentScreen, CaseA);
}

TEST_F(StartMenuTest, HoveredTermLabelTurnsBlueAndChangesTheAdvice) {
    const COLORREF blue = RGB(30, 30, 255);
    const COLORREF grey = RGB(172, 168, 153);
    EXPECT_TRUE(LabelPaintedIn(IDC_LABEL_REAL_HEIGHT, RGB(0, 0, 0)));
    EXPECT_TRUE(LabelPaintedIn(IDC_LABEL_BUILDING_HEIGHT, grey)) << "no outlet height yet";

    PointerOver(Item(IDC_LABEL_REAL_HEIGHT));
    EXPECT_TRUE(LabelPaintedIn(IDC_LABEL_REAL_HEIGHT, blue));
    EXPECT_EQ(Text(IDC_ADVICE), kHoverAdvice);

    PointerOver(Screen());
    EXPECT_FALSE(LabelPaintedIn(IDC_LABEL_REAL_HEIGHT, blue));
    EXPECT_TRUE(LabelPaintedIn(IDC_LABEL_REAL_HEIGHT, RGB(0, 0, 0)));
    EXPECT_EQ(Text(IDC_ADVICE), kIdleAdvice);

    Type(IDC_OUTLET_HEIGHT, "20");
    EXPECT_FALSE(LabelPaintedIn(IDC_LABEL_BUILDING_HEIGHT, grey));
    PointerOver(Item(IDC_LABEL_BUILDING_HEIGHT));
    EXPECT_TRUE(LabelPaintedIn(IDC_LABEL_BUILDING_HEIGHT, blue));
    EXPECT_FALSE(LabelPaintedIn(IDC_LABEL_REAL_HEIGHT, blue));
}

TEST_F(StartMenuTest, ClickOnATermLabelOpensItsTopicOnce) {
    PointerOver(Item(IDC_LABEL_REAL_HEIGHT));
    Command(IDC_LABEL_REAL_HEIGHT);
    HWND topic = gHelpWindows[HelpTopicIndex(IDM_TOPIC_REAL_HEIGHT)];
    ASSERT_NE(topic, nullptr);
    EXPECT_TRUE(IsWindowVisible(topic));
    EXPECT_FALSE(LabelPaintedIn(IDC_LABEL_REAL_HEIGHT, RGB(30, 30, 255)))
        << "the click ends the hover";

    Command(IDC_LABEL_REAL_HEIGHT);
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_REAL_HEIGHT)], topic);
}

// The idle advice is there from the start, as its two lines, each with a tenth of the
// control's width to spare in the font the dialog uses (so a wider font still fits).
TEST_F(StartMenuTest, TheIdleAdviceStandsAsTwoLinesWithRoomToSpare) {
    EXPECT_EQ(Text(IDC_ADVICE), kIdleAdvice);
    HWND advice = Item(IDC_ADVICE);
    RECT client;
    GetClientRect(advice, &client);
    HDC dc = GetDC(advice);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(advice, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    for (const char *line :
         {"排出口の実高さが 6.7m 未満の場合は、", "周辺最大建物高さの入力は不要です。",
          "クリックすると、用語解説が見られます。"}) {
        SIZE size;
        GetTextExtentPoint32A(dc, line, static_cast<int>(std::strlen(line)), &size);
        EXPECT_LE(size.cx * 11, client.right * 10) << line;
    }
    EXPECT_GE(client.bottom, 2 * metrics.tmHeight);
    SelectObject(dc, old);
    ReleaseDC(advice, dc);
}
