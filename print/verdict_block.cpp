#include "print/report_rules.h"

#include "model/result_texts.h"
#include "model/verdict_texts.h"
#include "resources/version.h"
#include "text/format.h"

namespace {

constexpr char kSmellPrmLine[] = "拡散モデルの定数：smell.prm";

} // namespace

void AddEmissionRate(PageDescription &page, int x, int y, const std::string &mantissa,
                     const std::string &exponent) {
    const int u = page.unit;
    AddText(page, x, y, mantissa, kResultBlue);
    if (exponent.empty())
        return;
    // The exponent half a unit up against the "×10", as the screen sets it; the unit a
    // blank further, its "3" a quarter unit up.
    AddFollowingText(page, 0, u / 2, exponent);
    AddFollowingText(page, u / 4, -(u / 2), "m");
    AddFollowingText(page, 0, u / 4, "3");
    AddFollowingText(page, 0, -(u / 4), "N/min");
}

void AddVerdictBlock(PageDescription &page, int x, int y, const Report &from, bool tall) {
    if (!from.judged)
        return;
    const int u = page.unit;
    const int step = At(u, 1, 1, 2);
    const int valueX = x + At(u, 7);
    const OutletInputs &in = from.inputs;
    AddText(page, x, y, "排出口の臭気指数（測定値）");
    AddText(page, x + At(u, 14), y, TypedValue(in.measuredIndexText, in.measuredIndex));
    const Compliance &v = from.verdict;
    if (tall && v.measuredEmissionRate >= 0) {
        std::string mantissa, exponent;
        FormatEmissionRate(v.measuredEmissionRate, &mantissa, &exponent);
        y += step;
        AddText(page, x, y, "臭気排出強度（測定値から）");
        y += step;
        AddEmissionRate(page, valueX, y, mantissa, exponent);
    }
    y += step;
    AddText(page, x, y, "判定");
    AddText(page, valueX, y, VerdictText(v.complies, v.margin), kResultBlue);
    if (!v.complies) {
        y += step;
        AddText(page, x, y, "必要な低減率");
        AddText(page, valueX, y, Format("%d %%", ShownReductionPercent(from.reduction)),
                kResultBlue);
    }
}

void AddReportFooter(PageDescription &page, OutletCase report, const Report &from) {
    const int u = page.unit;
    const bool tall = report == CaseC || report == CaseD;
    const int x = At(u, tall ? 6 : 8);
    const int right = At(u, tall ? 25 : 30, tall ? 0 : 1, 2);
    const int height = ScaledUnit(0.8f, u);
    // Small, from the frame's bottom up, a quarter unit clear of it. The input column is too
    // narrow for the constants in one line: the count goes on a line of its own.
    std::vector<std::string> lines = {KAMORTE_VERSION_TEXT};
    if (from.constantsChanged > 0) {
        lines.push_back(kSmellPrmLine);
        lines.push_back(Format("（既定値と異なる定数 %d 個）", from.constantsChanged));
    }
    int y = At(u, tall ? 62 : 47) - u / 4 - height * static_cast<int>(lines.size());
    // In the body font: of a register's many pages, the line that tells one from the others.
    if (!from.registerLine.empty())
        AddSizedText(page, x, y - u, from.registerLine, 0, right - x - u / 2);
    for (const std::string &line : lines) {
        AddSizedText(page, x, y, line, height, right - x - u / 2);
        y += height;
    }
}
