// The verdict rows of the case screens: the same words as kamorte-calc for every golden
// outlet around its limit, and how the measured index lives with the screen's record.
#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "calc/compliance.h"
#include "calc/outcome_report.h"
#include "model/quantise.h"
#include "resources/resource.h"
#include "app/field_controls.h"
#include "tests/portable/golden_outlets.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

using Options = std::map<std::string, std::string>;

Options OptionsOf(const GoldenOutlet &g) {
    Options options;
    for (size_t i = 0; i + 1 < g.args.size(); i += 2)
        options[g.args[i].substr(2)] = g.args[i + 1];
    return options;
}

// kamorte-calc's report of the outlet with the measured index: its lines by heading.
std::map<std::string, std::string> CalcLines(Options options, const std::string &measured) {
    options["measured-index"] = measured;
    OutletInputs in{};
    OutletCase outletCase;
    EXPECT_EQ(PrepareOutlet(options, in, &outletCase).status, kComputed);
    ComputeStatus status;
    OutletResults results;
    Outcome outcome = ComputeResults(in, outletCase, nullptr, results, &status);
    EXPECT_EQ(JudgeMeasuredIndex(options, StandardOf(outletCase, results), outcome).status,
              kComputed);
    const std::string report =
        OutcomeReport(outcome, false, [](const std::string &s) { return s; });
    std::map<std::string, std::string> lines;
    for (size_t at = 0, end; (end = report.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = report.substr(at, end - at);
        const size_t gap = line.find("  ");
        if (gap == std::string::npos)
            lines["reduction"] = line; // the one line without a heading column
        else
            lines[line.substr(0, gap)] = line.substr(line.find_first_not_of(' ', gap));
    }
    return lines;
}

// Whether the control's text, broken into lines as the control breaks it, fits its height.
bool WrappedTextFits(HWND control) {
    char text[512] = "";
    GetWindowTextA(control, text, sizeof text);
    RECT client, needed;
    GetClientRect(control, &client);
    needed = client;
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return needed.bottom <= client.bottom && needed.right <= client.right;
}

std::string Number(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", v);
    return text;
}

} // namespace

class VerdictRowsTest : public ShellTest {
  protected:
    // 適合する高さを調べる, and the answer once the worker has given it.
    static std::string Search() {
        Command(IDC_SOLVE_HEIGHT);
        for (int i = 0; i < 600 && Text(IDC_SOLVED_HEIGHT).empty(); ++i) {
            Sleep(50);
            Pump();
        }
        EXPECT_TRUE(WrappedTextFits(Item(IDC_SOLVED_HEIGHT))) << Text(IDC_SOLVED_HEIGHT);
        return Text(IDC_SOLVED_HEIGHT);
    }
    static void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        Pump();
    }

    // From the start menu to the outlet's screen, emptied of what an earlier outlet left,
    // its fields and choices given, computed.
    static void OpenAndCompute(const Options &o) {
        Type(IDC_OUTLET_HEIGHT, o.at("height").c_str());
        Type(IDC_BUILDING_HEIGHT, o.count("building") ? o.at("building").c_str() : "");
        Command(IDC_NEXT);
        Command(IDC_RESET);
        const ScreenId screen = gShell.currentScreen;
        static const std::map<std::string, int> kChoices = {
            {"size=small", IDC_LOW_SIZE_SMALL},    {"size=medium", IDC_LOW_SIZE_MEDIUM},
            {"size=large", IDC_LOW_SIZE_LARGE},    {"direction=up", IDC_TALL_UPWARD},
            {"direction=down", IDC_TALL_DOWNWARD}, {"dry-flow", IDC_TALL_DRY_RADIO},
            {"wet-flow", IDC_TALL_WET_RADIO},      {"velocity", IDC_TALL_VELOCITY_RADIO},
            {"diameter", IDC_TALL_DIAMETER_RADIO}, {"area", IDC_TALL_AREA_RADIO}};
        for (const auto &option : o) {
            for (const std::string &key : {option.first, option.first + "=" + option.second})
                if (kChoices.count(key))
                    Click(kChoices.at(key));
            for (const FieldRow &row : FieldTable())
                if (option.first == row.option && ControlOf(row.field, screen) != 0)
                    Type(ControlOf(row.field, screen), option.second.c_str());
        }
        Command(IDC_CALCULATE);
    }
};

TEST_F(VerdictRowsTest, EveryGoldenOutletAroundItsLimitReadsAsKamorteCalc) {
    const std::vector<GoldenOutlet> outlets = LoadGolden();
    ASSERT_EQ(outlets.size(), 8u);
    for (const GoldenOutlet &g : outlets) {
        SCOPED_TRACE(g.what);
        const Options options = OptionsOf(g);
        OpenAndCompute(options);
        // The index stops typing where the screen's other fields do.
        EXPECT_EQ(SendMessageA(Item(IDC_MEASURED_INDEX), EM_GETLIMITTEXT, 0, 0), 63);
        const bool low = gShell.currentScreen == CaseA || gShell.currentScreen == CaseB;
        // The limit in index units: the shown whole standard, or the index whose emission
        // rate is the allowable rate.
        const double limit = low ? RoundShown(gOutletResults.low.no2Index)
                                 : 10 * std::log10(gOutletResults.tall.allowableEmissionRate /
                                                   gOutletResults.tall.dryFlow);
        std::vector<std::string> measured;
        for (double offset : {-1.0, 0.0, 0.05, 1.0})
            measured.push_back(Number(limit + offset));
        if (gShell.currentScreen == CaseA)
            measured.push_back("27.89"); // below the raw standard 27.89…, shown as 28
        for (const std::string &m : measured) {
            SCOPED_TRACE("measured " + m);
            Type(IDC_MEASURED_INDEX, m.c_str());
            std::map<std::string, std::string> calc = CalcLines(options, m);
            EXPECT_EQ(Text(IDC_VERDICT), calc["判定"]);
            EXPECT_EQ(Text(IDC_REDUCTION), calc["reduction"]);
            const std::string rate = calc["臭気排出強度（測定値から）"];
            const std::string shownRate =
                Text(IDC_MEASURED_RATE) + "^" + Text(IDC_MEASURED_RATE_EXPONENT) + " m3N/min";
            EXPECT_EQ(low ? "" : shownRate, rate);
            EXPECT_EQ(IsWindowEnabled(Item(IDC_SOLVE_HEIGHT)) != FALSE,
                      calc["判定"].compare(0, 6, "不適合") == 0);
        }
        Command(IDC_BACK_TO_MENU);
    }
}

