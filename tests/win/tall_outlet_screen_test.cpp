#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "app/shown_map.h"
#include "map/map_raster.h"
#include "map/win/map_display.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/result_texts.h"
#include "print/win/report_printing.h"
#include "resources/resource.h"
#include "screens/tall_outlet_results.h"
#include "screens/tall_outlet_validation.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kCaption[] = "パラメータエラー";
const UINT kRefusal = MB_OK | MB_TASKMODAL;
const UINT kQuestion = MB_YESNO | MB_TOPMOST;

using Args = std::vector<std::pair<std::string, std::string>>;

// The example outlet of case D, as the fields take it.
const Args kExampleD = {{"no1", "12"},
                        {"diameter", "1"},
                        {"direction", "up"},
                        {"temperature", "80"},
                        {"dry-flow", "300"},
                        {"moisture", "10"},
                        {"outlet-boundary", "50"},
                        {"building-boundary", "20"}};

std::string Utf8(const std::string &cp932) {
    std::wstring wide(cp932.size() + 1, L'\0');
    int n = MultiByteToWideChar(932, 0, cp932.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    std::string out(4 * wide.size() + 1, '\0');
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), n, &out[0], static_cast<int>(out.size()),
                                nullptr, nullptr);
    out.resize(m > 0 ? m - 1 : 0);
    return out;
}

// The quoted strings of a JSON line from the given position on, up to the closing bracket.
std::vector<std::string> StringsAfter(const std::string &line, size_t pos) {
    std::vector<std::string> out;
    while (pos < line.size() && line[pos] != ']') {
        if (line[pos++] != '"')
            continue;
        std::string s;
        while (pos < line.size() && line[pos] != '"') {
            if (line[pos] == '\\')
                ++pos;
            s += line[pos == line.size() ? pos - 1 : pos];
            ++pos;
        }
        ++pos;
        out.push_back(s);
    }
    return out;
}

struct ScreenOutlet {
    std::string what;
    std::string prm; // smell.prm for the run, empty for none
    Args args;
    std::map<std::string, std::string> texts; // expected *Text values, UTF-8
};

std::vector<ScreenOutlet> ReadOutlets(const std::string &file) {
    std::vector<ScreenOutlet> outlets;
    std::ifstream in(std::string(KAMORTE_SOURCE_DIR) + "/" + file);
    std::string line;
    while (std::getline(in, line)) {
        ScreenOutlet o;
        const size_t what = line.find("\"what\": ");
        if (what != std::string::npos)
            o.what = StringsAfter(line, what + 7).front();
        const size_t prm = line.find("\"prm\": ");
        if (prm != std::string::npos) {
            o.prm = StringsAfter(line, prm + 6).front();
            size_t nl;
            while ((nl = o.prm.find("\\n")) != std::string::npos)
                o.prm.replace(nl, 2, "\n");
        }
        std::vector<std::string> args = StringsAfter(line, line.find("\"args\": [") + 9);
        for (size_t i = 0; i + 1 < args.size(); i += 2)
            o.args.push_back({args[i].substr(2), args[i + 1]});
        size_t key = 0;
        while ((key = line.find("Text\": \"", key)) != std::string::npos) {
            const size_t start = line.rfind('"', key - 1);
            std::string name = line.substr(start + 1, key + 4 - start - 1);
            o.texts[name] = StringsAfter(line, key + 6).front();
            key += 6;
        }
        if (o.what.find("case A") == 0 || o.what.find("case B") == 0)
            continue;
        outlets.push_back(o);
    }
    return outlets;
}

} // namespace

