#include "model/verdict.h"

#include "model/quantise.h"

#include <cmath>

OutletStandard StandardOf(OutletCase outletCase, const OutletResults &results) {
    OutletStandard s;
    s.outletCase = outletCase;
    if (outletCase == CaseA || outletCase == CaseB) {
        s.no2Index = results.low.no2Index;
    } else if (outletCase == CaseC || outletCase == CaseD) {
        s.allowableEmissionRate = results.tall.allowableEmissionRate;
        s.dryFlow = results.tall.dryFlow;
    }
    return s;
}

bool JudgeMeasured(const OutletStandard &standard, double measuredIndex, Compliance *verdict) {
    Compliance v;
    v.measuredIndex = measuredIndex;
    switch (standard.outletCase) {
    case CaseA:
    case CaseB: {
        if (!std::isfinite(standard.no2Index))
            return false;
        // The standard is the whole index the screen shows and the report prints.
        const int shown = RoundShown(standard.no2Index);
        v.complies = measuredIndex <= shown;
        v.margin = shown - measuredIndex;
        break;
    }
    case CaseC:
    case CaseD: {
        const double flow = standard.dryFlow;
        if (!std::isfinite(flow) || !(flow >= 0))
            return false;
        v.measuredEmissionRate = flow * std::pow(10.0, measuredIndex / 10);
        const double rate = standard.allowableEmissionRate;
        if (!std::isfinite(rate)) {
            // No ground-level maximum beyond the boundary: the rate has no limit.
            v.complies = true;
            v.margin = HUGE_VAL;
        } else {
            // Against the rate as computed, not its two-figure display: the formula's value
            // is the limit, and a display rounded upward would pass a rate above it.
            v.complies = v.measuredEmissionRate <= rate;
            v.margin = 10 * std::log10(rate / v.measuredEmissionRate);
        }
        break;
    }
    default: return false;
    }
    *verdict = v;
    return true;
}

double ReductionNeeded(const OutletStandard &standard, const Compliance &verdict) {
    if (verdict.complies)
        return 0;
    if (standard.outletCase == CaseC || standard.outletCase == CaseD)
        return 1 - standard.allowableEmissionRate / verdict.measuredEmissionRate;
    // The margin of a low outlet is the shown standard less the measured index.
    return 1 - std::pow(10.0, verdict.margin / 10);
}

int ShownReductionPercent(double reduction) {
    // A hair of tolerance, so that a fraction that is a whole percent shows as that percent.
    return static_cast<int>(std::ceil(reduction * 100 - 1e-9));
}
