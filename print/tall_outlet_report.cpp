#include "print/report_rules.h"

#include "model/case_texts.h"
#include "model/field_table.h"
#include "model/quantise.h"
#include "text/format.h"

#include <cstdio>

namespace {

// Below this many bytes a typed flow is printed as typed.
constexpr size_t kFlowTypedBytes = 7;
constexpr int kVelocityBytes = 5;

std::string FlowValue(const char *typed, double stored) {
    if (std::string(typed).size() < kFlowTypedBytes)
        return typed;
    char text[400];
    std::snprintf(text, sizeof text, "%.1lf", stored);
    return text;
}

std::string DistanceValue(const char *typed, double stored) {
    if (typed[0] == '\0')
        return "入力省略";
    return TypedValue(typed, stored) + " m";
}

void AddFlowRow(PageDescription &page, int row, const OutletInputs &in) {
    const int u = page.unit;
    const bool wet = in.flowMode == FlowWet;
    AddText(page, At(u, 6), At(u, row),
            wet ? PrintLabelOf(Field::WetFlow) : PrintLabelOf(Field::DryFlow));
    const std::string value = wet ? FlowValue(in.wetFlowText, in.tall.wetFlow)
                                  : FlowValue(in.dryFlowText, in.tall.dryFlow);
    AddValueWithUnit(page, row, value, "m  /min", "3", false);
}

// The two boundary distances below row r; nothing entered reads "入力省略". Returns the
// last row.
int AddBoundaryRows(PageDescription &page, int r, const OutletInputs &in) {
    const int u = page.unit;
    const int labelX = At(u, 6);
    const int valueX = At(u, 18);
    AddText(page, labelX, At(u, r + 2), "排出口と敷地境界との");
    AddText(page, ScaledUnit(12.6f, u), At(u, r + 3), "最短距離");
    AddText(page, valueX, At(u, r + 3),
            DistanceValue(in.outletToBoundaryText, in.tall.outletToBoundary));
    AddText(page, labelX, At(u, r + 5), "周辺最大建物と敷地境界");
    AddText(page, At(u, 11), At(u, r + 6), "との最短距離");
    AddText(page, valueX, At(u, r + 6),
            DistanceValue(in.buildingToBoundaryText, in.tall.buildingToBoundary));
    return r + 6;
}

// The input rows of each case; both return the last row.
int AddCaseCInputs(PageDescription &page, const OutletInputs &in) {
    const int u = page.unit;
    int r = 32;
    AddFlowRow(page, r, in);
    if (in.flowMode == FlowWet) {
        r = 34;
        AddText(page, At(u, 6), At(u, r), PrintLabelOf(Field::Moisture));
        AddText(page, At(u, 18), At(u, r), TypedValue(in.moistureText, in.tall.moisture) + " %");
    }
    return AddBoundaryRows(page, r, in);
}

int AddCaseDInputs(PageDescription &page, const OutletInputs &in) {
    const int u = page.unit;
    const int labelX = At(u, 6);
    const int valueX = At(u, 18);
    if (in.sizeMode == SizeByArea) {
        AddText(page, labelX, At(u, 32), PrintLabelOf(Field::Area));
        AddValueWithUnit(page, 32, TypedValue(in.outletAreaText, in.tall.outletArea), "m", "2",
                         true);
    } else {
        AddText(page, labelX, At(u, 32), PrintLabelOf(Field::Diameter));
        AddText(page, valueX, At(u, 32),
                TypedValue(in.outletDiameterText, in.tall.outletDiameter) + " m");
    }
    const bool upward = in.tall.outletDirection == DirectionUpward;
    AddText(page, labelX, At(u, 34), PrintLabelOf(Field::Direction));
    AddText(page, valueX, At(u, 34), upward ? "上向き" : "下向き");
    int f = 36;
    if (upward) {
        AddText(page, labelX, At(u, 36), PrintLabelOf(Field::Temperature));
        AddText(page, valueX, At(u, 36),
                TypedValue(in.gasTemperatureText, in.tall.gasTemperature) + " ℃");
        f = 38;
    }
    if (in.flowMode == FlowVelocity) {
        AddText(page, labelX, At(u, f), PrintLabelOf(Field::Velocity));
        AddText(page, valueX, At(u, f), CutText(in.exitVelocityText, kVelocityBytes) + " m/s");
    } else {
        AddFlowRow(page, f, in);
    }
    AddText(page, labelX, At(u, f + 2), PrintLabelOf(Field::Moisture));
    AddText(page, valueX, At(u, f + 2), TypedValue(in.moistureText, in.tall.moisture) + " %");
    return AddBoundaryRows(page, f + 2, in);
}

void AddTallOutputs(PageDescription &page, const Report &from) {
    const int u = page.unit;
    const OutletInputs &in = from.inputs;
    const TallOutletResult &r = from.results.tall;
    const int labelX = At(u, 27);
    const int valueX = At(u, 45);
    AddText(page, labelX, At(u, 28), "２号基準：臭気排出強度（ＫＶＴ）");
    AddEmissionRate(page, valueX, At(u, 28), from.shown.rateMantissa, from.shown.rateExponent);
    AddText(page, labelX, At(u, 30), "排出口における許容臭気指数");
    AddText(page, valueX, At(u, 30), Format("%d", RoundShown(r.allowableOutletIndex)), kResultBlue);
    AddText(page, At(u, 40), At(u, 32, -1, 2),
            Format("（ ＝ １号基準(%d) + 希釈度(%d) ）", RoundShown(in.tall.no1Standard),
                   RoundShown(r.dilutionDegree)));
    AddText(page, labelX, At(u, 34), "標準状態における排出ガス流量（乾き）");
    char flow[400];
    std::snprintf(flow, sizeof flow, "%.1lf m  /min", r.dryFlow);
    const int n = static_cast<int>(std::string(flow).size());
    AddText(page, valueX, At(u, 34), flow, kResultBlue);
    AddText(page,
            valueX + static_cast<int>(static_cast<float>(n - 6) * static_cast<float>(u) / 2.0f),
            At(u, 34) - u / 4, "3", kResultBlue);
    AddText(page, labelX, At(u, 37), "【他の項目】");
    AddText(page, labelX, At(u, 39), "周辺建物による拡散影響（ダウンドラフト）");
    if (const char *word = DownwashWord(r.downwashClass); *word != '\0')
        AddText(page, valueX, At(u, 39), word, kResultBlue);
    AddText(page, labelX, At(u, 41), "有効発生源高さ（ダウンドラフトを含む）");
    char height[400];
    std::snprintf(height, sizeof height, "%.2lf m", r.effectiveHeight);
    AddText(page, valueX, At(u, 41), height, kResultBlue);
}

} // namespace

