#include "tests/win/shell_fixture.h"

#include "app/dpi.h"
#include "help/help_topics.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct Topic {
    int command;
    const char *title;
};

const Topic kTopics[kHelpTopicCount] = {
    {32802, "「臭気指数規制」 とは"},
    {32784, "「1号基準、2号基準」 とは"},
    {32785, "「臭気指数（臭気濃度）」 とは"},
    {32786, "「臭気排出強度（ＫＶＴ）」 とは"},
    {32787, "「排出口の実高さ」 とは"},
    {32788, "「排出口の大きさ、口径、断面積」 とは"},
    {32789, "「排出ガス流量」 とは"},
    {32790, "「排出ガス吐出速度」 とは"},
    {32791, "「排出ガス温度」 とは"},
    {32792, "「排出ガス水分量」 とは"},
    {32793, "排出口の向き"},
    {32794, "「周辺最大建物高さ」 とは"},
    {32795, "「排出口と敷地境界との最短距離」 とは"},
    {32796, "「周辺最大建物と敷地境界との最短距離」 とは"},
    {32806, "「希釈度」 とは"},
    {32807, "「有効発生源高さ」 とは"},
    {32808, "「周辺建物による拡散影響（ダウンドラフト）」 とは"},
    {32820, "排出口の臭気指数（測定値）と適合の判定"},
};

// The pictures of the topics that have one: template and bitmap size in pixels.
struct Picture {
    int command;
    int width;
    int height;
};

const Picture kPictures[] = {
    {32784, 604, 285}, {32787, 236, 194}, {32788, 296, 116}, {32790, 247, 137},
    {32793, 429, 122}, {32794, 635, 272}, {32806, 465, 153}, {32808, 349, 218},
};

class HelpTopicTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        Settle();
    }
    // Wine learns of focus changes from the display a little later; a foreground read too
    // early can see a window lose the focus it has long got back.
    static void Settle() {
        for (DWORD end = GetTickCount() + 150; GetTickCount() < end; Sleep(10))
            Pump();
    }
    static HWND Open(int command) {
        Command(command);
        return gHelpWindows[HelpTopicIndex(command)];
    }
    static void Click(HWND dialog, int id) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        Pump();
    }
    static int WindowsTitled(const char *title) {
        struct Search {
            const char *title;
            int found;
        } search{title, 0};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto *s = reinterpret_cast<Search *>(data);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == GetCurrentProcessId() && IsWindow(window) &&
                    Text(window) == s->title)
                    ++s->found;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
};

} // namespace

TEST_F(HelpTopicTest, EveryTopicCommandOpensItsOwnUnownedWindowWithItsTitle) {
    std::set<HWND> open;
    for (const Topic &topic : kTopics) {
        HWND window = Open(topic.command);
        ASSERT_NE(window, nullptr) << topic.title;
        EXPECT_TRUE(IsWindowVisible(window)) << topic.title;
        EXPECT_EQ(Text(window), topic.title);
        EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << topic.title;
        EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0) << topic.title;
        EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0) << topic.title;
        EXPECT_NE(GetDlgItem(window, IDOK), nullptr) << topic.title;
        open.insert(window);
    }
    EXPECT_EQ(open.size(), 18u) << "every topic has a window of its own";

    for (const Topic &topic : kTopics) {
        HWND window = gHelpWindows[HelpTopicIndex(topic.command)];
        Click(window, IDOK);
        EXPECT_FALSE(IsWindow(window)) << topic.title;
        EXPECT_EQ(gHelpWindows[HelpTopicIndex(topic.command)], nullptr) << topic.title;
    }
}

TEST_F(HelpTopicTest, OnlyTopicCommandsHaveATopic) {
    for (int command : {0, IDM_ABOUT, IDM_EXIT, IDM_MANUAL, IDM_EXAMPLES, 32783, 32809})
        EXPECT_EQ(HelpTopicIndex(command), -1) << command;
}

TEST_F(HelpTopicTest, ATopicWithoutCalculatorOpensWithTheFocusOnOk) {
    HWND window = Open(IDM_TOPIC_DILUTION);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDOK));
    EXPECT_EQ(gShell.keyboardDialog, window) << "Tab and Esc work in the active topic";
}

TEST_F(HelpTopicTest, ChoosingAnOpenTopicAgainBringsItsOneWindowToTheFront) {
    HWND first = Open(IDM_TOPIC_ODOR_INDEX);
    HWND second = Open(IDM_TOPIC_DOWNDRAFT);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    Settle();
    EXPECT_EQ(GetForegroundWindow(), second);

    EXPECT_EQ(Open(IDM_TOPIC_ODOR_INDEX), first);
    Settle();
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_EQ(WindowsTitled("「臭気指数（臭気濃度）」 とは"), 1);
    EXPECT_TRUE(IsWindow(second)) << "the other topic stays open";
}

