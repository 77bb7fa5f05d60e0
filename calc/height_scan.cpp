#include "calc/height_scan.h"

#include "calc/compliance.h"
#include "model/field_table.h"
#include "model/small_outlet.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

// A sweep is a table to read or plot, not a computation of every millimetre.
constexpr size_t kMostSweepHeights = 10001;

bool Has(const OutletOptions &o, Field field) {
    return o.count(OptionOf(field)) != 0;
}

std::string Get(const OutletOptions &o, Field field) {
    auto it = o.find(OptionOf(field));
    return it == o.end() ? std::string() : it->second;
}

// The option's text into the record. An option given without a value stays given: as a
// blank, which every field reads as it reads an empty one.
void Keep(const OutletOptions &o, Field field, char (&text)[kTextSize]) {
    if (Has(o, field))
        CopyText(text, kTextSize, Get(o, field).empty() ? " " : Get(o, field).c_str());
}

// A text longer than a field keeps, which the scan's record cannot hold.
RequestError TooLong(const OutletOptions &o) {
    for (const FieldRow &row : FieldTable())
        if (row.field != Field::OutletHeight && (row.tall.message || row.low.messageA) &&
            Get(o, row.field).size() >= kTextSize)
            return {kBadUsage, DashedOption(row.field) + " takes at most 63 bytes"};
    return {};
}

// The record of every input the options give. A word a choice does not take stands as one
// it takes: the case that reads it refuses the option (CaseUsage) before it is used.
OutletInputs RecordOf(const OutletOptions &o) {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    Keep(o, Field::BuildingHeight, in.buildingHeightText);
    Keep(o, Field::No1Standard, in.no1Text);
    for (const FieldRow &row : FieldTable())
        if (row.tall.message != nullptr && row.field != Field::OutletHeight)
            Keep(o, row.field, in.*row.tall.text);
    const std::string size = Get(o, Field::SizeClass);
    in.sizeClass = size == "medium"           ? SizeMedium
                   : size == "large"          ? SizeLarge
                   : Has(o, Field::SizeClass) ? SizeSmall
                                              : SizeNone;
    in.representativeDiameter = RepresentativeDiameter(in.sizeClass);
    in.sizeMode = Has(o, Field::Area) && !Has(o, Field::Diameter) ? SizeByArea : SizeByDiameter;
    // Case C, which has no velocity, reads the wet or the dry flow when either is given.
    in.flowMode = Has(o, Field::WetFlow)    ? FlowWet
                  : Has(o, Field::DryFlow)  ? FlowDry
                  : Has(o, Field::Velocity) ? FlowVelocity
                                            : FlowDry;
    in.tall.outletDirection = !Has(o, Field::Direction)            ? DirectionNotChosen
                              : Get(o, Field::Direction) == "down" ? DirectionOther
                                                                   : DirectionUpward;
    return in;
}

const char kLetters[] = "?ABCD";

// What the options say wrong to a case whatever its height: its options as the case's
// screen takes them (the moisture of case C only with a wet flow) checked as a computation
// of that case checks them.
std::array<RequestError, CaseD + 1> CaseUsage(const OutletOptions &o) {
    std::array<RequestError, CaseD + 1> usage;
    for (OutletCase c : {CaseA, CaseB, CaseC, CaseD}) {
        OutletOptions own;
        for (const auto &option : o)
            if (CaseOptionNames(c).count(option.first) &&
                !(c == CaseC && option.first == OptionOf(Field::Moisture) &&
                  !Has(o, Field::WetFlow)))
                own.insert(option);
        own[OptionOf(Field::Case)] = std::string(1, kLetters[c]);
        OutletInputs scratch{};
        OutletCase prepared;
        const RequestError e = PrepareOutlet(own, scratch, &prepared);
        if (e.status == kBadUsage)
            usage[c] = e;
    }
    return usage;
}

RequestError MissingError(const HeightScanPoint &p) {
    const std::string at = "at " + p.heightText + " m the outlet ";
    if (p.outletCase == CaseUndecided)
        return {kBadInput, at + "needs " + DashedOption(Field::BuildingHeight)};
    std::string names;
    for (const std::vector<Field> &anyOf : p.missing) {
        names += names.empty() ? "" : ", ";
        for (size_t i = 0; i < anyOf.size(); ++i)
            names += std::string(i == 0                  ? ""
                                 : i + 1 == anyOf.size() ? " or "
                                                         : ", ") +
                     DashedOption(anyOf[i]);
    }
    return {kBadInput, at + "is case " + kLetters[p.outletCase] + ", which needs " + names};
}