class TallOutletScreenTest : public ShellTest {
  protected:
    static void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        Pump();
    }
    static bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
    static bool Checked(int id) { return IsDlgButtonChecked(Screen(), id) == BST_CHECKED; }
    static bool CaseD() { return gShell.currentScreen == ::CaseD; }

    // From the start menu to the screen the heights belong to.
    static void Open(const char *outlet, const char *building) {
        Type(IDC_OUTLET_HEIGHT, outlet);
        Type(IDC_BUILDING_HEIGHT, building);
        Command(IDC_NEXT);
    }

    // Fills the screen's fields from command-line style arguments: the choices first.
    static void Fill(const Args &args) {
        static const std::map<std::string, std::pair<int, int>> kFields = {
            {"height", {0, IDC_CASE_OUTLET_HEIGHT}},
            {"building", {0, IDC_CASE_BUILDING_HEIGHT}},
            {"no1", {0, IDC_NO1_STANDARD}},
            {"diameter", {IDC_TALL_DIAMETER_RADIO, IDC_TALL_DIAMETER}},
            {"area", {IDC_TALL_AREA_RADIO, IDC_TALL_AREA}},
            {"temperature", {0, IDC_TALL_TEMPERATURE}},
            {"dry-flow", {IDC_TALL_DRY_RADIO, IDC_TALL_DRY_FLOW}},
            {"wet-flow", {IDC_TALL_WET_RADIO, IDC_TALL_WET_FLOW}},
            {"velocity", {IDC_TALL_VELOCITY_RADIO, IDC_TALL_VELOCITY}},
            {"moisture", {0, IDC_TALL_MOISTURE}},
            {"outlet-boundary", {0, IDC_TALL_OUTLET_BOUNDARY}},
            {"building-boundary", {0, IDC_TALL_BUILDING_BOUNDARY}},
        };
        // What an earlier outlet left in the fields is not part of this one.
        for (const auto &field : kFields)
            if (field.first != "height" && field.first != "building" &&
                Item(field.second.second) != nullptr)
                Type(field.second.second, "");
        for (const auto &a : args) {
            if (a.first == "direction")
                Click(a.second == "up" ? IDC_TALL_UPWARD : IDC_TALL_DOWNWARD);
            else if (kFields.count(a.first) && kFields.at(a.first).first != 0)
                Click(kFields.at(a.first).first);
        }
        for (const auto &a : args)
            if (kFields.count(a.first))
                Type(kFields.at(a.first).second, a.second.c_str());
    }

    static void OpenAndCompute(const ScreenOutlet &o) {
        std::string height, building;
        for (const auto &a : o.args) {
            if (a.first == "height")
                height = a.second;
            if (a.first == "building")
                building = a.second;
        }
        Open(height.c_str(), building.c_str());
        Fill(o.args);
        if (!o.prm.empty()) {
            std::ofstream("smell.prm") << o.prm;
        }
        Click(IDC_CALCULATE);
        std::remove("smell.prm");
    }

    // Shown text of each *Text value, by control.
    static std::map<std::string, int> TextControls() {
        const bool d = CaseD();
        return {{"rateMantissaText", IDC_RATE_MANTISSA},
                {"rateExponentText", IDC_RATE_EXPONENT},
                {"outletIndexText", IDC_OUTLET_INDEX},
                {"dryFlowText", IDC_DRY_FLOW_SHOWN},
                {"boundaryText", IDC_BOUNDARY_DISTANCE},
                {"landingDistanceText", IDC_LANDING_DISTANCE},
                {"landingDilutionText", d ? IDC_D_LANDING_DILUTION : IDC_C_LANDING_DILUTION},
                {"colourTopText", d ? IDC_D_COLOUR_TOP : IDC_C_COLOUR_TOP},
                {"colourMiddleText", d ? IDC_D_COLOUR_MIDDLE : IDC_C_COLOUR_MIDDLE},
                {"colourBottomText", d ? IDC_D_COLOUR_BOTTOM : IDC_C_COLOUR_BOTTOM},
                {"heightAxisText", IDC_HEIGHT_AXIS},
                {"distanceAxisText", IDC_DISTANCE_AXIS}};
    }

    static void ExpectEveryStaticFits() {
        EnumChildWindows(
            Screen(),
            [](HWND child, LPARAM) -> BOOL {
                char cls[32] = "";
                GetClassNameA(child, cls, sizeof cls);
                const LONG style = GetWindowLongA(child, GWL_STYLE);
                const bool plainText =
                    std::string(cls) == "Static" && (style & SS_TYPEMASK) != SS_BITMAP;
                if (plainText) {
                    EXPECT_TRUE(ControlTextFits(child)) << "clipped: " << Text(child);
                }
                return TRUE;
            },
            0);
    }
};

