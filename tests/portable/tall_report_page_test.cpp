#include "print/report_rules.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kU = 42;

struct Records {
    Report sources{};
    OutletInputs &in = sources.inputs;
    ReportNames &info = sources.info;
    MapSettings &map = sources.map;
    Records() {
        ResetLowOutletInputs(in);
        ResetTallOutletInputs(in);
        map = {2000, 20, 70, 200};
        Text(in.outletHeightText, "30");
        in.tall.tallOutletHeight = 30;
        Text(in.buildingHeightText, "25");
        in.tall.tallBuildingHeight = 25;
        Text(in.no1StandardText, "12");
        in.tall.no1Standard = 12;
        Text(in.dryFlowText, "1500");
        in.tall.dryFlow = 1500;
        in.flowMode = FlowDry;
        sources.results.tall = {DownwashWeak, 20, 41.256, 45, 9067288.67, 33, 648, 0, 1500};
        sources.printedAt = "2026年04月01日 9時05分07秒";
        sources.shown.rateMantissa = "9.1×10";
        sources.shown.rateExponent = "6";
        sources.shown.boundary = "50";
        sources.shown.landingDistance = "  649";
        sources.landingDilution = 33.4;
        sources.colour = true;
    }
    static void Text(char *field, const char *text) { std::strcpy(field, text); }
};

bool Has(const PageDescription &page, const std::string &text, int x, int y,
         PageColour colour = kLabelBlack) {
    for (const PageItem &item : page.items)
        if (item.kind == PageItemKind::Text && item.text == text && item.x == x && item.y == y &&
            item.colour == colour)
            return true;
    return false;
}

int Count(const PageDescription &page, const std::string &text) {
    int n = 0;
    for (const PageItem &item : page.items)
        n += item.kind == PageItemKind::Text && item.text == text;
    return n;
}

// y of row r at u = 42
int Y(int r) {
    return r * kU;
}

TEST(TallOutletReport, CaseCRowsMoveWithTheWetFlow) {
    struct Row {
        int flowMode;
        const char *outletDistance;
        const char *buildingDistance;
        const char *text;
        int x, y;
    } rows[] = {
        {0, "50", "20", "排出ガス流量（乾き）", 252, Y(32)},
        {0, "50", "20", "1500", 756, Y(32)},
        {0, "50", "20", "m  /min", 861, Y(32)},
        {0, "50", "20", "3", 892, Y(32) - 10},
        {0, "50", "20", "排出口と敷地境界との", 252, Y(34)},
        {0, "50", "20", "最短距離", 529, Y(35)},
        {0, "50", "20", "50 m", 756, Y(35)},
        {0, "50", "20", "周辺最大建物と敷地境界", 252, Y(37)},
        {0, "50", "20", "との最短距離", 462, Y(38)},
        {0, "50", "20", "20 m", 756, Y(38)},
        {1, "", "", "排出ガス流量（湿り）", 252, Y(32)},
        {1, "", "", "1800", 756, Y(32)},
        {1, "", "", "排出ガス水分量", 252, Y(34)},
        {1, "", "", "8.5 %", 756, Y(34)},
        {1, "", "", "排出口と敷地境界との", 252, Y(36)},
        {1, "", "", "最短距離", 529, Y(37)},
        {1, "", "", "との最短距離", 462, Y(40)},
        // The foot of the column names the program and the constants smell.prm changed.
        {1, "", "", "カモルテ   Version 1.1  R5", 252, 2604 - 10 - 99},
        {1, "", "", "拡散モデルの定数：smell.prm", 252, 2604 - 10 - 66},
        {1, "", "", "（既定値と異なる定数 3 個）", 252, 2604 - 10 - 33},
    };
    for (const Row &row : rows) {
        Records r;
        r.in.flowMode = static_cast<FlowMode>(row.flowMode);
        Records::Text(r.in.wetFlowText, "1800");
        Records::Text(r.in.moistureText, "8.5");
        Records::Text(r.in.outletToBoundaryText, row.outletDistance);
        Records::Text(r.in.buildingToBoundaryText, row.buildingDistance);
        r.in.tall.outletToBoundary = row.outletDistance[0] ? 50 : -1;
        r.in.tall.buildingToBoundary = row.buildingDistance[0] ? 20 : -1;
        r.sources.constantsChanged = 3;
        const PageDescription page = DescribeReport(CaseC, r.sources, kU);
        EXPECT_TRUE(Has(page, row.text, row.x, row.y)) << row.flowMode << " " << row.text;
        if (row.outletDistance[0] == '\0') {
            EXPECT_TRUE(Has(page, "入力省略", 756, Y(37)));
            EXPECT_TRUE(Has(page, "入力省略", 756, Y(40)));
        } else {
            EXPECT_EQ(Count(page, "排出ガス水分量"), 0);
        }
    }
}

