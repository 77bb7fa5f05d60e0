#include "calc/height_chart.h"

#include "model/quantise.h"
#include "text/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A value as the outcome lists it: a number, or none (read as infinite) when not finite.
double Listed(double v) {
    return std::isfinite(v) ? v : HUGE_VAL;
}

// The chart's frame in SVG user units.
constexpr double kWidth = 800, kHeight = 480;
constexpr double kLeft = 70, kRight = 20, kTop = 40, kBottom = 60;

// A round step of about a tenth of span.
double TickStep(double span) {
    const double raw = span / 8;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

const char *CaseFill(char c) {
    switch (c) {
    case 'A': return "#e8f0fa";
    case 'B': return "#eaf6e6";
    case 'C': return "#fbf0e0";
    default: return "#f3e8f6";
    }
}

// The full-width letter the screens write the case with, code page 932.
std::string CaseName(char c) {
    static const char *names[] = {"ケースＡ", "ケースＢ", "ケースＣ", "ケースＤ"};
    return c >= 'A' && c <= 'D' ? names[c - 'A'] : "";
}

} // namespace

std::vector<SweepRow> SweepRows(const std::vector<HeightScanPoint> &points) {
    std::vector<SweepRow> rows;
    for (const HeightScanPoint &p : points) {
        if (p.stop != HeightStop::None)
            break;
        SweepRow r;
        r.heightText = p.heightText;
        r.height = std::strtod(p.heightText.c_str(), nullptr);
        r.caseLetter = static_cast<char>('A' + (p.outletCase - CaseA));
        r.no2Index = RoundShown(Listed(p.index));
        r.dilution = RoundShown(Listed(p.dilution));
        if (p.outletCase == CaseC || p.outletCase == CaseD)
            r.allowableEmissionRate = Listed(p.standard.allowableEmissionRate);
        r.judged = p.judged;
        r.complies = p.verdict.complies;
        rows.push_back(r);
    }
    return rows;
}

const SweepRow *FirstComplying(const std::vector<SweepRow> &rows) {
    for (const SweepRow &r : rows)
        if (r.judged && r.complies)
            return &r;
    return nullptr;
}

std::string SweepCsv(const std::vector<SweepRow> &rows, const TextConverter &toUtf8) {
    const bool judged = !rows.empty() && rows.front().judged;
    std::string csv = "height,case,no2Index,dilution,allowableEmissionRate";
    csv += judged ? ",complies\n" : "\n";
    for (const SweepRow &r : rows) {
        csv += r.heightText + "," + r.caseLetter + Format(",%d,%d,", r.no2Index, r.dilution);
        if (std::isinf(r.allowableEmissionRate))
            csv += "inf";
        else if (r.allowableEmissionRate >= 0)
            csv += Format("%.17g", r.allowableEmissionRate);
        if (judged)
            csv += "," + toUtf8(r.complies ? "適合" : "不適合");
        csv += "\n";
    }
    return csv;
}