TEST_F(HelpTopicTest, ClosingATopicActivatesTheCurrentScreen) {
    HWND screen = Screen();
    HWND window = Open(IDM_TOPIC_REGULATION);
    ASSERT_NE(window, nullptr);
    Settle();
    ASSERT_EQ(GetForegroundWindow(), window);
    Click(window, IDOK);
    Settle();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetForegroundWindow(), screen);
}

TEST_F(HelpTopicTest, ClosingATopicPrefersAnOpenPrintInformationDialog) {
    // Stands in for the print-information dialog: any window the shell names as such.
    HWND printInfo = CreateWindowExA(0, "Static", "print", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr);
    gShell.printInfoWindow = printInfo;
    HWND window = Open(IDM_TOPIC_TEMPERATURE);
    ASSERT_NE(window, nullptr);
    Settle();
    // The close box and Esc both arrive as cancel.
    SendMessageA(window, WM_CLOSE, 0, 0);
    Settle();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_TEMPERATURE)], nullptr);
    EXPECT_EQ(GetForegroundWindow(), printInfo);
    gShell.printInfoWindow = nullptr;
    DestroyWindow(printInfo);
}

TEST_F(HelpTopicTest, EscapeClosesATopic) {
    HWND window = Open(IDM_TOPIC_MOISTURE);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(gShell.keyboardDialog, window);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(gHelpWindows[HelpTopicIndex(IDM_TOPIC_MOISTURE)], nullptr);
    EXPECT_TRUE(boxes.empty()) << "Esc in a topic is no exit question";
}

TEST_F(HelpTopicTest, ATopicStaysOpenAcrossAScreenChangeAndThenActivatesTheNewScreen) {
    HWND window = Open(IDM_TOPIC_BUILDING_HEIGHT);
    ASSERT_NE(window, nullptr);
    HWND menu = Screen();
    RequestScreen(CaseA);
    Pump();
    ASSERT_FALSE(IsWindow(menu));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Open(IDM_TOPIC_BUILDING_HEIGHT), window) << "still the same window";

    Settle();
    Click(window, IDOK);
    Settle();
    EXPECT_EQ(GetForegroundWindow(), Screen());
}

TEST_F(HelpTopicTest, AClosedTopicOpensAgainAsANewWindow) {
    HWND window = Open(IDM_TOPIC_EFFECTIVE_HEIGHT);
    ASSERT_NE(window, nullptr);
    Click(window, IDCANCEL);
    HWND again = Open(IDM_TOPIC_EFFECTIVE_HEIGHT);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(IsWindowVisible(again));
}

TEST_F(HelpTopicTest, EveryTopicShowsItsPictureWhole) {
    for (const Picture &picture : kPictures) {
        HWND window = Open(picture.command);
        ASSERT_NE(window, nullptr) << picture.command;
        HWND control = nullptr;
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
                control = child;
        ASSERT_NE(control, nullptr) << picture.command;
        auto bitmap =
            reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr) << picture.command;
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        // The picture grows with the window's scale, rounded to the nearest pixel.
        const int dpi = WindowDpi(window);
        EXPECT_EQ(info.bmWidth, (picture.width * dpi + 48) / 96) << picture.command;
        EXPECT_EQ(info.bmHeight, (picture.height * dpi + 48) / 96) << picture.command;
        RECT client;
        GetClientRect(control, &client);
        EXPECT_GE(client.right, info.bmWidth) << picture.command << " is cut";
        EXPECT_GE(client.bottom, info.bmHeight) << picture.command << " is cut";
    }
}

