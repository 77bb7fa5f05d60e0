#include "calc/height_scan.h"

#include "calc/compliance.h"
#include "model/field_table.h"
#include "model/form_rules.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>

namespace {

// The start menu refuses a height above 400 m.
constexpr int kHighestTenths = 4000;
// A sweep is a table to read or plot, not a computation of every millimetre.
constexpr size_t kMostSweepHeights = 10001;

std::string Get(const OutletOptions &o, Field field) {
    auto it = o.find(OptionOf(field));
    return it == o.end() ? std::string() : it->second;
}

// A height typed as the start menu reads it: full-width digits allowed.
bool ReadHeight(const std::string &text, double *value) {
    char field[64];
    if (text.size() >= sizeof field)
        return false;
    CopyText(field, sizeof field, text.c_str());
    if (!ToSingleByte(field))
        return false;
    TrimBlanks(field);
    return ParseFieldNumber(field, value) && *value >= 0;
}

// A decimal of the sweep range as an integer count of 10^-decimals.
bool ReadDecimal(const std::string &text, int decimals, long long *scaled) {
    double value;
    if (text.empty() || !ReadHeight(text, &value) || value > 1e6)
        return false;
    *scaled = std::llround(value * std::pow(10.0, decimals));
    return true;
}

int DecimalsOf(const std::string &text) {
    const size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

char CaseLetter(OutletCase c) {
    return c >= CaseA && c <= CaseD ? static_cast<char>('A' + (c - CaseA)) : '?';
}

bool EndsScan(const HeightPoint &p, bool untilFirst) {
    return p.error.status != kComputed || (untilFirst && p.complies);
}

} // namespace

std::vector<std::string> SearchHeights(const std::string &fromText) {
    double from;
    if (!ReadHeight(fromText, &from))
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

RequestError OptionsForCase(const OutletOptions &options, OutletCase outletCase,
                            const std::string &heightText, OutletOptions *forCase) {
    std::string missing;
    auto need = [&](std::initializer_list<Field> anyOf) {
        for (Field field : anyOf)
            if (options.count(OptionOf(field)))
                return;
        std::string names;
        size_t i = 0;
        for (Field field : anyOf)
            names += std::string(i++ == 0            ? ""
                                 : i == anyOf.size() ? " or "
                                                     : ", ") +
                     DashedOption(field);
        missing += (missing.empty() ? "" : ", ") + names;
    };
    const bool wet = options.count(OptionOf(Field::WetFlow)) != 0;
    switch (outletCase) {
    case CaseA:
        need({Field::No1Standard});
        need({Field::SizeClass});
        break;
    case CaseB:
        need({Field::BuildingHeight});
        need({Field::No1Standard});
        need({Field::SizeClass});
        break;
    case CaseC:
        need({Field::BuildingHeight});
        need({Field::No1Standard});
        need({Field::DryFlow, Field::WetFlow});
        if (wet)
            need({Field::Moisture});
        break;
    default:
        need({Field::BuildingHeight});
        need({Field::No1Standard});
        need({Field::Diameter, Field::Area});
        need({Field::Direction});
        if (Get(options, Field::Direction) != "down")
            need({Field::Temperature});
        need({Field::DryFlow, Field::WetFlow, Field::Velocity});
        need({Field::Moisture});
        need({Field::OutletToBoundary});
        need({Field::BuildingToBoundary});
    }
    if (!missing.empty())
        return {kBadInput, "at " + heightText + " m the outlet is case " + CaseLetter(outletCase) +
                               ", which needs " + missing};
    const std::set<std::string> &names = CaseOptionNames(outletCase);
    forCase->clear();
    for (const auto &option : options) {
        const bool applies =
            names.count(option.first) || option.first == OptionOf(Field::MeasuredIndex);
        // Case C reads the moisture only to convert a wet flow.
        const bool unused =
            outletCase == CaseC && option.first == OptionOf(Field::Moisture) && !wet;
        if (applies && !unused)
            forCase->insert(option);
    }
    (*forCase)[OptionOf(Field::OutletHeight)] = heightText;
    return {};
}

HeightPoint ComputeAtHeight(const OutletOptions &options, const std::string &heightText,
                            const SmellParams &params) {
    HeightPoint p;
    p.heightText = heightText;
    OutletInputs in{};
    ReadMenuField(in, MenuField::OutletHeight, heightText.c_str());
    ReadMenuField(in, MenuField::BuildingHeight, Get(options, Field::BuildingHeight).c_str());
    const MenuVerdict menu = ValidateStartMenu(in);
    if (in.menuOutletHeight < 0 || (menu.verdict != Verdict::Proceed && menu.message)) {
        p.error = {kBadInput, in.menuOutletHeight < 0 ? kStartOutletMessage : menu.message};
        return p;
    }
    if (menu.verdict != Verdict::Proceed) {
        p.error = {kBadInput, "at " + heightText + " m the outlet needs " +
                                  DashedOption(Field::BuildingHeight)};
        return p;
    }
    p.outletCase = menu.nextCase;
    OutletOptions forCase;
    p.error = OptionsForCase(options, p.outletCase, heightText, &forCase);
    if (p.error.status)
        return p;
    OutletCase prepared;
    p.error = PrepareOutlet(forCase, in, &prepared);
    if (p.error.status)
        return p;
    ComputeStatus status;
    OutletResults results;
    p.outcome = ComputeResults(in, prepared, &params, results, &status);
    if (status != ComputeStatus::Ok) {
        p.error = {kInternalGuard, ComputeFailureLine(status)};
        return p;
    }
    p.error = JudgeMeasuredIndex(forCase, StandardOf(prepared, results), p.outcome);
    for (const OutcomeField &f : p.outcome)
        if (f.key == "complies")
            p.complies = f.number != 0;
    return p;
}

std::vector<HeightPoint> ScanHeights(const OutletOptions &options,
                                     const std::vector<std::string> &heights,
                                     const SmellParams &params, bool untilFirst, unsigned workers) {
    std::vector<HeightPoint> points(heights.size());
    std::atomic<size_t> next{0};
    // The lowest index that ends the scan so far. Every index below it is computed by the
    // time the workers are joined: each was fetched while the end still lay above it.
    std::atomic<size_t> end{heights.size()};
    auto work = [&] {
        for (size_t i; (i = next++) < end.load();) {
            points[i] = ComputeAtHeight(options, heights[i], params);
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