// Every text the screens show for a computed outlet is the command line's text for it.
TEST_F(TallOutletScreenTest, ShowsTheTextsOfTheCommandLineForEveryOutlet) {
    std::vector<ScreenOutlet> outlets = ReadOutlets("tests/golden/outlets.jsonl");
    const std::vector<ScreenOutlet> own = ReadOutlets("tests/golden/tall_screen_outlets.jsonl");
    ASSERT_GE(own.size(), 12u);
    outlets.insert(outlets.end(), own.begin(), own.end());
    for (const ScreenOutlet &o : outlets) {
        SCOPED_TRACE(o.what);
        OpenAndCompute(o);
        ASSERT_TRUE(boxes.empty()) << boxes.front().text;
        ASSERT_TRUE(HasResult(gOutletResults.tall));
        int compared = 0;
        for (const auto &control : TextControls()) {
            if (!o.texts.count(control.first))
                continue;
            EXPECT_EQ(Utf8(Text(control.second)), o.texts.at(control.first)) << control.first;
            ++compared;
        }
        EXPECT_GE(compared, 7);
        EXPECT_TRUE(Enabled(IDC_PRINT));
        EXPECT_TRUE(Enabled(IDC_MAP_ADJUST));
        // The printed report holds the texts the screen shows.
        const Report printed =
            ReportOfCurrentOutlet(static_cast<OutletCase>(gShell.currentScreen), true);
        EXPECT_EQ(printed.shown.rateMantissa, Text(IDC_RATE_MANTISSA));
        EXPECT_EQ(printed.shown.rateExponent, Text(IDC_RATE_EXPONENT));
        EXPECT_EQ(printed.shown.landingDistance, Text(IDC_LANDING_DISTANCE));
        EXPECT_EQ(printed.shown.boundary, Text(IDC_BOUNDARY_DISTANCE));
        EXPECT_EQ(printed.shown.outletIndex, Text(IDC_OUTLET_INDEX));
        ExpectEveryStaticFits();
        Command(IDC_BACK_TO_MENU);
        ASSERT_EQ(gShell.currentScreen, StartMenu);
    }
}

struct FieldCase {
    const char *what;
    bool caseD;
    int field;            // the edited field, 0 for none
    const char *text;     // typed into it
    const char *message;  // nullptr: accepted
    const char *accepted; // the accepted text written back
};

// Each field against its limits and the numeric-field rule, on an otherwise valid outlet.
TEST_F(TallOutletScreenTest, RefusesEachBadFieldWithItsMessageAndFocus) {
    const std::string longText(100000, '1');
    const std::string over254 = "1" + std::string(260, ' ');
    const FieldCase cases[] = {
        {"full-width 15.5", true, IDC_CASE_OUTLET_HEIGHT, "１５．５", nullptr, "15.5"},
        {"blanks around", true, IDC_TALL_DRY_FLOW, "  300  ", nullptr, "  300  "},
        {"unit after number", true, IDC_TALL_DRY_FLOW, "300m3",
         "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。", ""},
        {"dry flow 10000", true, IDC_TALL_DRY_FLOW, "10000",
         "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。", ""},
        {"kanji height", true, IDC_CASE_OUTLET_HEIGHT, "三十",
         "排出口の実高さに適切な値（15から400）を設定して下さい。", ""},
        {"half-width kana", false, IDC_CASE_BUILDING_HEIGHT, "ｱ",
         "最大周辺建物高さに適切な値（0から400）を設定して下さい。", ""},
        {"No. 1 of 9.9", true, IDC_NO1_STANDARD, "9.9",
         "臭気指数第１号基準に適切な値（10～21）を設定して下さい。", ""},
        {"No. 1 of 12.5 pasted", true, IDC_NO1_STANDARD, "12.5", nullptr, "12.5"},
        {"diameter 10", true, IDC_TALL_DIAMETER, "10", nullptr, "10"},
        {"moisture 100", true, IDC_TALL_MOISTURE, "100",
         "排出ガス水分量に適切な値（0以上、100未満）を設定して下さい。", ""},
        {"distance 10000", true, IDC_TALL_OUTLET_BOUNDARY, "10000", nullptr, "10000"},
        {"empty distance on D", true, IDC_TALL_BUILDING_BOUNDARY, "",
         "周辺最大建物と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。",
         ""},
        {"empty distance on C", false, IDC_TALL_BUILDING_BOUNDARY, "", nullptr, ""},
        {"100,000 characters", true, IDC_TALL_DRY_FLOW, longText.c_str(),
         "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。", ""},
        {"past what is read", false, IDC_TALL_DRY_FLOW, over254.c_str(),
         "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。", ""},
        {"temperature -15.1", true, IDC_TALL_TEMPERATURE, "-15.1",
         "排出ガス温度に適切な値（-15から999）を設定して下さい。", ""},
    };
    for (const FieldCase &c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.caseD ? "30" : "20", c.caseD ? "10" : "15");
        Fill(c.caseD ? kExampleD : Args{{"no1", "12"}, {"dry-flow", "300"}});
        Type(c.field, c.text);
        boxes.clear();
        const bool proceed = ValidateTallOutletInputs(Screen(), c.caseD ? ::CaseD : ::CaseC,
                                                      ValidationMode::Interactive);
        if (c.message == nullptr) {
            EXPECT_TRUE(proceed);
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(Text(c.field), c.accepted);
        } else {
            EXPECT_FALSE(proceed);
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.message);
            EXPECT_EQ(boxes[0].caption, kCaption);
            EXPECT_EQ(boxes[0].type, kRefusal);
            EXPECT_EQ(GetFocus(), Item(c.field));
        }
        EXPECT_FALSE(HasResult(gOutletResults.tall));
        Command(IDC_BACK_TO_MENU);
    }
}

