#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "app/shown_map.h"
#include "help/help_topics.h"
#include "model/map_settings.h"
#include "print/print_info.h"
#include "resources/help_resource.h"
#include "resources/print_resource.h"
#include "resources/resource.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

enum class Window { StartMenu, CaseA, CaseB, CaseC, CaseD, MapAdjust, Flow, Velocity, PrintInfo };

struct FieldRow {
    Window window;
    int field;
    std::vector<int> radios; // clicked first, so that the field is one the screen reads
    int limit;               // the edit limit the program sets on the field
};

using Typed = std::vector<std::pair<int, const char *>>;

// Valid entries of every field a screen reads, so that only the pasted field can refuse.
const Typed kCaseC = {{IDC_NO1_STANDARD, "12"},         {IDC_TALL_DRY_FLOW, "300"},
                      {IDC_TALL_WET_FLOW, "330"},       {IDC_TALL_MOISTURE, "10"},
                      {IDC_TALL_OUTLET_BOUNDARY, "50"}, {IDC_TALL_BUILDING_BOUNDARY, "20"}};
const Typed kCaseD = {{IDC_NO1_STANDARD, "12"},         {IDC_TALL_DIAMETER, "1"},
                      {IDC_TALL_AREA, "0.785"},         {IDC_TALL_TEMPERATURE, "80"},
                      {IDC_TALL_DRY_FLOW, "300"},       {IDC_TALL_WET_FLOW, "330"},
                      {IDC_TALL_VELOCITY, "10"},        {IDC_TALL_MOISTURE, "10"},
                      {IDC_TALL_OUTLET_BOUNDARY, "50"}, {IDC_TALL_BUILDING_BOUNDARY, "20"}};

const int kHeight = IDC_CASE_OUTLET_HEIGHT;
const int kBuilding = IDC_CASE_BUILDING_HEIGHT;
const int kDry = IDC_TALL_DRY_RADIO, kWet = IDC_TALL_WET_RADIO, kVel = IDC_TALL_VELOCITY_RADIO;
const int kDiam = IDC_TALL_DIAMETER_RADIO, kArea = IDC_TALL_AREA_RADIO, kUp = IDC_TALL_UPWARD;

const FieldRow kFields[] = {
    {Window::StartMenu, IDC_OUTLET_HEIGHT, {}, 62},
    {Window::StartMenu, IDC_BUILDING_HEIGHT, {}, 62},
    {Window::CaseA, kHeight, {IDC_LOW_SIZE_SMALL}, 63},
    {Window::CaseA, IDC_NO1_STANDARD, {IDC_LOW_SIZE_SMALL}, 63},
    {Window::CaseB, kHeight, {IDC_LOW_SIZE_SMALL}, 63},
    {Window::CaseB, kBuilding, {IDC_LOW_SIZE_SMALL}, 63},
    {Window::CaseB, IDC_NO1_STANDARD, {IDC_LOW_SIZE_SMALL}, 63},
    {Window::CaseC, kHeight, {kDry}, 63},
    {Window::CaseC, kBuilding, {kDry}, 63},
    {Window::CaseC, IDC_NO1_STANDARD, {kDry}, 63},
    {Window::CaseC, IDC_TALL_DRY_FLOW, {kDry}, 63},
    {Window::CaseC, IDC_TALL_WET_FLOW, {kWet}, 63},
    {Window::CaseC, IDC_TALL_MOISTURE, {kWet}, 63},
    {Window::CaseC, IDC_TALL_OUTLET_BOUNDARY, {kDry}, 63},
    {Window::CaseC, IDC_TALL_BUILDING_BOUNDARY, {kDry}, 63},
    {Window::CaseD, kHeight, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, kBuilding, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, IDC_NO1_STANDARD, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, IDC_TALL_DIAMETER, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, IDC_TALL_AREA, {kArea, kUp, kDry}, 63},
    {Window::CaseD, IDC_TALL_TEMPERATURE, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, IDC_TALL_DRY_FLOW, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, IDC_TALL_WET_FLOW, {kDiam, kUp, kWet}, 63},
    {Window::CaseD, IDC_TALL_VELOCITY, {kDiam, kUp, kVel}, 63},
    {Window::CaseD, IDC_TALL_MOISTURE, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, IDC_TALL_OUTLET_BOUNDARY, {kDiam, kUp, kDry}, 63},
    {Window::CaseD, IDC_TALL_BUILDING_BOUNDARY, {kDiam, kUp, kDry}, 63},
    {Window::MapAdjust, IDC_MAP_DOWNWIND_RANGE, {}, 255},
    {Window::MapAdjust, IDC_MAP_DISPLAY_HEIGHT, {}, 255},
    {Window::MapAdjust, IDC_MAP_RED_LIMIT, {}, 255},
    {Window::MapAdjust, IDC_MAP_WHITE_LIMIT, {}, 255},
    {Window::Flow, IDC_FLOWCALC_AREA, {}, 30},
    {Window::Flow, IDC_FLOWCALC_VELOCITY, {}, 30},
    {Window::Flow, IDC_FLOWCALC_TEMPERATURE, {}, 30},
    {Window::Flow, IDC_FLOWCALC_MOISTURE, {}, 30},
    {Window::Velocity, IDC_VELCALC_HOLE_VELOCITY, {}, 30},
    {Window::Velocity, IDC_VELCALC_HOLE_AREA, {}, 30},
    {Window::Velocity, IDC_VELCALC_OUTLET_AREA, {}, 30},
    {Window::PrintInfo, IDC_PRINT_AUTHOR, {}, kPrintInfoSize - 1},
    {Window::PrintInfo, IDC_PRINT_OFFICE, {}, kPrintInfoSize - 1},
    {Window::PrintInfo, IDC_PRINT_FACILITY, {}, kPrintInfoSize - 1},
};

