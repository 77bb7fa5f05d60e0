#include "calc/compliance.h"

#include "text/text_helpers.h"

#include <cmath>

namespace {

constexpr char kMeasuredIndexMessage[] =
    "排出口の臭気指数（測定値）に適切な値（0～100）を設定して下さい。";
// An index of 100 is a concentration of 10^10: no measurement reaches it, and above it the
// emission rate would leave the range of a double long before the comparison means anything.
constexpr double kHighestMeasuredIndex = 100.0;

OutcomeField Number(const char *key, double v) {
    if (!std::isfinite(v))
        return {OutcomeField::Null, key, 0, ""};
    return {OutcomeField::Number, key, v, ""};
}

} // namespace

const char *ComplianceWord(bool complies) {
    return complies ? "適合" : "不適合";
}

const char *ReadMeasuredIndex(const std::string &text, double *index) {
    char field[64];
    if (text.size() >= sizeof field)
        return kMeasuredIndexMessage;
    CopyText(field, sizeof field, text.c_str());
    if (!ToSingleByte(field))
        return kMeasuredIndexMessage;
    TrimBlanks(field);
    double value;
    if (!ParseFieldNumber(field, &value) || !(value >= 0 && value <= kHighestMeasuredIndex))
        return kMeasuredIndexMessage;
    *index = value;
    return nullptr;
}

RequestError JudgeMeasuredIndex(const OutletOptions &options, const OutletStandard &standard,
                                Outcome &outcome) {
    auto it = options.find("measured-index");
    if (it == options.end())
        return {};
    double index;
    if (const char *message = ReadMeasuredIndex(it->second, &index))
        return {kBadInput, message};
    Compliance v;
    if (!JudgeMeasured(standard, index, &v))
        return {kInternalGuard, "kamorte-calc: the result holds no standard to judge against"};
    outcome.push_back(Number("measuredIndex", v.measuredIndex));
    if (v.measuredEmissionRate >= 0)
        outcome.push_back(Number("measuredEmissionRate", v.measuredEmissionRate));
    outcome.push_back(
        {OutcomeField::Bool, "complies", v.complies ? 1.0 : 0.0, ComplianceWord(v.complies)});
    outcome.push_back(Number("margin", v.margin));
    return {};
}
