#include "calc/outcome_report.h"

#include "calc/compliance.h"
#include "model/case_texts.h"
#include "model/outlet_inputs.h"
#include "model/quantise.h"
#include "model/result_texts.h"
#include "text/text_helpers.h"
#include "text/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// Code page 932 has no ³: the unit is written plainly here and raised at the end where the
// terminal can show it.
constexpr char kFlowUnit[] = "m3N/min";
constexpr char kRaisedFlowUnit[] = "m\xC2\xB3N/min"; // UTF-8

const OutcomeField *Find(const Outcome &outcome, const char *key) {
    for (const OutcomeField &f : outcome)
        if (f.key == key)
            return &f;
    return nullptr;
}

double NumberOf(const Outcome &outcome, const char *key, double absent = -1) {
    const OutcomeField *f = Find(outcome, key);
    return f != nullptr && f->kind == OutcomeField::Number ? f->number : absent;
}

std::string TextOf(const Outcome &outcome, const char *key) {
    const OutcomeField *f = Find(outcome, key);
    return f != nullptr && f->kind == OutcomeField::Text ? f->text : std::string();
}

OutletCase CaseOfLetter(const std::string &name) {
    return name == "A" ? CaseA : name == "B" ? CaseB : name == "C" ? CaseC : CaseD;
}

// An emission rate as the screen shows it, the power written after a caret on one line.
std::string RateText(const std::string &mantissa, const std::string &exponent) {
    if (exponent.empty())
        return mantissa; // "∞": no limit
    return mantissa + "^" + exponent + " " + kFlowUnit;
}

using Lines = std::vector<std::pair<std::string, std::string>>;

void TallLines(const Outcome &outcome, Lines &lines) {
    lines.push_back(
        {"２号基準：臭気排出強度（ＫＶＴ）",
         RateText(TextOf(outcome, "rateMantissaText"), TextOf(outcome, "rateExponentText"))});
    // The screen pads the index to eight places before its make-up; one line needs none.
    const double index = NumberOf(outcome, "allowableOutletIndex");
    if (index >= 0)
        lines.push_back({"排出口における許容臭気指数",
                         Format("%d（＝1号基準（%d）＋希釈度（%d））", RoundShown(index),
                                RoundShown(NumberOf(outcome, "no1Standard")),
                                RoundShown(NumberOf(outcome, "dilutionDegree")))});
    // One decimal, as the printed report gives the flow whatever was typed.
    lines.push_back({"標準状態における排出ガス流量（乾き）",
                     Format("%.1lf ", NumberOf(outcome, "dryFlow")) + kFlowUnit});
    const std::string boundary = TextOf(outcome, "boundaryText");
    if (!boundary.empty())
        lines.push_back({"敷地境界　：風下距離", boundary + " m"});
    std::string landing = TextOf(outcome, "landingDistanceText");
    landing.erase(0, landing.find_first_not_of(' '));
    if (!landing.empty()) {
        lines.push_back({"最大着地濃度地点　：風下距離", landing + " m"});
        lines.push_back({"最大着地濃度地点　：希釈度", TextOf(outcome, "landingDilutionText")});
    }
    lines.push_back({"周辺建物による拡散影響（ダウンドラフト）",
                     DownwashWord(static_cast<int>(NumberOf(outcome, "downwashClass")))});
    lines.push_back({"有効発生源高さ（ダウンドラフトを含む）",
                     Format("%.2lf m", NumberOf(outcome, "effectiveHeight"))});
}

void LowLines(const Outcome &outcome, Lines &lines) {
    lines.push_back({"２号基準：臭気指数", Format("%d（ ＝ １号基準(%d) ＋ 希釈度(%d) ）",
                                                  RoundShown(NumberOf(outcome, "no2Index")),
                                                  RoundShown(NumberOf(outcome, "no1Index")),
                                                  RoundShown(NumberOf(outcome, "dilution")))});
}

void VerdictLines(const Outcome &outcome, Lines &lines) {
    const OutcomeField *complies = Find(outcome, "complies");
    if (complies == nullptr)
        return;
    lines.push_back(
        {"排出口の臭気指数（測定値）", Format("%g", NumberOf(outcome, "measuredIndex"))});
    const double rate = NumberOf(outcome, "measuredEmissionRate");
    if (rate >= 0) {
        std::string mantissa, exponent;
        FormatEmissionRate(rate, &mantissa, &exponent);
        lines.push_back({"臭気排出強度（測定値から）", RateText(mantissa, exponent)});
    }
    const OutcomeField *margin = Find(outcome, "margin");
    const bool withMargin = margin != nullptr && margin->kind == OutcomeField::Number;
    const std::string verdict =
        VerdictText(complies->number != 0, withMargin ? margin->number : NAN);
    lines.push_back({"判定", verdict});
}

} // namespace

int DisplayWidth(const std::string &cp932) {
    int width = 0;
    for (size_t i = 0; i < cp932.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size()) {
            ++i;
            width += 2;
        } else {
            width += 1;
        }
    }
    return width;
}

std::string OutcomeReport(const Outcome &outcome, bool superscriptThree,
                          const TextConverter &toUtf8) {
    const std::string caseName = TextOf(outcome, "case");
    Lines lines;
    lines.push_back({"ケース", CaseScreenHeading(CaseOfLetter(caseName))});
    if (caseName == "A" || caseName == "B")
        LowLines(outcome, lines);
    else
        TallLines(outcome, lines);
    VerdictLines(outcome, lines);
    int column = 0;
    for (const auto &line : lines)
        column = std::max(column, DisplayWidth(line.first));
    std::string report;
    for (const auto &line : lines) {
        std::string text =
            line.first + std::string(column + 2 - DisplayWidth(line.first), ' ') + line.second;
        text = toUtf8(text);
        if (superscriptThree)
            for (size_t at; (at = text.find(kFlowUnit)) != std::string::npos;)
                text.replace(at, sizeof kFlowUnit - 1, kRaisedFlowUnit);
        report += text + "\n";
    }
    // After the verdict, in the words the screens show it.
    const double reduction = NumberOf(outcome, "requiredReduction");
    if (reduction >= 0)
        report += toUtf8(ReductionText(reduction)) + "\n";
    return report;
}