constexpr size_t kPasteChars = 100000;

struct HostileText {
    const char *what;
    std::string text;
    bool refusedWhenCut; // still refused when cut to the field's limit
};

// 100,000 digits; then, past every limit at 1,000 characters: a valid number, blanks and a
// last word, which is refused as a whole but would pass judged on its beginning (cut to the
// limit, it is a valid number); mixed full-width, half-width, kanji and half-width kana; and
// lone lead bytes. Wine's edit control lays out a whole line on every change, so only one
// text is the full 100,000.
std::vector<HostileText> HostileTexts() {
    std::string mixed;
    while (mixed.size() < 1000)
        mixed += "１２3漢ｶﾅ";
    // A lead byte followed by a byte that cannot trail it, and one at the very end.
    std::string leads;
    for (size_t chars = 0; leads.size() + 1 < 1000; ++chars)
        leads += chars % 2 ? '1' : static_cast<char>(0x81 + chars % 31);
    leads += '\x81';
    return {{"digits", std::string(kPasteChars, '9'), true},
            {"a number, blanks and a word", "12" + std::string(997, ' ') + "x", false},
            {"full-width, half-width, kanji and kana", mixed, true},
            {"lone lead bytes", leads, true}};
}

enum class Paste { SetText, ReplaceSelection };

bool WholeCharacters(const char *text) {
    for (const char *p = text; *p != '\0'; ++p)
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && *++p == '\0')
            return false;
    return true;
}

class HostilePasteTest : public ShellTest {
  protected:
    void TearDown() override {
        if (gShell.printInfoWindow != nullptr)
            DestroyWindow(gShell.printInfoWindow);
        ShellTest::TearDown();
    }

    static void TypeAll(const Typed &typed) {
        for (const auto &t : typed)
            Type(t.first, t.second);
    }
    static void Click(int radio) {
        SendMessageA(Item(radio), BM_CLICK, 0, 0);
        Pump();
    }
    static void ToCase(const char *height, const char *building) {
        Type(IDC_OUTLET_HEIGHT, height);
        if (building != nullptr)
            Type(IDC_BUILDING_HEIGHT, building);
        Command(IDC_NEXT);
    }
    static void ComputeCaseD() {
        ToCase("30", "10");
        for (int radio : {kDiam, kUp, kDry})
            Click(radio);
        TypeAll(kCaseD);
        Command(IDC_CALCULATE);
    }

    // Brings up the row's window with every other field valid; returns the window that
    // holds the field.
    HWND Open(const FieldRow &row) {
        switch (row.window) {
        case Window::StartMenu:
            if (row.field == IDC_BUILDING_HEIGHT)
                Type(IDC_OUTLET_HEIGHT, "10");
            else
                Type(IDC_BUILDING_HEIGHT, "5");
            return Screen();
        case Window::CaseA: ToCase("5", nullptr); break;
        case Window::CaseB: ToCase("10", "5"); break;
        case Window::CaseC: ToCase("15", "10.001"); break;
        case Window::CaseD: ToCase("30", "10"); break;
        case Window::MapAdjust:
            ComputeCaseD();
            Command(IDC_MAP_ADJUST);
            return gShell.mapAdjustWindow;
        case Window::Flow:
        case Window::Velocity: {
            const int topic = row.window == Window::Flow ? IDM_TOPIC_FLOW : IDM_TOPIC_VELOCITY;
            Command(topic);
            HWND dialog = gHelpWindows[HelpTopicIndex(topic)];
            const Typed valid = row.window == Window::Flow
                                    ? Typed{{IDC_FLOWCALC_AREA, "1"},
                                            {IDC_FLOWCALC_VELOCITY, "10"},
                                            {IDC_FLOWCALC_TEMPERATURE, "0"},
                                            {IDC_FLOWCALC_MOISTURE, "0"}}
                                    : Typed{{IDC_VELCALC_HOLE_VELOCITY, "10"},
                                            {IDC_VELCALC_HOLE_AREA, "1"},
                                            {IDC_VELCALC_OUTLET_AREA, "2"}};
            for (const auto &t : valid) {
                SetDlgItemTextA(dialog, t.first, t.second);
                Pump();
            }
            return dialog;
        }
        case Window::PrintInfo:
            ToCase("5", nullptr);
            Type(IDC_NO1_STANDARD, "12");
            Click(IDC_LOW_SIZE_SMALL);
            Command(IDC_CALCULATE);
            Command(IDC_PRINT);
            return gShell.printInfoWindow;
        }
        for (int radio : row.radios)
            Click(radio);
        if (row.window == Window::CaseA || row.window == Window::CaseB)
            TypeAll({{IDC_NO1_STANDARD, "12"}});
        if (row.window == Window::CaseC)
            TypeAll(kCaseC);
        if (row.window == Window::CaseD)
            TypeAll(kCaseD);
        return Screen();
    }