std::string SweepSvg(const std::vector<SweepRow> &rows, double measuredIndex,
                     const TextConverter &toUtf8) {
    const double plotW = kWidth - kLeft - kRight, plotH = kHeight - kTop - kBottom;
    double x0 = rows.empty() ? 0 : rows.front().height;
    double x1 = rows.empty() ? 1 : rows.back().height;
    if (x1 <= x0)
        x1 = x0 + 1;
    double y0 = measuredIndex >= 0 ? measuredIndex : 1e9,
           y1 = measuredIndex >= 0 ? measuredIndex : -1e9;
    for (const SweepRow &r : rows) {
        y0 = std::min(y0, static_cast<double>(r.no2Index));
        y1 = std::max(y1, static_cast<double>(r.no2Index));
    }
    if (rows.empty() && measuredIndex < 0)
        y0 = 0, y1 = 10;
    const double yStep = TickStep(std::max(1.0, y1 - y0));
    y0 = std::floor(y0 / yStep) * yStep - (y0 == std::floor(y0 / yStep) * yStep ? yStep : 0);
    y1 = std::ceil(y1 / yStep) * yStep + (y1 == std::ceil(y1 / yStep) * yStep ? yStep : 0);
    y0 = std::max(0.0, y0);
    auto X = [&](double h) { return kLeft + (h - x0) / (x1 - x0) * plotW; };
    auto Y = [&](double v) { return kTop + plotH - (v - y0) / (y1 - y0) * plotH; };

    std::string svg = Format("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%g\" "
                             "height=\"%g\" viewBox=\"0 0 %g %g\" "
                             "font-family=\"IPAGothic, 'IPA Gothic', sans-serif\" "
                             "font-size=\"13\">\n",
                             kWidth, kHeight, kWidth, kHeight);
    svg += Format("<rect width=\"%g\" height=\"%g\" fill=\"white\"/>\n", kWidth, kHeight);

    // The stretch of each case, from halfway between its first row and the row before it.
    svg += "<g id=\"cases\">\n";
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1].caseLetter == rows[i].caseLetter)
            ++j;
        const double from = i == 0 ? x0 : (rows[i - 1].height + rows[i].height) / 2;
        const double to = j + 1 == rows.size() ? x1 : (rows[j].height + rows[j + 1].height) / 2;
        svg += Format("<rect class=\"case\" x=\"%.2f\" y=\"%g\" width=\"%.2f\" height=\"%g\" "
                      "fill=\"%s\"/>\n",
                      X(from), kTop, X(to) - X(from), plotH, CaseFill(rows[i].caseLetter));
        // A stretch too narrow for the case's name keeps its letter.
        const double width = X(to) - X(from);
        const std::string name = CaseName(rows[i].caseLetter);
        if (width >= 16)
            svg += toUtf8(Format("<text x=\"%.2f\" y=\"%g\" text-anchor=\"middle\" "
                                 "fill=\"#555\">%s</text>\n",
                                 (X(from) + X(to)) / 2, kTop + 16,
                                 width >= 60 ? name.c_str() : name.c_str() + 6));
        i = j + 1;
    }
    svg += "</g>\n";

    // Grid and ticks.
    svg += "<g id=\"axes\" stroke=\"#999\" stroke-width=\"0.5\">\n";
    for (double v = y0; v <= y1 + 1e-9; v += yStep)
        svg += Format("<line x1=\"%g\" y1=\"%.2f\" x2=\"%g\" y2=\"%.2f\"/>\n", kLeft, Y(v),
                      kLeft + plotW, Y(v));
    const double xStep = TickStep(x1 - x0);
    for (double h = std::ceil(x0 / xStep) * xStep; h <= x1 + 1e-9; h += xStep)
        svg += Format("<line x1=\"%.2f\" y1=\"%g\" x2=\"%.2f\" y2=\"%g\"/>\n", X(h), kTop + plotH,
                      X(h), kTop + plotH + 5);
    svg += Format("<rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" fill=\"none\" "
                  "stroke=\"black\" stroke-width=\"1\"/>\n</g>\n",
                  kLeft, kTop, plotW, plotH);
    svg += "<g id=\"tick-labels\" fill=\"black\">\n";
    for (double v = y0; v <= y1 + 1e-9; v += yStep)
        svg += Format("<text x=\"%g\" y=\"%.2f\" text-anchor=\"end\">%g</text>\n", kLeft - 6,
                      Y(v) + 4, v);
    for (double h = std::ceil(x0 / xStep) * xStep; h <= x1 + 1e-9; h += xStep)
        svg += Format("<text x=\"%.2f\" y=\"%g\" text-anchor=\"middle\">%g</text>\n", X(h),
                      kTop + plotH + 19, h);
    svg += "</g>\n";
    svg += toUtf8(Format("<text id=\"x-label\" x=\"%g\" y=\"%g\" text-anchor=\"middle\">"
                         "排出口の実高さ（m）</text>\n",
                         kLeft + plotW / 2, kHeight - 14));
    svg += toUtf8(Format("<text id=\"y-label\" x=\"18\" y=\"%g\" text-anchor=\"middle\" "
                         "transform=\"rotate(-90 18 %g)\">"
                         "２号基準：臭気指数（排出口における許容臭気指数）</text>\n",
                         kTop + plotH / 2, kTop + plotH / 2));

    // The standard: a step at each row, as it is shown in whole indices.
    std::string points;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double from = i == 0 ? x0 : (rows[i - 1].height + rows[i].height) / 2;
        const double to = i + 1 == rows.size() ? x1 : (rows[i].height + rows[i + 1].height) / 2;
        points += Format("%.2f,%.2f %.2f,%.2f ", X(from), Y(rows[i].no2Index), X(to),
                         Y(rows[i].no2Index));
    }
    svg += "<polyline id=\"standard\" fill=\"none\" stroke=\"#1f4fbf\" stroke-width=\"2\" "
           "points=\"" +
           points + "\"/>\n";

    if (measuredIndex >= 0) {
        svg += Format("<line id=\"measured\" x1=\"%g\" y1=\"%.2f\" x2=\"%g\" y2=\"%.2f\" "
                      "stroke=\"#c62828\" stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/>\n",
                      kLeft, Y(measuredIndex), kLeft + plotW, Y(measuredIndex));
        // At the left, and the complying height's label at the foot of its line: the two
        // never meet where the line reaches the measured index.
        svg += toUtf8(Format("<text x=\"%g\" y=\"%.2f\" text-anchor=\"start\" fill=\"#c62828\">"
                             "排出口の臭気指数（測定値） %g</text>\n",
                             kLeft + 6, Y(measuredIndex) - 6, measuredIndex));
    }
    if (const SweepRow *first = FirstComplying(rows)) {
        const double x = X(first->height);
        svg += Format("<g id=\"complying-height\">\n<line x1=\"%.2f\" y1=\"%g\" x2=\"%.2f\" "
                      "y2=\"%g\" stroke=\"#2e7d32\" stroke-width=\"1.5\"/>\n",
                      x, kTop, x, kTop + plotH);
        svg += Format("<circle cx=\"%.2f\" cy=\"%.2f\" r=\"4\" fill=\"#2e7d32\"/>\n", x,
                      Y(first->no2Index));
        const bool right = x < kLeft + plotW * 0.7;
        svg += toUtf8(Format("<text x=\"%.2f\" y=\"%g\" text-anchor=\"%s\" fill=\"#2e7d32\">"
                             "適合する高さ %s m</text>\n</g>\n",
                             right ? x + 6 : x - 6, kTop + plotH - 8, right ? "start" : "end",
                             first->heightText.c_str()));
    }
    svg += toUtf8(Format("<text id=\"title\" x=\"%g\" y=\"24\" text-anchor=\"middle\" "
                         "font-size=\"15\">排出口の実高さと２号基準</text>\n",
                         kWidth / 2));
    return svg + "</svg>\n";
}