TEST(TallOutletReport, CaseDRowsFollowDirectionSizeAndFlow) {
    struct Row {
        int direction;
        int sizeMode;
        int flowMode;
        const char *text;
        int x, y;
    } rows[] = {
        {0, 0, 0, "排出口の口径", 252, Y(32)},
        {0, 0, 0, "1.2 m", 756, Y(32)},
        {0, 0, 0, "上向き", 756, Y(34)},
        {0, 0, 0, "排出ガス温度", 252, Y(36)},
        {0, 0, 0, "120 ℃", 756, Y(36)},
        {0, 0, 0, "排出ガス流量（乾き）", 252, Y(38)},
        {0, 0, 0, "排出ガス水分量", 252, Y(40)},
        {0, 0, 0, "最短距離", 529, Y(43)},
        {0, 0, 0, "との最短距離", 462, Y(46)},
        {1, 1, 2, "排出口の断面積", 252, Y(32)},
        {1, 1, 2, "0.785", 756, Y(32)},
        // The area always takes the placing of a long value: 5 bytes.
        {1, 1, 2, "m", 756 + 105 + 10, Y(32)},
        {1, 1, 2, "2", 756 + 126 + 21, Y(32) - 10},
        {1, 1, 2, "下向き", 756, Y(34)},
        {1, 1, 2, "排出ガス吐出速度", 252, Y(36)},
        {1, 1, 2, "12.34 m/s", 756, Y(36)},
        {1, 1, 2, "排出ガス水分量", 252, Y(38)},
        {1, 1, 2, "8.5 %", 756, Y(38)},
        {1, 1, 2, "排出口と敷地境界との", 252, Y(40)},
        {1, 1, 2, "50 m", 756, Y(41)},
        {1, 1, 2, "20 m", 756, Y(44)},
        {2, 0, 1, "下向き", 756, Y(34)},
        {2, 0, 1, "排出ガス流量（湿り）", 252, Y(36)},
        {2, 0, 1, "1800", 756, Y(36)},
    };
    for (const Row &row : rows) {
        Records r;
        r.in.tall.outletDirection = static_cast<OutletDirection>(row.direction);
        r.in.sizeMode = static_cast<SizeMode>(row.sizeMode);
        r.in.flowMode = static_cast<FlowMode>(row.flowMode);
        Records::Text(r.in.outletDiameterText, "1.2");
        Records::Text(r.in.outletAreaText, "0.785");
        Records::Text(r.in.gasTemperatureText, "120");
        Records::Text(r.in.exitVelocityText, "12.3456");
        Records::Text(r.in.wetFlowText, "1800");
        Records::Text(r.in.moistureText, "8.5");
        Records::Text(r.in.outletToBoundaryText, "50");
        Records::Text(r.in.buildingToBoundaryText, "20");
        r.in.tall.outletToBoundary = 50;
        r.in.tall.buildingToBoundary = 20;
        const PageDescription page = DescribeReport(CaseD, r.sources, kU);
        EXPECT_TRUE(Has(page, row.text, row.x, row.y))
            << row.direction << row.sizeMode << row.flowMode << " " << row.text;
        if (row.direction != 0) {
            EXPECT_EQ(Count(page, "排出ガス温度"), 0);
        }
    }
}

TEST(TallOutletReport, LongFlowIsTheStoredNumberAndMovesItsUnit) {
    Records r;
    Records::Text(r.in.dryFlowText, "12345.67");
    r.in.tall.dryFlow = 12345.67;
    const PageDescription page = DescribeReport(CaseC, r.sources, kU);
    EXPECT_TRUE(Has(page, "12345.7", 756, Y(32)));
    EXPECT_TRUE(Has(page, "m  /min", 756 + 147 + 10, Y(32)));
    EXPECT_TRUE(Has(page, "3", 756 + 168 + 21, Y(32) - 10));
}