struct QuestionCase {
    const char *outlet, *building;
    bool fromD;
    int answer;
    const char *question;
    ScreenId next;
};

TEST_F(TallOutletScreenTest, AsksForTheScreenTheHeightsBelongTo) {
    const char below15[] =
        "排出口の実高さに 15m 未満が設定されています。\n入力画面を切り替えますか？";
    const char atLeast[] =
        "排出口の実高さが周辺最大建物高さの 1.5 倍以上です。\n入力画面を切り替えますか？";
    const char below[] =
        "排出口の実高さが周辺最大建物高さの 1.5 倍未満です。\n入力画面を切り替えますか？";
    const QuestionCase cases[] = {
        {"10", "8", false, IDYES, below15, CaseB},
        {"5", "8", true, IDYES, below15, CaseA},
        {"15", "10", false, IDYES, atLeast, ::CaseD},
        {"15", "10.0001", true, IDYES, below, ::CaseC},
        {"15", "10", false, IDNO, atLeast, ::CaseC},
    };
    for (const QuestionCase &c : cases) {
        SCOPED_TRACE(std::string(c.outlet) + " / " + c.building);
        Open(c.fromD ? "30" : "20", c.fromD ? "10" : "15");
        Fill(c.fromD ? kExampleD : Args{{"no1", "12"}, {"dry-flow", "300"}});
        Type(IDC_CASE_OUTLET_HEIGHT, c.outlet);
        Type(IDC_CASE_BUILDING_HEIGHT, c.building);
        boxes.clear();
        answers = {c.answer};
        Click(IDC_CALCULATE);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.question);
        EXPECT_EQ(boxes[0].type, kQuestion);
        EXPECT_EQ(gShell.currentScreen, c.next);
        EXPECT_EQ(Text(IDC_CASE_OUTLET_HEIGHT), c.outlet);
        EXPECT_EQ(gOutletResults.tall.allowableOutletIndex, -1.0);
        if (c.answer == IDNO) {
            EXPECT_EQ(GetFocus(), Item(IDC_CASE_BUILDING_HEIGHT));
        }
        Command(IDC_BACK_TO_MENU);
    }
}

struct AlternativeCase {
    int click;
    std::vector<int> enabled, disabled;
};

