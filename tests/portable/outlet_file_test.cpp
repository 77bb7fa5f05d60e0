// An outlet kept in a file: saved, opened again, and run through the batch.
#include "calc/calc_output.h"
#include "calc/batch_layout.h"
#include "calc/csv_text.h"
#include "calc/outlet_file.h"
#include "tests/portable/golden_outlets.h"
#include "tests/portable/test_support.h"
#include "text/text_helpers.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every result with its full precision.
std::string Described(const Outcome &outcome) {
    return OutcomeJson(outcome, [](const std::string &text) { return text; });
}

// The result columns of a batch run of the file's one row.
std::vector<std::string> BatchResult(const std::string &file) {
    std::istringstream in(file);
    std::ostringstream out;
    SmellParams params;
    SetDefaultSmellParams(params);
    BatchSettings settings;
    settings.params = &params;
    settings.outputEncoding = OutputEncoding::Cp932;
    const BatchSummary summary = RunBatch(in, out, settings);
    EXPECT_EQ(summary.rowsComputed, 1u) << summary.firstError << summary.problem;
    // The input columns differ by heading; the results stand after them.
    std::istringstream result(out.str());
    CsvReader reader(result);
    std::vector<std::string> cells;
    uint64_t line = 0;
    reader.Next(&cells, &line);
    reader.Next(&cells, &line);
    cells.erase(cells.begin(), cells.end() - static_cast<long>(ResultHeadings().size()));
    return cells;
}

} // namespace

TEST(OutletFile, EveryGoldenOutletSavedAndOpenedAgainIsTheSame) {
    SmellParams params;
    SetDefaultSmellParams(params);
    for (const GoldenOutlet &g : LoadGolden()) {
        SCOPED_TRACE(g.what);
        OutletOptions options;
        std::string optionHeader, optionRow;
        for (size_t i = 0; i + 1 < g.args.size(); i += 2) {
            options[g.args[i].substr(2)] = g.args[i + 1];
            optionHeader += (i ? "," : "") + g.args[i].substr(2);
            optionRow += (i ? "," : "") + g.args[i + 1];
        }
        options["measured-index"] = "40.5";
        OutletInputs in{};
        OutletCase c = CaseUndecided;
        ASSERT_EQ(PrepareOutlet(options, in, &c).status, kComputed);
        ClearMeasuredIndex(in);
        in.measuredIndex = 40.5;
        CopyText(in.measuredIndexText, kTextSize, "40.5");
        PrintInfo info{};
        CopyText(info.facilityName, kPrintInfoSize, "北川食品, 第一工場");
        CopyText(info.authorName, kPrintInfoSize, "-山田");

        const OutletTexts texts = TextsOfOutlet(in, c, info);
        const std::string file = OutletFileText(texts);
        OutletSheet sheet;
        std::string problem;
        ASSERT_TRUE(ReadOutletSheet(file, {}, &sheet, &problem)) << problem;
        ASSERT_EQ(sheet.rows.size(), 1u);
        OutletInputs opened{};
        PrintInfo openedInfo{};
        const OpenedOutlet o = OpenSheetRow(sheet, sheet.rows[0], opened, openedInfo);
        EXPECT_EQ(o.outletCase, c);
        EXPECT_EQ(o.message, "");
        EXPECT_EQ(TextsOfOutlet(opened, o.outletCase, openedInfo), texts);
        EXPECT_STREQ(openedInfo.facilityName, "北川食品, 第一工場");
        EXPECT_STREQ(openedInfo.authorName, "-山田");

        OutletResults saved, reopened;
        EXPECT_EQ(Described(ComputeResults(opened, o.outletCase, &params, reopened)),
                  Described(ComputeResults(in, c, &params, saved)));
        // The batch reads the file as it reads the same outlet under the option names.
        EXPECT_EQ(BatchResult(file),
                  BatchResult(optionHeader + ",measured-index\r\n" + optionRow + ",40.5\r\n"));
    }
}

TEST(OutletFile, FilesThatCannotBeUsedSayWhy) {
    const struct {
        std::string content;
        const char *problem;
    } files[] = {
        {"", "１行目に列名がありません。"},
        {"施設名,備考\r\nA,B\r\n", "排出口のデータの列（排出口の実高さなど）がありません。"},
        {"排出口の実高さ\r\n\r\n", "排出口の行がありません。"},
        {"排出口の実高さ,１号基準\r\n\"10,12\r\n", "2 行目の引用符（\"）が閉じられていません。"},
        {"排出口の実高さ\r\n" + Repeated("5\r\n", 10001),
         "行が多すぎます（排出口 10000 行まで）。"},
    };
    for (const auto &f : files) {
        OutletSheet sheet;
        std::string problem;
        EXPECT_FALSE(ReadOutletSheet(f.content, {}, &sheet, &problem)) << f.content;
        EXPECT_EQ(problem, f.problem);
    }
}

TEST(OutletFile, ARowOpensWithWhatItsCaseTakes) {
    const struct {
        const char *content;
        OutletCase outletCase;
        Field field; // shows the text below
        const char *text;
        const char *message;
    } rows[] = {
        {"排出口の実高さ,周辺最大建物高さ,１号基準,排出口の大きさ\r\n10,5,１２,特大\r\n", CaseB,
         Field::No1Standard, "12", "次の項目は値が適切でないため、空欄にしました：排出口の大きさ"},
        {"排出口の実高さ,周辺最大建物高さ,排出ガス流量（乾き）,排出口と敷地境界との最短距離\r\n"
         "20,18,\"1,200\",-5\r\n",
         CaseC, Field::DryFlow, "1200",
         "次の項目は値が適切でないため、空欄にしました：排出口と敷地境界との最短距離"},
        {"排出口の実高さ,周辺最大建物高さ,１号基準\r\n10,,12\r\n", CaseUndecided,
         Field::OutletHeight, "10", "周辺最大建物高さに適切な値（400m以下）を設定して下さい。"},
        // A moisture without a flow is case C's wet flow, as a file saved before the flow
        // was typed keeps it.
        {"排出口の実高さ,周辺最大建物高さ,排出ガス水分量\r\n20,18,5\r\n", CaseC, Field::Moisture,
         "5", ""},
        // A broken last character: the case's screen shows the height that chose the case.
        {"height,building,no1\r\n20,18\xfa,15\r\n", CaseC, Field::BuildingHeight, "18", ""},
    };
    for (const auto &r : rows) {
        OutletSheet sheet;
        std::string problem;
        ASSERT_TRUE(ReadOutletSheet(r.content, {}, &sheet, &problem)) << problem;
        OutletInputs in{};
        PrintInfo info{};
        const OpenedOutlet opened = OpenSheetRow(sheet, sheet.rows[0], in, info);
        EXPECT_EQ(opened.outletCase, r.outletCase) << r.content;
        EXPECT_EQ(opened.message, r.message);
        EXPECT_EQ(TextsOfOutlet(in, opened.outletCase, info)[static_cast<size_t>(r.field)], r.text);
    }
}