TEST(TallOutletReport, OutputColumn) {
    struct Row {
        int downwash;
        const char *text;
        int x, y;
        PageColour colour;
    } rows[] = {
        {1, "２号基準：臭気排出強度（ＫＶＴ）", 1134, Y(28), kLabelBlack},
        {1, "9.1×10", 1890, Y(28), kResultBlue},
        {1, "6", 2037, Y(28) - 21, kResultBlue},
        // The unit after the raised exponent, its 3 raised a quarter unit.
        {1, "m", 2037 + 21 + 10, Y(28), kResultBlue},
        {1, "3", 2068 + 21, Y(28) - 10, kResultBlue},
        {1, "N/min", 2089 + 21, Y(28), kResultBlue},
        {1, "45", 1890, Y(30), kResultBlue},
        {1, "（ ＝ １号基準(12) + 希釈度(33) ）", 1680, Y(32) - 21, kLabelBlack},
        {1, "1500.0 m  /min", 1890, Y(34), kResultBlue},
        // 14 bytes: the raised 3 stands 4 units on.
        {1, "3", 1890 + 168, Y(34) - 10, kResultBlue},
        {1, "【他の項目】", 1134, Y(37), kLabelBlack},
        {0, "無", 1890, Y(39), kResultBlue},
        {1, "弱", 1890, Y(39), kResultBlue},
        {2, "強", 1890, Y(39), kResultBlue},
        {1, "41.26 m", 1890, Y(41), kResultBlue},
    };
    for (const Row &row : rows) {
        Records r;
        r.sources.results.tall.downwashClass = row.downwash;
        const PageDescription page = DescribeReport(CaseD, r.sources, kU);
        EXPECT_TRUE(Has(page, row.text, row.x, row.y, row.colour)) << row.text;
    }
    Records r;
    r.sources.results.tall.downwashClass = -1;
    const PageDescription page = DescribeReport(CaseD, r.sources, kU);
    for (const char *word : {"無", "弱", "強"})
        EXPECT_EQ(Count(page, word), 0);
}

// Below the last input row (46 upward, 44 downward), rows 1 1/2 units apart. The allowable
// rate is 9.07×10⁶, the dry flow 1500.
TEST(TallOutletReport, VerdictBlockBelowTheInputs) {
    struct Row {
        int direction;
        const char *measured;
        const char *text;
        int x, y;
        PageColour colour;
    } rows[] = {
        {0, "40", "排出口の臭気指数（測定値）", 252, Y(48), kLabelBlack},
        {0, "40", "1.5×10", 546, Y(48) + 126, kResultBlue},
        {0, "40", "不適合（超過 2.2）", 546, Y(48) + 189, kResultBlue},
        {0, "40", "40 %", 546, Y(48) + 252, kResultBlue},
        {1, "30.5", "適合（余裕 7.3）", 546, Y(46) + 189, kResultBlue},
    };
    for (const Row &row : rows) {
        Records r;
        r.in.tall.outletDirection = static_cast<OutletDirection>(row.direction);
        Records::Text(r.in.measuredIndexText, row.measured);
        r.in.measuredIndex = std::atof(row.measured);
        JudgeReport(CaseD, r.sources);
        const PageDescription page = DescribeReport(CaseD, r.sources, kU);
        EXPECT_TRUE(Has(page, row.text, row.x, row.y, row.colour)) << row.measured << row.text;
        EXPECT_EQ(Count(page, "必要な低減率"), row.direction == 0 ? 1 : 0);
    }
    const PageDescription page = DescribeReport(CaseD, Records().sources, kU);
    EXPECT_EQ(Count(page, "判定") + Count(page, "拡散モデルの定数：smell.prm"), 0);
}

TEST(ReportMap, LabelsAtTheirEdgeValues) {
    struct Row {
        MapSettings map;
        const char *text;
        int x, y;
    } rows[] = {
        {{2000, 20, 70, 200}, "  70", 1121, 1946},
        {{2000, 20, 99.4, 200}, "  99", 1121, 1946},
        {{2000, 20, 99.5, 200}, " 100", 1113, 1946},
        {{2000, 20, 70, 200}, "  20", 1121, 2066},
        {{2000, 99.4, 300, 200}, "  99", 1121, 2066},
        {{2000, 100, 300, 200}, " 100", 1092, 2087},
        {{2000, 20, 70, 5}, "  5 m", 1330, 1932},
        {{2000, 20, 70, 10}, " 10m", 1330, 1932},
        {{2000, 20, 70, 800}, "800m", 1330, 1932},
        {{10000, 20, 70, 200}, "風下距離10000m", 1974, 2394},
        {{2000, 20, 70, 200}, "風下距離 2000m", 1974, 2394},
        {{1000, 20, 70, 200}, "風下距離 1000m", 1974, 2394},
        {{500, 20, 70, 200}, "風下距離 500 m", 1974, 2394},
        {{100, 20, 70, 200}, "風下距離 100 m", 1974, 2394},
        {{50, 20, 70, 200}, "風下距離 50 m", 1995, 2394},
    };
    for (const Row &row : rows) {
        Records r;
        r.map = row.map;
        PageDescription page{kU, {}};
        AddReportMap(page, 45, r.sources);
        EXPECT_TRUE(Has(page, row.text, row.x, row.y)) << row.text;
    }
}