TEST_F(TallOutletScreenTest, AlternativesEnableTheirFieldsOnly) {
    Open("30", "10");
    ASSERT_TRUE(CaseD());
    // After start-up no direction is chosen: no temperature.
    EXPECT_FALSE(Enabled(IDC_TALL_TEMPERATURE));
    EXPECT_FALSE(Enabled(IDC_D_LABEL_TEMPERATURE));
    const AlternativeCase cases[] = {
        {IDC_TALL_UPWARD, {IDC_TALL_TEMPERATURE, IDC_TALL_TEMPERATURE_UNIT}, {}},
        {IDC_TALL_DOWNWARD, {}, {IDC_TALL_TEMPERATURE, IDC_D_LABEL_TEMPERATURE}},
        {IDC_TALL_AREA_RADIO,
         {IDC_TALL_AREA, IDC_TALL_AREA_UNIT, IDC_TALL_AREA_UNIT_SQUARE},
         {IDC_TALL_DIAMETER, IDC_TALL_DIAMETER_UNIT}},
        {IDC_TALL_VELOCITY_RADIO,
         {IDC_TALL_VELOCITY, IDC_D_VELOCITY_UNIT, IDC_TALL_MOISTURE, IDC_TALL_AREA},
         {IDC_TALL_DRY_FLOW, IDC_TALL_WET_FLOW, IDC_TALL_DRY_UNIT_CUBE, IDC_TALL_WET_UNIT_MIN}},
        {IDC_TALL_WET_RADIO,
         {IDC_TALL_WET_FLOW, IDC_TALL_WET_UNIT_M, IDC_TALL_MOISTURE},
         {IDC_TALL_VELOCITY, IDC_TALL_DRY_FLOW}},
    };
    for (const AlternativeCase &c : cases) {
        Click(c.click);
        EXPECT_TRUE(Checked(c.click)) << c.click;
        for (int id : c.enabled)
            EXPECT_TRUE(Enabled(id)) << c.click << " should enable " << id;
        for (int id : c.disabled)
            EXPECT_FALSE(Enabled(id)) << c.click << " should disable " << id;
    }
    EXPECT_EQ(gOutletInputs.tall.gasTemperature, 15.0);
    // The area choice survives the way through the start menu.
    Command(IDC_BACK_TO_MENU);
    Command(IDC_NEXT);
    ASSERT_TRUE(CaseD());
    EXPECT_TRUE(Checked(IDC_TALL_AREA_RADIO));
    EXPECT_TRUE(Enabled(IDC_TALL_AREA));
    EXPECT_FALSE(Enabled(IDC_TALL_DIAMETER));
}

// A shown result goes with any edit, and on case C with any click of a flow radio.
TEST_F(TallOutletScreenTest, WithdrawsAResultWhenAnInputChanges) {
    struct Change {
        bool caseD;
        int control;
        const char *text; // typed, or nullptr for a click
        bool withdraws;
    };
    const Change changes[] = {
        {true, IDC_TALL_DRY_FLOW, "300", false},       {true, IDC_TALL_DRY_FLOW, "301", true},
        {true, IDC_TALL_DRY_RADIO, nullptr, false},    {true, IDC_TALL_WET_RADIO, nullptr, true},
        {false, IDC_TALL_DRY_RADIO, nullptr, true},    {false, IDC_TALL_OUTLET_BOUNDARY, "", false},
        {false, IDC_TALL_OUTLET_BOUNDARY, "-1", true},
    };
    for (const Change &c : changes) {
        SCOPED_TRACE(c.control);
        Open(c.caseD ? "30" : "20", c.caseD ? "10" : "15");
        Fill(c.caseD ? kExampleD : Args{{"no1", "12"}, {"dry-flow", "300"}});
        Click(IDC_CALCULATE);
        ASSERT_TRUE(HasResult(gOutletResults.tall));
        if (c.text != nullptr)
            Type(c.control, c.text);
        else
            Click(c.control);
        EXPECT_EQ(HasResult(gOutletResults.tall), !c.withdraws);
        EXPECT_EQ(Text(IDC_OUTLET_INDEX).empty(), c.withdraws);
        EXPECT_EQ(Enabled(IDC_PRINT), !c.withdraws);
        if (c.withdraws) {
            EXPECT_EQ(Text(IDC_HEIGHT_AXIS), "m");
            EXPECT_EQ(Text(IDC_DISTANCE_AXIS), "風下距離  ");
        }
        Command(IDC_BACK_TO_MENU);
        // Reopening shows no result, whatever was shown before.
        Command(IDC_NEXT);
        EXPECT_EQ(Text(IDC_OUTLET_INDEX), "");
        EXPECT_FALSE(Enabled(IDC_PRINT));
        EXPECT_FALSE(Enabled(IDC_MAP_ADJUST));
        Command(IDC_BACK_TO_MENU);
    }
}