TEST_F(VerdictRowsTest, TheIndexIsKeptJudgedAtOnceRefusedOnCalculateAndEmptiedByReset) {
    OpenAndCompute({{"height", "5"}, {"no1", "12"}, {"size", "small"}});
    Type(IDC_MEASURED_INDEX, "３０"); // full-width digits, as the other fields take them
    EXPECT_EQ(Text(IDC_VERDICT), "不適合（超過 2.0）");
    EXPECT_EQ(Text(IDC_REDUCTION), "必要な低減率 37 %");
    // Not a value: no verdict and no message until 計算する, which refuses it after the
    // screen's own fields and keeps the standard from being computed.
    Type(IDC_MEASURED_INDEX, "30x");
    EXPECT_EQ(Text(IDC_VERDICT), "");
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_SOLVE_HEIGHT)));
    EXPECT_TRUE(boxes.empty());
    Command(IDC_CALCULATE);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "排出口の臭気指数（測定値）に適切な値（0～100）を設定して下さい。");
    EXPECT_EQ(Text(IDC_LOW_NO2), "");
    // Another field edited withdraws the verdict with the result; the index stays.
    Type(IDC_MEASURED_INDEX, "27.5");
    Command(IDC_CALCULATE);
    EXPECT_EQ(Text(IDC_VERDICT), "適合（余裕 0.5）");
    Type(IDC_NO1_STANDARD, "13");
    EXPECT_EQ(Text(IDC_VERDICT), "");
    // Across screens with the record, and emptied by リセット.
    Command(IDC_BACK_TO_MENU);
    Type(IDC_OUTLET_HEIGHT, "30");
    Type(IDC_BUILDING_HEIGHT, "10");
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseD);
    EXPECT_EQ(Text(IDC_MEASURED_INDEX), "27.5");
    Command(IDC_RESET);
    EXPECT_EQ(Text(IDC_MEASURED_INDEX), "");
    EXPECT_STREQ(gOutletInputs.measuredIndexText, "");
}

// A click handled, and nothing else: no message of the search's worker gets in before the next.
static void Press(int id) {
    SendMessageA(ShellTest::Screen(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ShellTest::Item(id)));
}

TEST_F(VerdictRowsTest, TheSearchAnswersInTheBackgroundAndAnEditCancelsIt) {
    Options example;
    for (const auto &option : ExampleOutlet())
        example[option.first] = option.second;
    OpenAndCompute(example);
    Type(IDC_MEASURED_INDEX, "48");
    ASSERT_EQ(Text(IDC_VERDICT), "不適合（超過 3.2）");
    // Pressed, and pressed again before the worker's answer is handled, however fast it is.
    Press(IDC_SOLVE_HEIGHT);
    EXPECT_EQ(Text(IDC_SOLVE_HEIGHT), "中止");
    Command(IDC_SOLVE_HEIGHT); // a second press cancels
    EXPECT_EQ(Text(IDC_SOLVE_HEIGHT), "適合する高さを調べる");
    EXPECT_EQ(Search(),
              "排出口の実高さ 75.5 m で適合します（30 m から 0.1 m ごとに調べた最も低い高さ）。");
    EXPECT_EQ(Text(IDC_SOLVE_HEIGHT), "適合する高さを調べる");
    // Started again and cancelled by an edit of the index: no answer, the label back.
    Press(IDC_SOLVE_HEIGHT);
    Type(IDC_MEASURED_INDEX, "49");
    EXPECT_EQ(Text(IDC_SOLVE_HEIGHT), "適合する高さを調べる");
    Sleep(200);
    Pump();
    EXPECT_EQ(Text(IDC_SOLVED_HEIGHT), "");
    // Where the scan reaches a case whose inputs the screen lacks: from case C at 30 m, case
    // D; from case B at 15 m, case D with every tall input.
    struct Row {
        Options outlet;
        const char *measured;
        const char *answer;
    } const rows[] = {
        {{{"height", "25"},
          {"building", "20"},
          {"no1", "12"},
          {"dry-flow", "200"},
          {"outlet-boundary", "15"},
          {"building-boundary", "10"}},
         "33",
         "ケースＤの入力（排出口の口径、排出口の向き、排出ガス温度、排出ガス水分量）が必要です。"},
        {{{"height", "14"}, {"building", "8"}, {"no1", "21"}, {"size", "medium"}},
         "60",
         "ケースＤの入力（排出口の口径、排出口の向き、排出ガス温度、排出ガス流量（乾き）、"
         "排出ガス水分量、排出口と敷地境界との最短距離、周辺最大建物と敷地境界との最短距離）"
         "が必要です。"},
    };
    for (const Row &row : rows) {
        Command(IDC_BACK_TO_MENU);
        OpenAndCompute(row.outlet);
        Type(IDC_MEASURED_INDEX, row.measured);
        EXPECT_EQ(Search(), row.answer);
    }
}