TEST(ReportMap, PicturesFrameAndLegend) {
    struct Row {
        bool colour;
        double outletDistance, buildingDistance;
        const char *boundary;
        int situation;
        int bar;
        const char *marker;
        PageColour markerColour;
    } rows[] = {
        {true, 50, 20, "20", IDB_LAYOUT_BUILDING_NEAR, IDB_COLOUR_BAR, "▼", kResultBlue},
        {false, 20, 50, "", IDB_LAYOUT_OUTLET_NEAR, IDB_GREY_BAR, "▽", kLabelBlack},
        {true, 30, 30, "30", IDB_LAYOUT_OUTLET_NEAR, IDB_COLOUR_BAR, "▼", kResultBlue},
    };
    for (const Row &row : rows) {
        Records r;
        r.sources.colour = row.colour;
        r.in.tall.outletToBoundary = row.outletDistance;
        r.in.tall.buildingToBoundary = row.buildingDistance;
        r.sources.shown.boundary = row.boundary;
        PageDescription page{kU, {}};
        AddReportMap(page, 45, r.sources);
        std::vector<const PageItem *> pictures, lines;
        for (const PageItem &item : page.items) {
            if (item.kind == PageItemKind::Picture)
                pictures.push_back(&item);
            if (item.kind == PageItemKind::Line)
                lines.push_back(&item);
        }
        ASSERT_EQ(pictures.size(), 3u);
        EXPECT_EQ(pictures[0]->source, PictureSource::MapFile);
        EXPECT_EQ(pictures[0]->x, 1428);
        EXPECT_EQ(pictures[0]->y, 1932);
        EXPECT_EQ(pictures[0]->x2, 840);
        EXPECT_EQ(pictures[0]->y2, 445);
        EXPECT_EQ(pictures[1]->resourceId, row.situation);
        EXPECT_EQ(pictures[1]->x, 1084);
        EXPECT_EQ(pictures[1]->y, 2128);
        EXPECT_EQ(pictures[1]->x2, 336);
        EXPECT_EQ(pictures[1]->y2, 224);
        EXPECT_EQ(pictures[2]->resourceId, row.bar);
        EXPECT_EQ(pictures[2]->x, 1197);
        EXPECT_EQ(pictures[2]->y, 1953);
        EXPECT_EQ(pictures[2]->x2, 42);
        EXPECT_EQ(pictures[2]->y2, 151);
        // One device unit outside the picture all round.
        ASSERT_EQ(lines.size(), 4u);
        const int corners[][2] = {{1427, 1931}, {2269, 1931}, {2269, 2378}, {1427, 2378}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(lines[i]->x, corners[i][0]);
            EXPECT_EQ(lines[i]->y, corners[i][1]);
            EXPECT_EQ(lines[i]->x2, corners[(i + 1) % 4][0]);
            EXPECT_EQ(lines[i]->y2, corners[(i + 1) % 4][1]);
        }
        EXPECT_TRUE(Has(page, "希釈度マップ", 1722, 1880));
        EXPECT_TRUE(Has(page, "敷地境界", 1428, Y(59)));
        EXPECT_TRUE(Has(page, "▲", 1596, Y(59), kMarkerGrey));
        if (row.boundary[0] == '\0') {
            EXPECT_TRUE(Has(page, "： 未設定", 1638, Y(59)));
        } else {
            EXPECT_TRUE(Has(page, "： 風下距離", 1638, Y(59)));
            EXPECT_TRUE(Has(page, std::string(row.boundary) + "m", 1862, Y(59), kResultBlue));
        }
        EXPECT_TRUE(Has(page, "最大着地地点", 1344, Y(60)));
        EXPECT_TRUE(Has(page, row.marker, 1596, Y(60), row.markerColour));
        EXPECT_TRUE(Has(page, "649m", 1862, Y(60), kResultBlue));
        EXPECT_TRUE(Has(page, "希釈度", 2016, Y(60)));
        EXPECT_TRUE(Has(page, "33", 2156, Y(60), kResultBlue));
    }
}

} // namespace
