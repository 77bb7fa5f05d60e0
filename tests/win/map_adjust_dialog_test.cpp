#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "app/shown_map.h"
#include "map/map_raster.h"
#include "map/win/map_adjust_dialog.h"
#include "model/map_settings.h"
#include "resources/resource.h"

#include <string>
#include <utility>
#include <vector>

namespace {

const char kRangeMessage[] = "風下距離に適切な値（10から10000）を設定して下さい。";
const char kHeightMessage[] = "表示の高さに適切な値（5から800）を設定して下さい。";
const char kRedMessage[] = "赤に配色される希釈度に適切な値（白に配色される希釈度より小さい正の数）"
                           "を\n設定して下さい。";
const char kWhiteMessage[] = "白に配色される希釈度に適切な値（赤に配色される希釈度より大きく、300"
                             "以下の数）を\n設定して下さい。";

constexpr int kRange = IDC_MAP_DOWNWIND_RANGE;
constexpr int kHeight = IDC_MAP_DISPLAY_HEIGHT;
constexpr int kRed = IDC_MAP_RED_LIMIT;
constexpr int kWhite = IDC_MAP_WHITE_LIMIT;
constexpr int kCloseBox = -1; // WM_CLOSE rather than a command
constexpr int kStaysOpen = 0;

} // namespace

class MapAdjustDialogTest : public ShellTest {
  protected:
    // The example outlet of case D computed: limits 30 and 80, 1000 m by 100 m.
    static void ComputeExample() {
        Type(IDC_OUTLET_HEIGHT, "30");
        Type(IDC_BUILDING_HEIGHT, "10");
        Command(IDC_NEXT);
        ASSERT_EQ(gShell.currentScreen, CaseD);
        for (int radio : {IDC_TALL_DIAMETER_RADIO, IDC_TALL_UPWARD, IDC_TALL_DRY_RADIO}) {
            SendMessageA(Item(radio), BM_CLICK, 0, 0);
            Pump();
        }
        const std::pair<int, const char *> fields[] = {
            {IDC_NO1_STANDARD, "12"},          {IDC_TALL_DIAMETER, "1"},
            {IDC_TALL_TEMPERATURE, "80"},      {IDC_TALL_DRY_FLOW, "300"},
            {IDC_TALL_MOISTURE, "10"},         {IDC_TALL_OUTLET_BOUNDARY, "50"},
            {IDC_TALL_BUILDING_BOUNDARY, "20"}};
        for (const auto &f : fields)
            Type(f.first, f.second);
        Command(IDC_CALCULATE);
        ASSERT_TRUE(HasResult(gOutletResults.tall));
    }
    static HWND Dialog() { return gShell.mapAdjustWindow; }
    static std::string DialogText(int id) { return Text(GetDlgItem(Dialog(), id)); }
    static void TypeInDialog(int id, const char *text) {
        SetWindowTextA(GetDlgItem(Dialog(), id), text);
        Pump();
    }
    static void End(int how) {
        if (how == kCloseBox)
            SendMessageA(Dialog(), WM_CLOSE, 0, 0);
        else
            SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(how, BN_CLICKED), 0);
        Pump();
    }
};

struct EdgeRow {
    const char *what;
    std::vector<std::pair<int, const char *>> typed; // in order
    int end;                                         // IDOK, IDCANCEL, kCloseBox or kStaysOpen
    std::vector<const char *> messages;              // said, in order
    int focus;                                       // the field focused after a message
    MapSettings after;
    bool redrawn;             // the map image differs from the calculation's
    const char *distanceAxis; // the screen's label once all is done
};

