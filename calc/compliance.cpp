#include "calc/compliance.h"

#include "model/field_table.h"
#include "model/quantise.h"
#include "text/text_helpers.h"

#include <cmath>

namespace {

OutcomeField Number(const char *key, double v) {
    if (!std::isfinite(v))
        return {OutcomeField::Null, key, 0, ""};
    return {OutcomeField::Number, key, v, ""};
}

} // namespace

const char *ReadMeasuredIndex(const std::string &text, double *index) {
    const ValueRule &rule = FieldRowOf(Field::MeasuredIndex).value;
    char field[64];
    if (text.size() >= sizeof field)
        return rule.message;
    CopyText(field, sizeof field, text.c_str());
    if (!ToSingleByte(field))
        return rule.message;
    TrimBlanks(field);
    double value;
    if (!ParseFieldNumber(field, &value) || !Within(rule.limits, value))
        return rule.message;
    *index = value;
    return nullptr;
}

void TakeMeasuredIndex(const OutletOptions &options, OutletInputs &in) {
    in.measuredIndex = -1;
    in.measuredIndexText[0] = '\0';
    const auto it = options.find(OptionOf(Field::MeasuredIndex));
    if (it != options.end() && ReadMeasuredIndex(it->second, &in.measuredIndex) == nullptr)
        CopyText(in.measuredIndexText, kTextSize, it->second.c_str());
}

RequestError JudgeMeasuredIndex(const OutletOptions &options, const OutletStandard &standard,
                                Outcome &outcome) {
    auto it = options.find(OptionOf(Field::MeasuredIndex));
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
    outcome.push_back(v.complies ? OutcomeField{OutcomeField::Null, "requiredReduction", 0, ""}
                                 : Number("requiredReduction", ReductionNeeded(standard, v)));
    return {};
}
