#include "tools/kamorte_calc/height_commands.h"

#include "calc/calc_output.h"
#include "calc/compliance.h"
#include "calc/height_chart.h"
#include "calc/height_scan.h"
#include "calc/outcome_report.h"
#include "calc/output_file.h"
#include "model/field_table.h"
#include "tools/kamorte_calc/output_message.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

unsigned Workers() {
    return std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
}

SmellParams Params() {
    SmellParams params;
    SetDefaultSmellParams(params);
    ReadSmellParams(params);
    return params;
}

// A scan that ended on an error: the message on standard error, and its status.
int Stopped(const RequestError &error, const char *usage) {
    if (error.status == kInternalGuard) {
        std::fputs(error.message.c_str(), stdout); // the flow guard's line, as ever
        return kInternalGuard;
    }
    std::fprintf(stderr, "%s%s\n", error.status == kBadUsage ? "kamorte-calc: " : "",
                 Cp932ToUtf8(error.message).c_str());
    if (error.status == kBadUsage)
        std::fprintf(stderr, "\n%s", usage);
    return error.status;
}

// What a computation needs that the scan replaces or cannot honour.
RequestError CheckScanOptions(const OutletOptions &outlet, const char *what) {
    if (!outlet.count(OptionOf(Field::OutletHeight)))
        return {kBadUsage, std::string(what) + " needs " + DashedOption(Field::OutletHeight) +
                               ", where the scan starts"};
    if (outlet.count(OptionOf(Field::Case)))
        return {kBadUsage, std::string(what) + " chooses the case from the heights: give no " +
                               DashedOption(Field::Case)};
    return {};
}

} // namespace

int RunSolveHeight(const OutletOptions &outlet, OutputFormat format, const char *usage) {
    RequestError e = CheckScanOptions(outlet, "--solve height");
    if (!e.status && !outlet.count(OptionOf(Field::MeasuredIndex)))
        e = {kBadUsage, "--solve height needs " + DashedOption(Field::MeasuredIndex)};
    if (e.status) {
        std::fprintf(stderr, "kamorte-calc: %s\n\n%s", e.message.c_str(), usage);
        return e.status;
    }
    std::vector<std::string> heights = SearchHeights(outlet.at(OptionOf(Field::OutletHeight)));
    if (heights.empty())
        heights.push_back(outlet.at(
            OptionOf(Field::OutletHeight))); // refused at once, with the start menu's message
    const SmellParams params = Params();
    const OptionScan scan = ScanOptionHeights(outlet, heights, params, true, Workers());
    if (scan.error.status)
        return Stopped(scan.error, usage);
    const std::vector<HeightScanPoint> &points = scan.points;
    const HeightScanPoint &last = points.back();
    const bool found = last.verdict.complies;
    // Found: the result at that height. Not found: the result at the given height.
    Outcome outcome = OutcomeAtHeight(outlet, scan, found ? last : points.front(), params);
    const char *caseNames[] = {"", "A", "B", "C", "D"};
    if (found) {
        outcome.push_back({OutcomeField::Number, "solvedHeight",
                           std::strtod(last.heightText.c_str(), nullptr), ""});
        outcome.push_back({OutcomeField::Text, "solvedCase", 0, caseNames[last.outletCase]});
    } else {
        outcome.push_back({OutcomeField::Null, "solvedHeight", 0, ""});
        outcome.push_back({OutcomeField::Null, "solvedCase", 0, ""});
    }
    std::string shown;
    if (format == OutputFormat::Json) {
        shown = OutcomeJson(outcome, Cp932ToUtf8);
    } else if (format == OutputFormat::KeyValue) {
        shown = OutcomeText(outcome, Cp932ToUtf8);
    } else {
        const std::string from = points.front().heightText;
        shown = found
                    ? "排出口の実高さ " + last.heightText + " m で適合します（" + from +
                          " m から 0.1 m ごとに調べた最も低い高さ）。\n\n"
                    : "排出口の実高さ " + from +
                          " m から 400 m まで 0.1 m ごとに調べましたが、適合する高さはありません。"
                          "\n" +
                          from + " m での結果：\n\n";
        shown = Cp932ToUtf8(shown) +
                OutcomeReport(outcome, TerminalShowsSuperscriptThree(), Cp932ToUtf8);
    }
    std::fputs(shown.c_str(), stdout);
    return kComputed;
}

int RunSweepHeight(const OutletOptions &outlet, const std::string &range,
                   const std::string &plotPath, const char *usage) {
    std::string problem;
    const std::vector<std::string> heights = SweepHeights(range, &problem);
    RequestError e = CheckScanOptions(outlet, "--sweep");
    if (!e.status && heights.empty())
        e = {kBadUsage, problem};
    if (e.status) {
        std::fprintf(stderr, "kamorte-calc: %s\n\n%s", e.message.c_str(), usage);
        return e.status;
    }
    const OptionScan scan = ScanOptionHeights(outlet, heights, Params(), false, Workers());
    if (scan.error.status)
        return Stopped(scan.error, usage);
    const std::vector<SweepRow> rows = SweepRows(scan.points);
    if (!plotPath.empty()) {
        double measured = -1;
        if (rows.front().judged)
            ReadMeasuredIndex(outlet.at(OptionOf(Field::MeasuredIndex)), &measured);
        OutputFile file(plotPath);
        const std::string svg = SweepSvg(rows, measured, Cp932ToUtf8);
        if (file.Stream() == nullptr ||
            std::fwrite(svg.data(), 1, svg.size(), file.Stream()) != svg.size() || !file.Commit()) {
            ReportUnwritten(plotPath, file.Problem());
            return kBadUsage;
        }
    }
    std::fputs(SweepCsv(rows, Cp932ToUtf8).c_str(), stdout);
    return kComputed;
}