namespace {

std::vector<HWND> Controls(HWND dialog) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    return controls;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsTextStatic(HWND control) {
    const LONG type = GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
    return ClassOf(control) == "Static" &&
           (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
}

bool IsGroupBox(HWND control) {
    return ClassOf(control) == "Button" &&
           (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

RECT RectIn(HWND dialog, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

bool Contains(const RECT &outer, const RECT &inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsRaisedDigitOf(HWND digit, HWND line) {
    const int lineId = GetDlgCtrlID(line), offset = GetDlgCtrlID(digit) - lineId;
    return lineId >= IDC_RAISED_LINE_FIRST && lineId <= IDC_RAISED_LINE_LAST &&
           lineId % IDC_RAISED_LINE_STEP == 0 && (offset == 1 || offset == 2);
}

// The text as the control would draw it, wrapped at its width.
RECT DrawnExtent(HWND control, const std::string &text, int width, int *lineHeight) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    *lineHeight = metrics.tmHeight;
    RECT extent = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return extent;
}

} // namespace

TEST_F(HelpTopicTest, EveryTextFitsOnTheLinesItIsBrokenInto) {
    for (const Topic &topic : kTopics) {
        HWND window = Open(topic.command);
        ASSERT_NE(window, nullptr) << topic.title;
        for (HWND control : Controls(window)) {
            const std::string text = Text(control);
            if (!IsTextStatic(control) || text.empty())
                continue;
            RECT client;
            GetClientRect(control, &client);
            int lineHeight = 0;
            RECT drawn = DrawnExtent(control, text, client.right, &lineHeight);
            const long lines = 1 + static_cast<long>(std::count(text.begin(), text.end(), '\n'));
            EXPECT_LE(drawn.right, client.right) << topic.title << ": " << text;
            EXPECT_EQ(drawn.bottom, lines * lineHeight) << topic.title << " wraps: " << text;
            EXPECT_LE(drawn.bottom, client.bottom) << topic.title << " is cut: " << text;
        }
        Click(window, IDOK);
    }
}

TEST_F(HelpTopicTest, ControlsLieInsideTheirDialogWithoutOverlapping) {
    for (const Topic &topic : kTopics) {
        HWND window = Open(topic.command);
        ASSERT_NE(window, nullptr) << topic.title;
        RECT client;
        GetClientRect(window, &client);
        const std::vector<HWND> controls = Controls(window);
        for (size_t i = 0; i < controls.size(); ++i) {
            const RECT a = RectIn(window, controls[i]);
            EXPECT_TRUE(Contains(client, a)) << topic.title << ": " << Text(controls[i]);
            for (size_t j = i + 1; j < controls.size(); ++j) {
                const RECT b = RectIn(window, controls[j]);
                if ((IsGroupBox(controls[i]) && Contains(a, b)) ||
                    (IsGroupBox(controls[j]) && Contains(b, a)) ||
                    IsRaisedDigitOf(controls[i], controls[j]) ||
                    IsRaisedDigitOf(controls[j], controls[i]))
                    continue;
                RECT both;
                EXPECT_FALSE(IntersectRect(&both, &a, &b))
                    << topic.title << ": " << Text(controls[i]) << " / " << Text(controls[j]);
            }
        }
        Click(window, IDOK);
    }
}

namespace {

// The line's text drawn alone, black on white, as its control draws it.
struct Rendering {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    HGDIOBJ oldFont;
    int height;

    Rendering(HWND line, const std::string &text) {
        RECT client;
        GetClientRect(line, &client);
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        oldBitmap = SelectObject(dc, bitmap);
        oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(line, WM_GETFONT, 0, 0)));
        PatBlt(dc, 0, 0, client.right, client.bottom, WHITENESS);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        height = metrics.tmHeight;
    }
    ~Rendering() {
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    bool InkInColumns(int from, int to) const {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < height; ++y)
                if (GetGValue(GetPixel(dc, x, y)) < 128)
                    return true;
        return false;
    }
};

} // namespace

TEST_F(HelpTopicTest, RaisedDigitsSitOverTheBlanksRightAfterTheirM) {
    int digits = 0;
    for (const Topic &topic : kTopics) {
        HWND window = Open(topic.command);
        ASSERT_NE(window, nullptr) << topic.title;
        for (int id = IDC_RAISED_LINE_FIRST; id <= IDC_RAISED_LINE_LAST;
             id += IDC_RAISED_LINE_STEP) {
            HWND line = GetDlgItem(window, id);
            if (line == nullptr)
                continue;
            const RECT lineRect = RectIn(window, line);
            Rendering rendering(line, Text(line));
            for (int offset : {1, 2}) {
                HWND digit = GetDlgItem(window, id + offset);
                if (digit == nullptr)
                    continue;
                ++digits;
                const RECT d = RectIn(window, digit);
                const int left = d.left - lineRect.left, right = d.right - lineRect.left;
                EXPECT_GT(right, left) << topic.title << " digit " << id + offset;
                EXPECT_FALSE(rendering.InkInColumns(left, right))
                    << topic.title << ": digit " << id + offset << " covers text of " << Text(line);
                EXPECT_TRUE(rendering.InkInColumns(left - 3, left))
                    << topic.title << ": digit " << id + offset << " is not next to its m";
                EXPECT_LT(d.top, lineRect.top) << topic.title << " digit " << id + offset;
            }
        }
        Click(window, IDOK);
    }
    // The emission rate's two units, and in each calculator two in the formula and two
    // beside the fields.
    EXPECT_EQ(digits, 10);
}