    // What the row's window shows as its result once confirmed; empty when it shows none.
    static std::string ResultAfterConfirming(const FieldRow &row, HWND window) {
        switch (row.window) {
        case Window::StartMenu:
            if (IsWindowEnabled(Item(IDC_NEXT)))
                Command(IDC_NEXT);
            return gShell.currentScreen == StartMenu ? "" : "the next screen";
        case Window::CaseA:
        case Window::CaseB:
            Command(IDC_CALCULATE);
            return gOutletResults.low.no2Index >= 0 ? "No. 2 " + Text(IDC_LOW_NO2)
                                                    : Text(IDC_LOW_NO2);
        case Window::CaseC:
        case Window::CaseD:
            Command(IDC_CALCULATE);
            return HasResult(gOutletResults.tall) ? "the tall outlet's results" : "";
        case Window::MapAdjust: {
            const MapSettings before = gMapSettings;
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            Pump();
            const bool kept = before.downwindRange == gMapSettings.downwindRange &&
                              before.displayHeight == gMapSettings.displayHeight &&
                              before.redLimit == gMapSettings.redLimit &&
                              before.whiteLimit == gMapSettings.whiteLimit;
            return gShell.mapAdjustWindow == nullptr || !kept ? "the map adjusted" : "";
        }
        case Window::Flow:
        case Window::Velocity: return Text(GetDlgItem(window, IDC_CALC_RESULT));
        case Window::PrintInfo:
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            Pump();
            return "";
        }
        return "";
    }
};

} // namespace

// Every edit field of every window takes 100,000 pasted characters and broken texts without
// the program failing: the edit limit holds for a replaced selection, a text the field's rule
// refuses shows no result, and the print information keeps whole characters within its
// buffer.
TEST_F(HostilePasteTest, EveryFieldSurvivesHugeAndBrokenTexts) {
    const std::vector<HostileText> texts = HostileTexts();
    for (const FieldRow &row : kFields) {
        HWND window = nullptr;
        for (const HostileText &text : texts) {
            for (Paste paste : {Paste::SetText, Paste::ReplaceSelection}) {
                SCOPED_TRACE(testing::Message()
                             << "window " << static_cast<int>(row.window) << ", field " << row.field
                             << ", " << text.what << ", "
                             << (paste == Paste::SetText ? "WM_SETTEXT" : "EM_REPLACESEL"));
                // A window that ended or moved on is brought up afresh.
                if (window == nullptr || !IsWindow(window) || !IsWindowVisible(window) ||
                    (row.window != Window::PrintInfo && row.window != Window::MapAdjust &&
                     row.window != Window::Flow && row.window != Window::Velocity &&
                     window != Screen())) {
                    TearDown();
                    SetUp();
                    window = Open(row);
                }
                ASSERT_NE(window, nullptr);
                HWND field = GetDlgItem(window, row.field);
                ASSERT_NE(field, nullptr);
                EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), row.limit);
                boxes.clear();
                if (paste == Paste::SetText) {
                    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.text.c_str()));
                } else {
                    SendMessageA(field, EM_SETSEL, 0, -1);
                    SendMessageA(field, EM_REPLACESEL, TRUE,
                                 reinterpret_cast<LPARAM>(text.text.c_str()));
                    // The edit control counts its limit in characters.
                    EXPECT_LE(GetWindowTextLengthW(field), row.limit);
                }
                Pump();
                const std::string result = ResultAfterConfirming(row, window);
                if (row.window == Window::PrintInfo) {
                    for (const char *kept :
                         {gPrintInfo.authorName, gPrintInfo.officeName, gPrintInfo.facilityName}) {
                        EXPECT_LT(std::strlen(kept), static_cast<size_t>(kPrintInfoSize));
                        EXPECT_TRUE(WholeCharacters(kept)) << kept;
                    }
                    continue;
                }
                if (paste == Paste::SetText || text.refusedWhenCut) {
                    EXPECT_EQ(result, "");
                }
                for (const AskedBox &box : boxes)
                    EXPECT_EQ(box.caption, "パラメータエラー") << box.text;
            }
        }
    }
}