TEST_F(TallOutletScreenTest, ReadsThePointUnderThePointer) {
    Open("30", "10");
    Fill(kExampleD);
    Click(IDC_CALCULATE);
    ASSERT_TRUE(HasResult(gOutletResults.tall));
    RECT map;
    GetWindowRect(Item(IDC_MAP), &map);
    const MapSettings &s = gMapSettings;
    const std::string range = std::to_string(s.downwindRange);
    const std::string height = std::to_string(s.displayHeight);
    struct Point {
        int x, y;
        const char *distance;
        std::string heightText;
    } points[] = {
        {map.left, map.bottom - 13, "    1", "1"},
        {map.left + 399, map.bottom - 211, "", height},
        {map.left - 1, map.bottom - 13, "", ""}, // left of the map
        {map.left, map.bottom - 11, "", ""},     // in the strip
    };
    char top[8];
    std::snprintf(top, sizeof top, "%5d", s.downwindRange);
    points[1].distance = top;
    for (const Point &p : points) {
        CursorReadoutAt(Screen(), POINT{p.x, p.y});
        EXPECT_EQ(Text(IDC_READOUT_DISTANCE), p.distance) << p.x << "," << p.y;
        EXPECT_EQ(Text(IDC_READOUT_HEIGHT), p.heightText);
    }
    // High above the plume there is none.
    CursorReadoutAt(Screen(), POINT{map.left + 1, map.bottom - 211});
    EXPECT_EQ(Text(IDC_READOUT_DILUTION), "∞");
    const std::string lastDistance = Text(IDC_READOUT_DISTANCE);
    Type(IDC_TALL_MOISTURE, "11");
    CursorReadoutAt(Screen(), POINT{map.left + 200, map.bottom - 100});
    EXPECT_EQ(Text(IDC_READOUT_DISTANCE), lastDistance) << "no readout without a result";
}

namespace {
int gBitmapsMade, gBitmapsDeleted, gDcsOpened, gDcsClosed;
MapGdi gRealGdi;
HDC CountOpen() {
    ++gDcsOpened;
    return gRealGdi.openDisplay();
}
BOOL CountClose(HDC dc) {
    ++gDcsClosed;
    return gRealGdi.closeDisplay(dc);
}
HBITMAP CountCreate(HDC dc, const BITMAPINFOHEADER *h, const void *p, const BITMAPINFO *i) {
    HBITMAP b = gRealGdi.createBitmap(dc, h, p, i);
    gBitmapsMade += b != nullptr;
    return b;
}
BOOL CountDelete(HBITMAP b) {
    ++gBitmapsDeleted;
    return gRealGdi.deleteBitmap(b);
}
} // namespace

TEST_F(TallOutletScreenTest, KeepsOneScreenBitmapOverAThousandMapShows) {
    Open("30", "10");
    gRealGdi = gMapGdi;
    gMapGdi = {CountOpen, CountClose, CountCreate, CountDelete};
    gBitmapsMade = gBitmapsDeleted = gDcsOpened = gDcsClosed = 0;
    ASSERT_NE(ScreenBitmap(), nullptr) << "the opening shows the empty map";
    for (int i = 0; i < 1000; ++i) {
        ShowMapImage(Screen(), IDC_MAP, kMapWidth, kMapImageRows, gMapImage);
        // The one made at the opening plus those made here, less those deleted.
        ASSERT_EQ(1 + gBitmapsMade - gBitmapsDeleted, 1) << "after show " << i;
    }
    EXPECT_EQ(gBitmapsMade, 1000);
    EXPECT_EQ(gDcsOpened, 1000);
    EXPECT_EQ(gDcsClosed, gDcsOpened);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(Item(IDC_MAP), STM_GETIMAGE, IMAGE_BITMAP, 0)),
              ScreenBitmap());
    RestoreMapGdi();
}

TEST_F(TallOutletScreenTest, ResetEmptiesEveryFieldAndTheSharedHeights) {
    Open("30", "10");
    Fill(kExampleD);
    Click(IDC_CALCULATE);
    Click(IDC_RESET);
    for (int id :
         {IDC_CASE_OUTLET_HEIGHT, IDC_CASE_BUILDING_HEIGHT, IDC_NO1_STANDARD, IDC_TALL_DIAMETER,
          IDC_TALL_TEMPERATURE, IDC_TALL_DRY_FLOW, IDC_TALL_MOISTURE, IDC_TALL_OUTLET_BOUNDARY,
          IDC_TALL_BUILDING_BOUNDARY, IDC_OUTLET_INDEX, IDC_LANDING_DISTANCE})
        EXPECT_EQ(Text(id), "") << id;
    EXPECT_FALSE(Checked(IDC_TALL_UPWARD));
    EXPECT_FALSE(Enabled(IDC_PRINT));
    EXPECT_STREQ(gOutletInputs.outletHeightText, "");
    // Silent return keeps valid entries and drops the invalid one.
    Fill(kExampleD);
    Type(IDC_TALL_MOISTURE, "100");
    Command(IDC_BACK_TO_MENU);
    EXPECT_TRUE(boxes.empty());
    EXPECT_STREQ(gOutletInputs.dryFlowText, "300");
    EXPECT_STREQ(gOutletInputs.moistureText, "");
}
