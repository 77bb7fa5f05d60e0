#include "model/height_scan.h"

#include "model/form_rules.h"
#include "model/small_outlet.h"
#include "model/tall_calculation.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

namespace {

// The start menu refuses a height above 400 m.
constexpr int kHighestTenths = 4000;

using Needs = std::vector<std::vector<Field>>;

bool Given(const char *text) {
    return text[0] != '\0';
}

const char *TallText(const OutletInputs &o, Field field) {
    return o.*FieldRowOf(field).tall.text;
}

// The text of the flow the record's choice names; case C has no velocity.
bool FlowGiven(const OutletInputs &o, OutletCase c) {
    switch (o.flowMode) {
    case FlowDry: return Given(o.dryFlowText);
    case FlowWet: return Given(o.wetFlowText);
    default: return c == CaseD && Given(o.exitVelocityText);
    }
}

// What the case's screen cannot be computed without, in the order of its form.
Needs MissingFor(const OutletInputs &o, OutletCase c) {
    Needs missing;
    auto need = [&](bool given, std::vector<Field> anyOf) {
        if (!given)
            missing.push_back(std::move(anyOf));
    };
    const bool low = c == CaseA || c == CaseB;
    if (c != CaseA)
        need(Given(o.buildingHeightText), {Field::BuildingHeight});
    need(Given(low ? o.no1Text : o.no1StandardText), {Field::No1Standard});
    if (low) {
        need(o.sizeClass != SizeNone, {Field::SizeClass});
        return missing;
    }
    if (c == CaseC) {
        need(FlowGiven(o, c), {Field::DryFlow, Field::WetFlow});
        if (o.flowMode == FlowWet)
            need(Given(o.moistureText), {Field::Moisture});
        return missing;
    }
    need(Given(TallText(o, o.sizeMode == SizeByArea ? Field::Area : Field::Diameter)),
         {Field::Diameter, Field::Area});
    need(o.tall.outletDirection != DirectionNotChosen, {Field::Direction});
    if (o.tall.outletDirection != DirectionOther)
        need(Given(o.gasTemperatureText), {Field::Temperature});
    need(FlowGiven(o, c), {Field::DryFlow, Field::WetFlow, Field::Velocity});
    need(Given(o.moistureText), {Field::Moisture});
    need(Given(o.outletToBoundaryText), {Field::OutletToBoundary});
    need(Given(o.buildingToBoundaryText), {Field::BuildingToBoundary});
    return missing;
}

// The case's form over the record's texts, the height replaced; fields the case's screen
// does not have stay empty, as does the moisture of case C without a wet flow.
const char *CheckTallForm(const OutletInputs &o, OutletCase c, const std::string &heightText,
                          OutletInputs &in) {
    SetTallChoices(in, c, o.sizeMode, o.flowMode, o.tall.outletDirection);
    TallFormTexts form;
    for (const FieldRow &row : FieldTable()) {
        if (row.tall.message == nullptr || !(row.cases & CaseBit(c)))
            continue;
        if (c == CaseC && row.field == Field::Moisture && o.flowMode != FlowWet)
            continue;
        form[row.tall.field] = row.field == Field::OutletHeight ? heightText : o.*row.tall.text;
    }
    return ValidateTallForm(c, form, ValidationMode::Interactive, in).message;
}

const char *CheckLowForm(const OutletInputs &o, OutletCase c, const std::string &heightText,
                         OutletInputs &in) {
    in.sizeClass = o.sizeClass;
    in.representativeDiameter = RepresentativeDiameter(o.sizeClass);
    const LowFormTexts form{o.no1Text, heightText, c == CaseB ? o.buildingHeightText : ""};
    return ValidateLowForm(c, form, ValidationMode::Interactive, in).message;
}

HeightScanPoint Refused(HeightScanPoint p, const char *message) {
    p.stop = HeightStop::Refused;
    p.message = message;
    return p;
}

// The start menu's 次へ on the two heights.
MenuVerdict StartMenu(OutletInputs &in, const std::string &heightText, const char *building) {
    ReadMenuField(in, MenuField::OutletHeight, heightText.c_str());
    ReadMenuField(in, MenuField::BuildingHeight, building);
    return ValidateStartMenu(in);
}

bool EndsScan(const HeightScanPoint &p, bool untilFirst) {
    return p.stop != HeightStop::None || (untilFirst && p.judged && p.verdict.complies);
}

} // namespace

bool ReadScanHeight(const std::string &text, double *value) {
    char field[64];
    if (text.size() >= sizeof field)
        return false;
    CopyText(field, sizeof field, text.c_str());
    if (!ToSingleByte(field))
        return false;
    TrimBlanks(field);
    return ParseFieldNumber(field, value) && *value >= 0;
}