PageDescription DescribeTallOutletReport(OutletCase report, const Report &from, int u) {
    const OutletInputs &in = from.inputs;
    PageDescription page{u, {}};
    AddReportHeader(page, report, from, CasePageHeading(report));
    const int labelX = At(u, 6);
    const int valueX = At(u, 18);
    AddText(page, labelX, At(u, 26), PrintLabelOf(Field::OutletHeight));
    AddText(page, valueX, At(u, 26),
            TypedValue(in.outletHeightText, in.tall.tallOutletHeight) + " m");
    AddText(page, labelX, At(u, 28), PrintLabelOf(Field::BuildingHeight));
    AddText(page, valueX, At(u, 28),
            TypedValue(in.buildingHeightText, in.tall.tallBuildingHeight) + " m");
    AddText(page, labelX, At(u, 30), PrintLabelOf(Field::No1Standard));
    AddText(page, valueX, At(u, 30), in.no1StandardText);
    const int last = report == CaseC ? AddCaseCInputs(page, in) : AddCaseDInputs(page, in);
    // The verdict below the last input row: the column has room down to the frame's end.
    AddVerdictBlock(page, labelX, At(u, last + 2), from, true);
    AddReportFooter(page, report, from);
    AddTallOutputs(page, from);
    AddReportMap(page, 45, from);
    AddReportFrame(page, report);
    return page;
}
