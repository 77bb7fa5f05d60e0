// The Japanese result lines of kamorte-calc for an outlet of each case, and the width rule
// that aligns them.
#include "calc/calc_request.h"
#include "calc/compliance.h"
#include "calc/outcome_report.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Report(OutletOptions options, bool superscript) {
    OutletInputs in{};
    OutletCase screen;
    EXPECT_EQ(PrepareOutlet(options, in, &screen).status, kComputed);
    OutletResults results;
    Outcome outcome = ComputeResults(in, screen, nullptr, results);
    EXPECT_EQ(JudgeMeasuredIndex(options, StandardOf(screen, results), outcome).status, kComputed);
    return OutcomeReport(outcome, superscript, Cp932ToUtf8);
}

} // namespace

TEST(OutcomeReport, LinesOfEachCase) {
    OutletOptions judgedD = ExampleOutlet();
    judgedD["measured-index"] = "45";
    struct Row {
        const char *what;
        OutletOptions outlet;
        const char *lines; // code page 932, as typed
    } const rows[] = {
        {"A",
         {{"height", "5"}, {"no1", "12"}, {"size", "small"}, {"measured-index", "28.5"}},
         "ケース                      Ａ．排出口高さが 6.7m 未満の場合\n"
         "２号基準：臭気指数          28（ ＝ １号基準(12) ＋ 希釈度(16) ）\n"
         "排出口の臭気指数（測定値）  28.5\n"
         "判定                        不適合（超過 0.5）\n"},
        {"B",
         {{"height", "10"}, {"building", "8"}, {"no1", "15"}, {"size", "medium"}},
         "ケース              Ｂ．排出口高さが 6.7m 以上 15m 未満の場合\n"
         "２号基準：臭気指数  28（ ＝ １号基準(15) ＋ 希釈度(13) ）\n"},
        {"C",
         {{"height", "20"},
          {"building", "15"},
          {"no1", "12"},
          {"dry-flow", "100"},
          {"measured-index", "29.8"}},
         "ケース                                    "
         "Ｃ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍未満の場合\n"
         "２号基準：臭気排出強度（ＫＶＴ）          9.8×10^4 m3N/min\n"
         "排出口における許容臭気指数                30（＝1号基準（12）＋希釈度（18））\n"
         "標準状態における排出ガス流量（乾き）      100.0 m3N/min\n"
         "最大着地濃度地点　：風下距離              1 m\n"
         "最大着地濃度地点　：希釈度                18\n"
         "周辺建物による拡散影響（ダウンドラフト）  強\n"
         "有効発生源高さ（ダウンドラフトを含む）    0.00 m\n"
         "排出口の臭気指数（測定値）                29.8\n"
         "臭気排出強度（測定値から）                9.5×10^4 m3N/min\n"
         "判定                                      適合（余裕 0.1）\n"},
        {"D", judgedD,
         "ケース                                    "
         "Ｄ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍以上の場合\n"
         "２号基準：臭気排出強度（ＫＶＴ）          9.1×10^6 m3N/min\n"
         "排出口における許容臭気指数                45（＝1号基準（12）＋希釈度（33））\n"
         "標準状態における排出ガス流量（乾き）      300.0 m3N/min\n"
         "敷地境界　：風下距離                      50 m\n"
         "最大着地濃度地点　：風下距離              649 m\n"
         "最大着地濃度地点　：希釈度                33\n"
         "周辺建物による拡散影響（ダウンドラフト）  無\n"
         "有効発生源高さ（ダウンドラフトを含む）    92.13 m\n"
         "排出口の臭気指数（測定値）                45\n"
         "臭気排出強度（測定値から）                9.5×10^6 m3N/min\n"
         "判定                                      不適合（超過 0.2）\n"},
    };
    for (const Row &row : rows) {
        const std::string plain = Report(row.outlet, false);
        EXPECT_EQ(plain, Cp932ToUtf8(row.lines)) << row.what;
        // Where the terminal shows ³ only the unit changes.
        std::string raised = plain;
        for (size_t at; (at = raised.find("m3N/min")) != std::string::npos;)
            raised.replace(at, 7, "m\xC2\xB3N/min");
        EXPECT_EQ(Report(row.outlet, true), raised) << row.what;
    }
}

TEST(OutcomeReport, DoubleByteCharactersTakeTwoCells) {
    struct Row {
        const char *text;
        int width;
    } const rows[] = {
        {"", 0}, {"m3N/min", 7}, {"ケース", 6}, {"6.7m 未満", 9}, {"ｶﾅ", 2}, {"9.1×10", 7},
    };
    for (const Row &row : rows)
        EXPECT_EQ(DisplayWidth(row.text), row.width) << row.text;
}