std::vector<std::string> SearchHeights(const std::string &fromText) {
    double from;
    if (!ReadScanHeight(fromText, &from))
        return {};
    // The given height as the start menu holds it: single-byte, without blanks around it.
    char field[64];
    CopyText(field, sizeof field, fromText.c_str());
    ToSingleByte(field);
    TrimBlanks(field);
    std::vector<std::string> heights = {field};
    // The next multiple of 0.1 m above the given height, whatever digits it was typed with.
    for (long long tenths = static_cast<long long>(std::floor(from * 10 + 1e-7)) + 1;
         tenths <= kHighestTenths; ++tenths) {
        char text[32];
        std::snprintf(text, sizeof text, "%lld.%lld", tenths / 10, tenths % 10);
        heights.push_back(text);
    }
    return heights;
}

HeightScanPoint PrepareAtHeight(const OutletInputs &outlet, const std::string &heightText,
                                OutletInputs *prepared) {
    HeightScanPoint p;
    p.heightText = heightText;
    OutletInputs &in = *prepared;
    in = OutletInputs{};
    const MenuVerdict menu = StartMenu(in, heightText, outlet.buildingHeightText);
    if (in.menuOutletHeight < 0 || (menu.verdict != Verdict::Proceed && menu.message))
        return Refused(p, in.menuOutletHeight < 0 ? kStartOutletMessage : menu.message);
    if (menu.verdict != Verdict::Proceed) {
        p.stop = HeightStop::Missing;
        p.missing = {{Field::BuildingHeight}};
        return p;
    }
    p.outletCase = menu.nextCase;
    p.missing = MissingFor(outlet, p.outletCase);
    if (!p.missing.empty()) {
        p.stop = HeightStop::Missing;
        return p;
    }
    // The case's screen opens on fresh records with the heights the start menu hands over.
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    const MenuVerdict opened = StartMenu(in, heightText, outlet.buildingHeightText);
    if (in.menuOutletHeight < 0)
        return Refused(p, kStartOutletMessage);
    if (opened.verdict != Verdict::Proceed)
        return Refused(p, opened.message ? opened.message : kStartBuildingMessage);
    const bool low = p.outletCase == CaseA || p.outletCase == CaseB;
    const char *refusal = low ? CheckLowForm(outlet, p.outletCase, heightText, in)
                              : CheckTallForm(outlet, p.outletCase, heightText, in);
    return refusal ? Refused(p, refusal) : p;
}

HeightScanPoint ScanAtHeight(const OutletInputs &outlet, const std::string &heightText,
                             double measuredIndex, const SmellParams &params) {
    OutletInputs in;
    HeightScanPoint p = PrepareAtHeight(outlet, heightText, &in);
    if (p.stop != HeightStop::None)
        return p;
    OutletResults results;
    if (p.outletCase == CaseA || p.outletCase == CaseB) {
        results.low = CalculateLowOutlet(in, p.outletCase);
        p.index = results.low.no2Index;
        p.dilution = results.low.dilution;
    } else {
        double landing;
        p.status = CalculateTallOutletResults(in, p.outletCase, &params, &results.tall, &landing);
        if (p.status != ComputeStatus::Ok) {
            p.stop = HeightStop::ComputeFailed;
            return p;
        }
        p.index = results.tall.allowableOutletIndex;
        p.dilution = results.tall.dilutionDegree;
    }
    p.standard = StandardOf(p.outletCase, results);
    p.judged = measuredIndex >= 0;
    if (p.judged && !JudgeMeasured(p.standard, measuredIndex, &p.verdict))
        p.stop = HeightStop::NoStandard;
    return p;
}

std::vector<HeightScanPoint> ScanHeights(const OutletInputs &outlet,
                                         const std::vector<std::string> &heights,
                                         double measuredIndex, const SmellParams &params,
                                         bool untilFirst, unsigned workers,
                                         const std::atomic<bool> *cancel) {
    std::vector<HeightScanPoint> points(heights.size());
    std::atomic<size_t> next{0};
    // The lowest index that ends the scan so far. Every index below it is computed by the
    // time the workers are joined: each was fetched while the end still lay above it.
    std::atomic<size_t> end{heights.size()};
    auto work = [&] {
        for (size_t i; (i = next++) < end.load();) {
            if (cancel != nullptr && cancel->load()) {
                points[i].heightText = heights[i];
                points[i].stop = HeightStop::Cancelled;
            } else {
                points[i] = ScanAtHeight(outlet, heights[i], measuredIndex, params);
            }
            if (!EndsScan(points[i], untilFirst))
                continue;
            for (size_t e = end.load(); i < e && !end.compare_exchange_weak(e, i);)
                ;
        }
    };
    std::vector<std::thread> threads;
    for (unsigned w = 1; w < std::max(1u, workers); ++w)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();
    const size_t last = end.load();
    points.resize(last < heights.size() ? last + 1 : heights.size());
    return points;
}