// What the user sees for each edge of the four fields: what is stored, what is said and
// where the focus goes, the map and the screen's labels.
TEST_F(MapAdjustDialogTest, HoldsItsEdgeCases) {
    ComputeExample();
    const MapSettings computed = gMapSettings;
    ASSERT_EQ(computed.downwindRange, 1000);
    ASSERT_EQ(computed.displayHeight, 100);
    ASSERT_EQ(computed.redLimit, 30.0);
    ASSERT_EQ(computed.whiteLimit, 80.0);
    const std::vector<unsigned char> computedImage = gMapImage;
    const EdgeRow rows[] = {
        {"one digit", {{kRange, "1"}}, kStaysOpen, {}, 0, computed, false, "風下距離 1000m"},
        {"then a second",
         {{kRange, "1"}, {kRange, "10"}},
         kStaysOpen,
         {},
         0,
         {10, 30, 80, 100},
         true,
         "風下距離   10m"},
        {"height 800",
         {{kHeight, "800"}},
         IDOK,
         {},
         0,
         {1000, 30, 80, 800},
         true,
         "風下距離 1000m"},
        {"height 801",
         {{kHeight, "801"}},
         IDOK,
         {kHeightMessage},
         kHeight,
         computed,
         false,
         "風下距離 1000m"},
        {"a word after the number",
         {{kWhite, "50 x"}},
         IDOK,
         {kWhiteMessage},
         kWhite,
         computed,
         false,
         "風下距離 1000m"},
        {"blanks after the number",
         {{kWhite, "50   "}},
         IDOK,
         {},
         0,
         {1000, 30, 50, 100},
         true,
         "風下距離 1000m"},
        {"full-width digits",
         {{kRed, "４０"}, {kRange, "２０００"}},
         IDOK,
         {},
         0,
         {2000, 40, 80, 100},
         true,
         "風下距離 2000m"},
        {"a kanji while typing",
         {{kRed, "四十"}},
         kStaysOpen,
         {kRedMessage},
         kRed,
         computed,
         false,
         "風下距離 1000m"},
        {"a kanji in the range",
         {{kRange, "千"}},
         kStaysOpen,
         {kRangeMessage},
         kRange,
         computed,
         false,
         "風下距離 1000m"},
        {"an inverted pair, then OK",
         {{kRed, "90"}},
         IDOK,
         {kWhiteMessage},
         kWhite,
         {1000, 90, 80, 100},
         true,
         "風下距離 1000m"},
        {"close box after an invalid text",
         {{kRange, "2000"}, {kRange, "2000m"}, {kHeight, ""}},
         kCloseBox,
         {},
         0,
         {2000, 30, 80, 100},
         true,
         "風下距離 2000m"},
        {"Esc keeps what was typed",
         {{kWhite, "120"}},
         IDCANCEL,
         {},
         0,
         {1000, 30, 120, 100},
         true,
         "風下距離 1000m"},
    };
    for (const EdgeRow &r : rows) {
        SCOPED_TRACE(r.what);
        gMapSettings = computed;
        RedrawMap();
        Command(IDC_MAP_ADJUST);
        ASSERT_NE(Dialog(), nullptr);
        EXPECT_FALSE(IsWindowEnabled(Screen()));
        boxes.clear();
        for (const auto &t : r.typed)
            TypeInDialog(t.first, t.second);
        if (r.end != kStaysOpen)
            End(r.end);
        ASSERT_EQ(boxes.size(), r.messages.size());
        for (size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(boxes[i].text, r.messages[i]);
            EXPECT_EQ(boxes[i].caption, "パラメータエラー");
            EXPECT_EQ(boxes[i].type, static_cast<UINT>(MB_OK | MB_TASKMODAL));
            EXPECT_EQ(boxes[i].owner, Dialog());
        }
        if (r.focus != 0) {
            ASSERT_NE(Dialog(), nullptr) << "a fault keeps the dialog open";
            EXPECT_EQ(GetFocus(), GetDlgItem(Dialog(), r.focus));
        }
        EXPECT_EQ(gMapSettings.downwindRange, r.after.downwindRange);
        EXPECT_EQ(gMapSettings.displayHeight, r.after.displayHeight);
        EXPECT_EQ(gMapSettings.redLimit, r.after.redLimit);
        EXPECT_EQ(gMapSettings.whiteLimit, r.after.whiteLimit);
        EXPECT_EQ(gMapImage != computedImage, r.redrawn);
        EXPECT_EQ(Text(IDC_DISTANCE_AXIS), r.distanceAxis);
        const bool ended = r.end != kStaysOpen && r.messages.empty();
        EXPECT_EQ(Dialog() == nullptr, ended);
        EXPECT_EQ(IsWindowEnabled(Screen()) != FALSE, ended);
        if (Dialog() != nullptr)
            End(kCloseBox);
        EXPECT_EQ(Dialog(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(Screen()));
    }
}

// One dialog at a time, filled from the settings; the labels and the result stay in step.
TEST_F(MapAdjustDialogTest, OpensOnceFromTheSettingsAndGivesTheScreenBack) {
    ComputeExample();
    Command(IDC_MAP_ADJUST);
    HWND first = Dialog();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Text(first), "希釈度マップの調整");
    EXPECT_EQ(GetWindow(first, GW_OWNER), Screen());
    Command(IDC_MAP_ADJUST);
    EXPECT_EQ(Dialog(), first);
    int dialogs = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM count) -> BOOL {
            *reinterpret_cast<int *>(count) += ShellTest::Text(w) == "希釈度マップの調整";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    EXPECT_EQ(dialogs, 1);
    const std::pair<int, const char *> shown[] = {
        {kRange, "1000"}, {kHeight, "100"}, {kRed, "30"}, {kWhite, "80"}};
    for (const auto &s : shown)
        EXPECT_EQ(DialogText(s.first), s.second) << s.first;

    TypeInDialog(kRange, "2000");
    TypeInDialog(kHeight, "200");
    TypeInDialog(kRed, "20");
    TypeInDialog(kWhite, "71");
    // The map follows the typing; the result beside it stays.
    EXPECT_EQ(Text(IDC_DISTANCE_AXIS), "風下距離 2000m");
    EXPECT_EQ(Text(IDC_HEIGHT_AXIS), " 200m");
    EXPECT_EQ(Text(IDC_OUTLET_INDEX), "45        （＝1号基準（12）＋希釈度（33））");
    EXPECT_EQ(Text(IDC_D_COLOUR_MIDDLE), "") << "20 + 71 is odd";
    End(IDOK);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(Screen()));
    EXPECT_EQ(Text(IDC_D_COLOUR_TOP), "  71");
    EXPECT_EQ(Text(IDC_D_COLOUR_BOTTOM), "  20");

    // Opened again, it shows what was kept.
    Command(IDC_MAP_ADJUST);
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(DialogText(kRange), "2000");
    EXPECT_EQ(DialogText(kWhite), "71");
    End(IDCANCEL);
    // A new calculation brings the settings of its result.
    Type(IDC_TALL_MOISTURE, "11");
    Command(IDC_CALCULATE);
    EXPECT_EQ(gMapSettings.downwindRange, 1000);
}
