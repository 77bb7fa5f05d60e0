// The pages of a register, one a row that computes, as 一括印刷 and kamorte-calc --report
// print them.
#include "calc/register_pages.h"
#include "map/map_raster.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kLongAuthor = Repeated("環境保全課", 15); // 150 bytes: more than the dialog keeps

std::string Register() {
    return "作成者,事業所名,施設名,排出口番号,height,building,no1,size,diameter,direction,"
           "temperature,dry-flow,moisture,outlet-boundary,building-boundary,measured-index\r\n"
           ",北川食品,フライヤー,1-1,5,,12,small,,,,,,,,30\r\n"
           ",,,,,,,,,,,,,,,\r\n"
           ",,,,5,,25,small,,,,,,,,\r\n" +
           kLongAuthor +
           ",カモルテ化学工業,第２乾燥炉,No.1,30,10,12,,1,上向き,80,300,10,50,20,40\r\n"
           ",,,,20,15,12,,,,,200,,,,\r\n"
           ",,,,10,5,12,medium,,,,,,,,\r\n"
           ",,,,5,,12,small,,,,,,,,200\r\n";
}

RegisterPrint Print() {
    RegisterPrint print;
    print.info = ReportNames{"山田", "県庁", ""};
    print.title = "カモルテ（臭気指数第２号規制基準算定ソフト）";
    print.printedAt = FormatReportDate(2026, 4, 1, 9, 5, 7);
    return print;
}

std::vector<RegisterPage> PagesOf(const std::string &csv, RegisterCount *count) {
    std::istringstream in(csv);
    RegisterPages pages(Print());
    std::string problem;
    EXPECT_TRUE(pages.Open(in, &problem)) << problem;
    *count = pages.Count();
    std::vector<RegisterPage> all;
    for (RegisterPage page; pages.Next(&page);)
        all.push_back(page);
    EXPECT_FALSE(pages.OutOfMemory());
    return all;
}

bool Shows(const RegisterPage &page, const std::string &text) {
    for (const PageItem &item : page.description.items)
        if (item.kind == PageItemKind::Text && item.text == text)
            return true;
    return false;
}

TEST(RegisterPages, OnePageARowThatComputes) {
    RegisterCount count;
    const std::vector<RegisterPage> pages = PagesOf(Register(), &count);
    EXPECT_EQ(count.pages, 4u);
    EXPECT_EQ(count.rowsSkipped, 2u);
    EXPECT_EQ(RegisterSkippedText(count),
              "2 行は入力に誤りがあるため印刷していません（最初の誤り: 4 行目 "
              "臭気指数第１号基準に適切な値（10～21）を設定して下さい。）");

    struct Expected {
        uint64_t sheetRow;
        OutletCase outletCase;
        std::string author, office, facility;
        bool judged;
        const char *line;
        const char *standard; // a text of the page that holds the row's standard
    } expected[] = {
        {2, CaseA, "山田", "北川食品", "フライヤー", true, "一覧の 2 行目　排出口番号 1-1　1 / 4",
         "２号基準：臭気指数 28"},
        {5, CaseD, kLongAuthor, "カモルテ化学工業", "第２乾燥炉", true,
         "一覧の 5 行目　排出口番号 No.1　2 / 4", "9.1×10"},
        {6, CaseC, "山田", "県庁", "", false, "一覧の 6 行目　3 / 4", "【他の項目】"},
        {7, CaseB, "山田", "県庁", "", false, "一覧の 7 行目　4 / 4", "２号基準：臭気指数 25"},
    };
    ASSERT_EQ(pages.size(), std::size(expected));
    for (size_t i = 0; i < pages.size(); ++i) {
        const RegisterPage &page = pages[i];
        const Expected &e = expected[i];
        SCOPED_TRACE(e.line);
        EXPECT_EQ(page.sheetRow, e.sheetRow);
        EXPECT_EQ(page.number, i + 1);
        EXPECT_EQ(page.outletCase, e.outletCase);
        EXPECT_EQ(page.report.info.authorName, e.author);
        EXPECT_EQ(page.report.info.officeName, e.office);
        EXPECT_EQ(page.report.info.facilityName, e.facility);
        EXPECT_EQ(page.report.judged, e.judged);
        EXPECT_EQ(page.report.registerLine, e.line);
        EXPECT_TRUE(Shows(page, e.line));
        EXPECT_TRUE(Shows(page, e.standard));
        EXPECT_EQ(page.description.unit, 42);
        const bool tall = e.outletCase == CaseC || e.outletCase == CaseD;
        EXPECT_EQ(page.report.mapPicture.size(),
                  tall ? static_cast<size_t>(MapStride(kMapWidth)) * kMapImageRows : 0u);
        EXPECT_EQ(page.report.printedAt, "2026年04月01日 9時05分07秒");
    }
    // The map of the row's own computation: not the one of the row before.
    EXPECT_NE(pages[1].report.mapPicture, pages[2].report.mapPicture);
}

// A batch's result, fed back, gives the same pages as the register it came from.
TEST(RegisterPages, TheResultLayoutGivesTheSamePages) {
    std::istringstream in(Register());
    std::ostringstream result;
    RunBatch(in, result, BatchSettings());
    RegisterCount count, again;
    const std::vector<RegisterPage> pages = PagesOf(Register(), &count);
    const std::vector<RegisterPage> fed = PagesOf(result.str(), &again);
    ASSERT_EQ(fed.size(), pages.size());
    EXPECT_EQ(again.rowsSkipped, count.rowsSkipped);
    for (size_t i = 0; i < pages.size(); ++i) {
        ASSERT_EQ(fed[i].description.items.size(), pages[i].description.items.size());
        for (size_t k = 0; k < pages[i].description.items.size(); ++k)
            EXPECT_EQ(fed[i].description.items[k].text, pages[i].description.items[k].text);
    }
}

TEST(RegisterPages, NoRegisterNoPages) {
    struct Row {
        const char *csv;
        bool opens;
        const char *problem;
        uint64_t skipped;
    } rows[] = {
        {"", false, "１行目に列名がありません。", 0},
        {"施設名,備考\r\nA,B\r\n", false, "排出口のデータの列（排出口の実高さなど）がありません。",
         0},
        {"height,no1,size\r\n5,12,small\r\n\"5,12,small\r\n", true, "", 1},
    };
    for (const Row &row : rows) {
        std::istringstream in(row.csv);
        RegisterPages pages(Print());
        std::string problem;
        EXPECT_EQ(pages.Open(in, &problem), row.opens) << row.csv;
        EXPECT_EQ(problem, row.problem);
        EXPECT_EQ(pages.Count().rowsSkipped, row.skipped);
    }
}

} // namespace
