#include "model/small_outlet.h"
#include "print/report_rules.h"
#include "resources/resource.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// 300 dpi, the resolution the PDF queue reports: u = 42.
constexpr int kU = 42;

struct Placed {
    int x;
    int y;
    PageColour colour;
    ReportFont font;
};

std::vector<Placed> Find(const PageDescription &page, const std::string &text) {
    std::vector<Placed> found;
    for (const PageItem &item : page.items)
        if (item.kind == PageItemKind::Text && item.text == text)
            found.push_back({item.x, item.y, item.colour, item.font});
    return found;
}

bool Has(const PageDescription &page, const std::string &text, int x, int y,
         PageColour colour = kLabelBlack) {
    for (const Placed &p : Find(page, text))
        if (p.x == x && p.y == y && p.colour == colour)
            return true;
    return false;
}

struct Records {
    Report sources{};
    OutletInputs &in = sources.inputs;
    ReportNames &info = sources.info;
    MapSettings &map = sources.map;
    Records() {
        ResetLowOutletInputs(in);
        ResetTallOutletInputs(in);
        map = {2000, 20, 70, 200};
        sources.title = "カモルテ（臭気指数第２号規制基準算定ソフト）";
        sources.printedAt = FormatReportDate(2026, 4, 1, 9, 5, 7);
        sources.colour = true;
    }
};

void LowOutlet(Records &r, OutletCase screen, const char *outlet, const char *building,
               int sizeClass) {
    std::strcpy(r.in.outletHeightText, outlet);
    r.in.outletHeight = std::atof(outlet);
    std::strcpy(r.in.buildingHeightText, building);
    r.in.buildingHeight = building[0] ? std::atof(building) : -1;
    std::strcpy(r.in.no1Text, "12");
    r.in.no1Index = 12;
    r.in.sizeClass = static_cast<SizeClass>(sizeClass);
    r.in.representativeDiameter = RepresentativeDiameter(static_cast<SizeClass>(sizeClass));
    r.sources.results.low = CalculateLowOutlet(r.in, screen);
}

TEST(ReportUnit, FromTheVerticalResolution) {
    struct Row {
        int dpi;
        int fallback;
        int u;
    } rows[] = {{600, 0, 84}, {300, 0, 42}, {1200, 0, 167}, {41, 0, 6},
                {360, 0, 50}, {0, 55, 55},  {-1, 0, 42},    {0, -3, 42}};
    for (const Row &row : rows)
        EXPECT_EQ(ReportUnit(row.dpi, row.fallback), row.u) << row.dpi;
    EXPECT_EQ(FontHeight(ReportFont::Title, 42), 63);
    EXPECT_EQ(FontHeight(ReportFont::Bracket, 42), 105);
    EXPECT_EQ(FontHeight(ReportFont::Title, 41), 61);
    EXPECT_EQ(FontHeight(ReportFont::Bracket, 41), 102);
}

