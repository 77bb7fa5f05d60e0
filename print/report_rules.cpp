#include "print/report_rules.h"

#include "model/dilution_grid.h"
#include "print/printed_map.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

bool TallLayout(OutletCase report) {
    return report == CaseC || report == CaseD;
}

// The start of text that fits in maxBytes, ending after its last blank when it has one and
// the rest still fits in laterBytes, so that "主任技師　山田太郎" keeps the person's name on
// one line; never empty.
std::string LineOf(const std::string &text, int maxBytes, int laterBytes) {
    const std::string cut = CutText(text.c_str(), maxBytes);
    if (cut.empty())
        return text;
    if (cut.size() == text.size())
        return cut;
    size_t afterBlank = 0;
    for (size_t i = 0; i < cut.size(); ++i) {
        if (cut[i] == ' ')
            afterBlank = i + 1;
        else if (cut.compare(i, 2, "　") == 0)
            afterBlank = i + 2;
        if (IsLeadByte(static_cast<unsigned char>(cut[i])))
            ++i;
    }
    const bool restFits = static_cast<int>(text.size() - afterBlank) <= laterBytes;
    return afterBlank > 0 && restFits ? cut.substr(0, afterBlank) : cut;
}

} // namespace

ReportNames NamesOf(const PrintInfo &info) {
    const auto text = [](const char(&field)[kPrintInfoSize]) {
        return std::string(field, strnlen(field, kPrintInfoSize));
    };
    return {text(info.authorName), text(info.officeName), text(info.facilityName)};
}

std::string &NameOf(ReportNames &names, Field field) {
    return field == Field::AuthorName   ? names.authorName
           : field == Field::OfficeName ? names.officeName
                                        : names.facilityName;
}

Report MakeReport(OutletCase report, const OutletInputs &in, const OutletResults &results,
                  const double *grid, const MapSettings &map, const PrintInfo &info, bool colour) {
    Report made{};
    made.inputs = in;
    made.results = results;
    made.info = NamesOf(info);
    made.map = map;
    made.colour = colour;
    if (TallLayout(report)) {
        const TallOutletResult &r = results.tall;
        made.shown = FormatTallResults(in, r, grid);
        made.landingDilution = LandingDilution(r, grid);
        made.mapPicture = PrintedMapImage(colour, grid, map, in, r);
        made.constantsChanged = results.tallConstantsChanged;
    }
    JudgeReport(report, made);
    return made;
}

void JudgeReport(OutletCase report, Report &made) {
    const OutletResults &results = made.results;
    const bool computed = TallLayout(report) ? HasResult(results.tall) : HasResult(results.low);
    made.judged = false;
    if (computed && made.inputs.measuredIndex >= 0) {
        const OutletStandard standard = StandardOf(report, results);
        made.judged = JudgeMeasured(standard, made.inputs.measuredIndex, &made.verdict);
        if (made.judged)
            made.reduction = ReductionNeeded(standard, made.verdict);
    }
}

std::string FormatReportDate(int year, int month, int day, int hour, int minute, int second) {
    char text[80];
    std::snprintf(text, sizeof text, "%d年%02d月%02d日%2d時%02d分%02d秒", year, month, day, hour,
                  minute, second);
    return text;
}

std::string CutText(const char *text, int maxBytes) {
    std::string cut(static_cast<size_t>(maxBytes) + 1, '\0');
    CopyText(&cut[0], static_cast<unsigned>(maxBytes) + 1, text);
    cut.resize(std::strlen(cut.c_str()));
    return cut;
}

std::string TypedValue(const char *text, double stored) {
    if (std::strlen(text) < 10)
        return text;
    char formatted[400];
    std::snprintf(formatted, sizeof formatted, "%.1lf", stored);
    return formatted;
}

void AddWholeName(PageDescription &page, int x, int nextX, int y, int right,
                  const std::string &name, int maxLines) {
    if (name.empty())
        return;
    const int u = page.unit;
    const int bytes = static_cast<int>(name.size());
    const int smallest = ScaledUnit(0.8f, u);
    const int fitting = (right - x) * 2 / bytes;
    if (fitting >= u) {
        AddSizedText(page, x, y, name, 0, right - x);
        return;
    }
    // A smaller first line ends where its label ends, as if on the same line of print.
    if (fitting >= smallest) {
        AddSizedText(page, x, y + u - fitting, name, fitting, right - x);
        return;
    }
    std::string rest = name;
    int lineX = x;
    y += u - smallest;
    for (int line = 1; !rest.empty(); ++line) {
        const int width = right - lineX;
        const int laterBytes = (maxLines - line) * ((right - nextX) * 2 / smallest);
        std::string part = line == maxLines ? rest : LineOf(rest, width * 2 / smallest, laterBytes);
        AddSizedText(page, lineX, y, part, smallest, width);
        rest.erase(0, part.size());
        lineX = nextX;
        y += smallest;
    }
}