RequestError StopError(const HeightScanPoint &p) {
    switch (p.stop) {
    case HeightStop::Missing: return MissingError(p);
    case HeightStop::Refused: return {kBadInput, p.message};
    case HeightStop::ComputeFailed: return {kInternalGuard, ComputeFailureLine(p.status)};
    case HeightStop::NoStandard:
        return {kInternalGuard, "kamorte-calc: the result holds no standard to judge against"};
    default: return {};
    }
}

// A decimal of the sweep range as an integer count of 10^-decimals.
bool ReadDecimal(const std::string &text, int decimals, long long *scaled) {
    double value;
    if (text.empty() || !ReadScanHeight(text, &value) || value > 1e6)
        return false;
    *scaled = std::llround(value * std::pow(10.0, decimals));
    return true;
}

int DecimalsOf(const std::string &text) {
    const size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

} // namespace

OptionScan ScanOptionHeights(const OutletOptions &options, const std::vector<std::string> &heights,
                             const SmellParams &params, bool untilFirst, unsigned workers) {
    OptionScan scan;
    scan.error = TooLong(options);
    if (scan.error.status)
        return scan;
    scan.outlet = RecordOf(options);
    const std::array<RequestError, CaseD + 1> usage = CaseUsage(options);
    double measured = kNotMeasured;
    RequestError unreadable; // the measured index, refused at the first height computed
    if (Has(options, Field::MeasuredIndex))
        if (const char *message = ReadMeasuredIndex(Get(options, Field::MeasuredIndex), &measured))
            unreadable = {kBadInput, message};
    // With the index refused the scan need go no further than the first height computed.
    scan.points = ScanHeights(scan.outlet, heights, unreadable.status ? 0 : measured, params,
                              untilFirst || unreadable.status, workers);
    for (size_t i = 0; i < scan.points.size() && !scan.error.status; ++i) {
        const HeightScanPoint &p = scan.points[i];
        // In the order a computation at that height checks: the inputs its case needs, the
        // options it takes, its form, the computation, then the measured index.
        const bool judging = p.stop == HeightStop::None || p.stop == HeightStop::NoStandard;
        scan.error = p.stop == HeightStop::Missing  ? MissingError(p)
                     : usage[p.outletCase].status   ? usage[p.outletCase]
                     : judging && unreadable.status ? unreadable
                                                    : StopError(p);
        if (scan.error.status)
            scan.points.resize(i + 1);
    }
    return scan;
}

Outcome OutcomeAtHeight(const OutletOptions &options, const OptionScan &scan,
                        const HeightScanPoint &point, const SmellParams &params) {
    OutletInputs in;
    PrepareAtHeight(scan.outlet, point.heightText, &in);
    OutletResults results;
    Outcome outcome = ComputeResults(in, point.outletCase, &params, results);
    JudgeMeasuredIndex(options, StandardOf(point.outletCase, results), outcome);
    return outcome;
}

std::vector<std::string> SweepHeights(const std::string &range, std::string *problem) {
    const size_t first = range.find(':');
    const size_t second = first == std::string::npos ? first : range.find(':', first + 1);
    if (second == std::string::npos || range.find(':', second + 1) != std::string::npos) {
        *problem = "--sweep takes height=FROM:TO:STEP";
        return {};
    }
    const std::string parts[] = {range.substr(0, first),
                                 range.substr(first + 1, second - first - 1),
                                 range.substr(second + 1)};
    int decimals = 0;
    for (const std::string &part : parts)
        decimals = std::max(decimals, DecimalsOf(part));
    long long from, to, step;
    if (decimals > 4 || !ReadDecimal(parts[0], decimals, &from) ||
        !ReadDecimal(parts[1], decimals, &to) || !ReadDecimal(parts[2], decimals, &step) ||
        step <= 0 || to < from) {
        *problem = "--sweep height=FROM:TO:STEP needs FROM <= TO and a STEP above 0, "
                   "with at most four decimals";
        return {};
    }
    if (static_cast<unsigned long long>((to - from) / step) + 1 > kMostSweepHeights) {
        *problem = "--sweep covers at most 10001 heights";
        return {};
    }
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::vector<std::string> heights;
    for (long long h = from; h <= to; h += step) {
        char text[32];
        if (decimals == 0)
            std::snprintf(text, sizeof text, "%lld", h);
        else
            std::snprintf(text, sizeof text, "%lld.%0*lld", h / scale, decimals, h % scale);
        heights.push_back(text);
    }
    return heights;
}