TEST(ReportText, CutsNeverSplitADoubleByteCharacter) {
    struct Row {
        const char *text;
        int bytes;
        const char *cut;
    } rows[] = {
        {"abc", 30, "abc"},
        {"123456789012345678901234567890X", 30, "123456789012345678901234567890"},
        // 29 single bytes then a kanji: its two bytes would end at 31.
        {"12345678901234567890123456789環境", 30, "12345678901234567890123456789"},
        {"環境保全課の山田太郎と鈴木花子と佐藤", 30, "環境保全課の山田太郎と鈴木花子"},
        {"12.3456", 5, "12.34"},
        {"１２３", 5, "１２"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(CutText(row.text, row.bytes), row.cut) << row.text;
}

TEST(ReportText, TypedValuesAndDates) {
    EXPECT_EQ(TypedValue("5.25", 5.25), "5.25");
    EXPECT_EQ(TypedValue("123456789", 123456789), "123456789");
    EXPECT_EQ(TypedValue("5.00000000", 5.0), "5.0");
    EXPECT_EQ(TypedValue("  12.345678", 12.345678), "12.3");
    EXPECT_EQ(FormatReportDate(2026, 4, 1, 9, 5, 7), "2026年04月01日 9時05分07秒");
    EXPECT_EQ(FormatReportDate(2026, 12, 31, 23, 59, 0), "2026年12月31日23時59分00秒");
}

TEST(ReportFrame, LinesOfBothLayouts) {
    struct Line {
        int x1, y1, x2, y2;
    };
    struct Row {
        OutletCase report;
        std::vector<Line> lines;
    } rows[] = {
        {CaseA,
         {{294, 1029, 315, 1029},
          {567, 1029, 1323, 1029},
          {1575, 1029, 2226, 1029},
          {294, 1029, 294, 1974},
          {1281, 1029, 1281, 1974},
          {2226, 1029, 2226, 1974},
          {294, 1974, 2226, 1974}}},
        {CaseD,
         {{210, 1029, 231, 1029},
          {483, 1029, 1071, 1029},
          {1323, 1029, 2310, 1029},
          {210, 1029, 210, 2604},
          {1050, 1029, 1050, 2604},
          {2310, 1029, 2310, 2604},
          {210, 2604, 2310, 2604}}},
    };
    for (const Row &row : rows) {
        PageDescription page{kU, {}};
        AddReportFrame(page, row.report);
        ASSERT_EQ(page.items.size(), row.lines.size());
        for (size_t i = 0; i < row.lines.size(); ++i) {
            const PageItem &item = page.items[i];
            EXPECT_EQ(item.kind, PageItemKind::Line);
            EXPECT_EQ(item.colour, kFrameGrey);
            EXPECT_EQ(item.x, row.lines[i].x1) << i;
            EXPECT_EQ(item.y, row.lines[i].y1) << i;
            EXPECT_EQ(item.x2, row.lines[i].x2) << i;
            EXPECT_EQ(item.y2, row.lines[i].y2) << i;
        }
    }
}

TEST(ReportHeader, PositionsAndCuts) {
    Records r;
    r.info.authorName = "環境保全課の山田太郎と鈴木花子と佐藤";
    r.info.facilityName = "第２乾燥炉";
    struct Row {
        OutletCase report;
        const char *text;
        int x, y;
    } rows[] = {
        {CaseA, "2026年04月01日 9時05分07秒", 1638, 462},
        {CaseA, "事業所名", 294, 672},
        {CaseA, "施設名", 294, 756},
        {CaseA, "第２乾燥炉", 504, 756},
        {CaseA, "Ａ．排出口の高さが６．７ｍ未満の場合", 294, 924},
        {CaseA, "【入力項目】", 336, 1008},
        {CaseA, "【出力項目】", 1344, 1008},
        {CaseA, "左記条件の排出口についての算定結果です。", 1344, 1092},
        {CaseB, "Ｂ．排出口の高さが６．７ｍ以上１５ｍ未満の場合", 294, 924},
        {CaseD, "2026年04月01日 9時05分07秒", 1722, 462},
        {CaseD, "事業所名", 210, 672},
        {CaseD, "第２乾燥炉", 504, 756},
        {CaseC, "Ｃ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍未満の場合", 210, 924},
        {CaseD, "Ｄ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍以上の場合", 210, 924},
        {CaseD, "【入力項目】", 252, 1008},
        {CaseD, "【出力項目】", 1092, 1008},
        {CaseD, "左記条件の排出口についての計算結果です。", 1092, 1092},
    };
    for (const Row &row : rows) {
        PageDescription page{kU, {}};
        AddReportHeader(page, row.report, r.sources,
                        row.report == CaseA ? "Ａ．排出口の高さが６．７ｍ未満の場合"
                        : row.report == CaseB ? "Ｂ．排出口の高さが６．７ｍ以上１５ｍ未満の場合"
                        : row.report == CaseC
                            ? "Ｃ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍未満の場合"
                            : "Ｄ．排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍以上の場合");
        EXPECT_TRUE(Has(page, row.text, row.x, row.y)) << row.report << " " << row.text;
        // The empty office prints only its label.
        for (const PageItem &item : page.items)
            EXPECT_FALSE(item.kind == PageItemKind::Text && item.text.empty());
    }
    PageDescription title{kU, {}};
    AddReportHeader(title, CaseC, r.sources, "");
    const std::vector<Placed> t = Find(title, r.sources.title);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].x, 210);
    EXPECT_EQ(t[0].y, 294);
    EXPECT_EQ(t[0].font, ReportFont::Title);
}