void AddReportHeader(PageDescription &page, OutletCase report, const Report &from,
                     const char *caseHeading) {
    const int u = page.unit;
    const bool tall = TallLayout(report);
    // The tall layout is two units wider: everything on the left moves out by two, the
    // right-hand header items in by two.
    const int left = tall ? 5 : 7;
    const int right = tall ? 41 : 39;
    const ReportNames &info = from.info;
    AddText(page, At(u, left), At(u, 7), from.title, kLabelBlack, ReportFont::Title);
    AddText(page, At(u, right), At(u, 11), from.printedAt);
    // Each name is printed whole, within the frame's width. The author has the rows down to
    // the office line; its further lines start under its label. The office and facility
    // lines are two units apart: each may take the unit below it.
    const int frameRight = At(u, tall ? 55 : 53);
    AddText(page, At(u, right), At(u, 13), "作成者");
    AddWholeName(page, At(u, right + 4), At(u, right), At(u, 13), frameRight, info.authorName, 3);
    AddText(page, At(u, left), At(u, 16), "事業所名");
    AddWholeName(page, At(u, 12), At(u, 12), At(u, 16), frameRight, info.officeName, 2);
    AddText(page, At(u, left), At(u, 18), "施設名");
    AddWholeName(page, At(u, 12), At(u, 12), At(u, 18), frameRight, info.facilityName, 2);
    AddText(page, At(u, left), At(u, 22), caseHeading);
    AddText(page, At(u, tall ? 6 : 8), At(u, 24), "【入力項目】");
    AddText(page, At(u, tall ? 26 : 32), At(u, 24), "【出力項目】");
    AddText(page, At(u, tall ? 26 : 32), At(u, 26),
            tall ? "左記条件の排出口についての計算結果です。"
                 : "左記条件の排出口についての算定結果です。");
}

void AddReportFrame(PageDescription &page, OutletCase report) {
    const int u = page.unit;
    const int top = At(u, 24, 1, 2);
    if (TallLayout(report)) {
        const int bottom = At(u, 62);
        AddLine(page, At(u, 5), top, At(u, 5, 1, 2), top);
        AddLine(page, At(u, 11, 1, 2), top, At(u, 25, 1, 2), top);
        AddLine(page, At(u, 31, 1, 2), top, At(u, 55), top);
        AddLine(page, At(u, 5), top, At(u, 5), bottom);
        AddLine(page, At(u, 25), top, At(u, 25), bottom);
        AddLine(page, At(u, 55), top, At(u, 55), bottom);
        AddLine(page, At(u, 5), bottom, At(u, 55), bottom);
        return;
    }
    const int bottom = At(u, 47);
    AddLine(page, At(u, 7), top, At(u, 7, 1, 2), top);
    AddLine(page, At(u, 13, 1, 2), top, At(u, 31, 1, 2), top);
    AddLine(page, At(u, 37, 1, 2), top, At(u, 53), top);
    AddLine(page, At(u, 7), top, At(u, 7), bottom);
    AddLine(page, At(u, 30, 1, 2), top, At(u, 30, 1, 2), bottom);
    AddLine(page, At(u, 53), top, At(u, 53), bottom);
    AddLine(page, At(u, 7), bottom, At(u, 53), bottom);
}

void AddValueWithUnit(PageDescription &page, int row, const std::string &value, const char *unit,
                      const char *superscript, bool longRule) {
    const int u = page.unit;
    const int n = static_cast<int>(value.size());
    // Half a unit per byte, in single precision: where the printed value ends.
    auto halfUnits = [u](int bytes) {
        return static_cast<int>(static_cast<float>(bytes) * static_cast<float>(u) / 2.0f + 0.5f);
    };
    const int x = At(u, 18);
    const int y = At(u, row);
    int unitX, raisedX;
    if (!longRule && n < 7) {
        unitX = x + halfUnits(n + 1);
        raisedX = x + halfUnits(n + 2) + u / 4;
    } else {
        unitX = x + halfUnits(n) + u / 4;
        raisedX = x + halfUnits(n + 1) + u / 2;
    }
    AddText(page, x, y, value);
    AddText(page, unitX, y, unit);
    AddText(page, raisedX, y - u / 4, superscript);
}

PageDescription DescribeReport(OutletCase report, const Report &from, int u) {
    return TallLayout(report) ? DescribeTallOutletReport(report, from, u)
                              : DescribeLowOutletReport(report, from, u);
}

const char *ReportDocumentName(OutletCase report) {
    switch (report) {
    case CaseA: return "算定結果（排出口高さ６．７ｍ未満）";
    case CaseB: return "算定結果（排出口高さ６．７ｍ以上、１５ｍ未満）";
    case CaseC: return "算定結果（排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍未満）";
    default: break;
    }
    return "算定結果（排出口高さが１５ｍ以上かつ周辺最大建物高さの１．５倍以上）";
}