// Every name whole within the frame's width: in the body font, smaller down to 0.8 of it (33
// at u = 42), or in lines of that size that end before the next header row; a smaller first
// line ends level with its label; lines break after a blank when the rest still fits.
TEST(ReportHeader, NamesAreWholeWithinTheFrame) {
    const std::string author60 = "カモルテ市環境部環境保全課公害対策係　主任技師　山田太郎です";
    const std::string office126 = Repeated("環境", 31) + "ab";
    struct Row {
        OutletCase report;
        int field; // 0 author, 1 office, 2 facility
        std::string name;
        size_t lines;
        int height; // 0: the body font's
        int x, y;
    } rows[] = {
        {CaseA, 0, "山田太郎", 1, 0, 1806, 546},
        {CaseD, 0, "環境保全課公害対策係山田", 1, 35, 1890, 553},
        {CaseD, 0, author60, 3, 33, 1890, 555},
        {CaseC, 1, Repeated("a", 60) + Repeated("課", 20), 1, 36, 504, 678},
        {CaseB, 1, office126, 2, 33, 504, 681},
        {CaseA, 1, "山田　" + Repeated("x", 120), 2, 33, 504, 681},
    };
    for (const Row &row : rows) {
        Records r;
        std::string *fields[] = {&r.info.authorName, &r.info.officeName, &r.info.facilityName};
        *fields[row.field] = row.name;
        PageDescription page{kU, {}};
        AddReportHeader(page, row.report, r.sources, "");
        const bool tall = row.report == CaseC || row.report == CaseD;
        const int label = (tall ? 41 : 39) * kU;
        const int nextRow = (row.field == 0 ? 16 : row.field == 1 ? 18 : 22) * kU;
        std::string printed;
        std::vector<const PageItem *> lines;
        for (const PageItem &item : page.items)
            if (item.kind == PageItemKind::Text && item.y > row.y - kU / 4 && item.y < nextRow &&
                item.x >= (row.field == 0 ? label : 12 * kU) && item.text != "作成者") {
                lines.push_back(&item);
                printed += item.text;
            }
        EXPECT_EQ(printed, row.name) << row.report << " " << row.name;
        ASSERT_EQ(lines.size(), row.lines) << row.report << " " << row.name;
        EXPECT_EQ(lines[0]->x, row.x);
        EXPECT_EQ(lines[0]->y, row.y);
        for (const PageItem *line : lines) {
            const int height = line->height > 0 ? line->height : kU;
            EXPECT_EQ(line->height, row.height) << line->text;
            EXPECT_LE(line->x + EstimatedWidth(line->text, height), (tall ? 55 : 53) * kU);
            EXPECT_LE(line->y + height, nextRow) << line->text;
            // The label stays; the lines under it start below it.
            EXPECT_TRUE(row.field != 0 || line->x >= label + 3 * kU || line->y >= 14 * kU);
        }
        EXPECT_TRUE(row.field != 0 || Has(page, "作成者", label, 546));
    }
    Records r;
    r.info.authorName = author60;
    PageDescription page{kU, {}};
    AddReportHeader(page, CaseA, r.sources, "");
    EXPECT_TRUE(Has(page, "課公害対策係　主任技師　", 1638, 588));
    EXPECT_TRUE(Has(page, "山田太郎です", 1638, 621));
}

TEST(LowOutletReport, RowsOfEachSizeClassAndCase) {
    struct Row {
        OutletCase report;
        int sizeClass;
        const char *text;
        int x, y;
        ReportFont font;
    } rows[] = {
        {CaseA, SizeSmall, "排出口の実高さ", 336, 1092, ReportFont::Body},
        {CaseA, SizeSmall, "5 m", 840, 1092, ReportFont::Body},
        {CaseA, SizeSmall, "１号基準：臭気指数", 336, 1176, ReportFont::Body},
        {CaseA, SizeSmall, "12", 840, 1176, ReportFont::Body},
        {CaseA, SizeSmall, "小径", 840, 1260, ReportFont::Body},
        {CaseA, SizeSmall, "口径", 500, 1323, ReportFont::Body},
        {CaseA, SizeSmall, "0.6m未満", 840, 1323, ReportFont::Body},
        {CaseA, SizeSmall, "断面積", 500, 1386, ReportFont::Body},
        {CaseA, SizeSmall, "0.28m  未満", 840, 1386, ReportFont::Body},
        {CaseA, SizeSmall, "2", 945, 1376, ReportFont::Body},
        {CaseA, SizeSmall, "(", 462, 1327, ReportFont::Bracket},
        {CaseA, SizeSmall, ")", 1071, 1327, ReportFont::Bracket},
        {CaseA, SizeMedium, "中径", 840, 1260, ReportFont::Body},
        {CaseA, SizeMedium, "0.6m以上 0.9m未満", 735, 1323, ReportFont::Body},
        {CaseA, SizeMedium, "0.28m  以上 0.64m  未満", 735, 1386, ReportFont::Body},
        {CaseA, SizeMedium, ")", 1197, 1327, ReportFont::Bracket},
        {CaseA, SizeLarge, "大径", 840, 1260, ReportFont::Body},
        {CaseA, SizeLarge, "0.9m以上", 840, 1323, ReportFont::Body},
        {CaseA, SizeLarge, "0.64m  以上", 840, 1386, ReportFont::Body},
        {CaseA, SizeLarge, ")", 1071, 1327, ReportFont::Bracket},
        {CaseB, SizeSmall, "周辺最大建物高さ", 336, 1176, ReportFont::Body},
        {CaseB, SizeSmall, "4 m", 840, 1176, ReportFont::Body},
        {CaseB, SizeSmall, "１号基準：臭気指数", 336, 1260, ReportFont::Body},
        {CaseB, SizeSmall, "排出口の大きさ", 336, 1344, ReportFont::Body},
        {CaseB, SizeSmall, "口径", 500, 1407, ReportFont::Body},
        {CaseB, SizeSmall, "0.28m  未満", 840, 1470, ReportFont::Body},
        {CaseB, SizeSmall, "2", 945, 1460, ReportFont::Body},
        {CaseB, SizeSmall, "(", 462, 1411, ReportFont::Bracket},
        {CaseB, SizeMedium, ")", 1197, 1411, ReportFont::Bracket},
    };
    for (const Row &row : rows) {
        Records r;
        LowOutlet(r, row.report, row.report == CaseA ? "5" : "10", row.report == CaseA ? "" : "4",
                  row.sizeClass);
        const PageDescription page = DescribeReport(row.report, r.sources, kU);
        bool found = false;
        for (const Placed &p : Find(page, row.text))
            found = found ||
                    (p.x == row.x && p.y == row.y && p.font == row.font && p.colour == kLabelBlack);
        EXPECT_TRUE(found) << row.report << " " << row.sizeClass << " " << row.text;
    }
}

TEST(LowOutletReport, MediumOutletHasTwoRaisedTwos) {
    struct Row {
        int sizeClass;
        std::vector<std::pair<int, int>> raised;
    } rows[] = {{SizeSmall, {{945, 1376}}},
                {SizeMedium, {{840, 1376}, {1067, 1376}}},
                {SizeLarge, {{945, 1376}}}};
    for (const Row &row : rows) {
        Records r;
        LowOutlet(r, CaseA, "3", "", row.sizeClass);
        const std::vector<Placed> twos = Find(DescribeReport(CaseA, r.sources, kU), "2");
        ASSERT_EQ(twos.size(), row.raised.size()) << row.sizeClass;
        for (size_t i = 0; i < twos.size(); ++i) {
            EXPECT_EQ(twos[i].x, row.raised[i].first);
            EXPECT_EQ(twos[i].y, row.raised[i].second);
        }
    }
}

TEST(LowOutletReport, OutputsInBlueAndBlackWithTheFigure) {
    for (OutletCase report : {CaseA, CaseB}) {
        Records r;
        LowOutlet(r, report, report == CaseA ? "1.5" : "8", report == CaseA ? "" : "7", SizeSmall);
        const int no2 = static_cast<int>(r.sources.results.low.no2Index + 0.5);
        const int dilution = static_cast<int>(r.sources.results.low.dilution + 0.5);
        ASSERT_GT(dilution, 0);
        // Judged by the shown whole standard: case A exceeds it by 2, case B is 5 under.
        const std::string measured = std::to_string(report == CaseA ? no2 + 2 : no2 - 5);
        std::strcpy(r.in.measuredIndexText, measured.c_str());
        r.in.measuredIndex = std::atof(measured.c_str());
        JudgeReport(report, r.sources);
        const PageDescription page = DescribeReport(report, r.sources, kU);
        EXPECT_TRUE(Has(page, "排出口の臭気指数（測定値）", 1386, 1302));
        EXPECT_TRUE(Has(page, measured, 1974, 1302));
        EXPECT_TRUE(Has(page, report == CaseA ? "不適合（超過 2.0）" : "適合（余裕 5.0）", 1680,
                        1365, kResultBlue));
        EXPECT_EQ(Has(page, "37 %", 1680, 1428, kResultBlue), report == CaseA);
        EXPECT_TRUE(Has(page, "カモルテ   Version 1.1  R5", 336, 1974 - 10 - 33));
        EXPECT_TRUE(Has(page, "２号基準：臭気指数", 1386, 1176));
        EXPECT_TRUE(
            Has(page, std::to_string(no2), report == CaseA ? 1848 : 1932, 1176, kResultBlue));
        const std::string makeUp =
            "（ ＝ １号基準(12) + 希釈度(" + std::to_string(dilution) + ") ）";
        EXPECT_TRUE(Has(page, makeUp, 1554, 1239));
        EXPECT_TRUE(Has(page, "２号基準：臭気指数 " + std::to_string(no2), 1785, 1638));
        EXPECT_TRUE(Has(page, "希釈度： " + std::to_string(dilution), 1785, 1712));
        EXPECT_TRUE(Has(page, "１号基準：臭気指数 12", 1785, 1785));
        int pictures = 0;
        for (const PageItem &item : page.items) {
            if (item.kind != PageItemKind::Picture)
                continue;
            ++pictures;
            EXPECT_EQ(item.resourceId, IDB_LOW_FIGURE);
            EXPECT_EQ(item.x, 1344);
            EXPECT_EQ(item.y, 1470);
            EXPECT_EQ(item.x2, 420);
            EXPECT_EQ(item.y2, 427);
        }
        EXPECT_EQ(pictures, 1);
    }
}

TEST(LowOutletReport, LongTypedHeightIsPrintedAsTheNumber) {
    Records r;
    LowOutlet(r, CaseA, "5.12345678", "", SizeLarge);
    EXPECT_TRUE(Has(DescribeReport(CaseA, r.sources, kU), "5.1 m", 840, 1092));
}

TEST(ValueWithUnit, UnitAndRaisedDigitFollowTheValueLength) {
    struct Row {
        int u;
        const char *value;
        bool longRule;
        int unitX;
        int raisedX;
    } rows[] = {
        {42, "1500", false, 756 + 105, 756 + 126 + 10},
        {42, "0.5", false, 756 + 84, 756 + 105 + 10},
        {42, "12345.6", false, 756 + 147 + 10, 756 + 168 + 21},
        {42, "0.5", true, 756 + 63 + 10, 756 + 84 + 21},
        // An odd unit: the half units are rounded, not truncated.
        {41, "1500", false, 738 + 103, 738 + 123 + 10},
        {41, "150", false, 738 + 82, 738 + 103 + 10},
        {41, "15", false, 738 + 62, 738 + 82 + 10},
        {41, "1234567.0", false, 738 + 185 + 10, 738 + 205 + 20},
    };
    for (const Row &row : rows) {
        PageDescription page{row.u, {}};
        AddValueWithUnit(page, 32, row.value, "m  /min", "3", row.longRule);
        ASSERT_EQ(page.items.size(), 3u);
        EXPECT_EQ(page.items[0].x, 18 * row.u) << row.value;
        EXPECT_EQ(page.items[1].x, row.unitX) << row.u << " " << row.value;
        EXPECT_EQ(page.items[1].y, 32 * row.u);
        EXPECT_EQ(page.items[2].x, row.raisedX) << row.u << " " << row.value;
        EXPECT_EQ(page.items[2].y, 32 * row.u - row.u / 4);
    }
}

} // namespace
