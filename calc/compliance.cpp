#include "calc/compliance.h"

#include "model/field_table.h"
#include "model/quantise.h"
#include "text/text_helpers.h"

#include <cmath>

namespace {

const OutcomeField *Find(const Outcome &outcome, const char *key) {
    for (const OutcomeField &f : outcome)
        if (f.key == key)
            return &f;
    return nullptr;
}

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

bool JudgeOutcome(const Outcome &outcome, double measuredIndex, Compliance *verdict) {
    const OutcomeField *caseField = Find(outcome, "case");
    if (caseField == nullptr || caseField->kind != OutcomeField::Text)
        return false;
    Compliance v;
    v.measuredIndex = measuredIndex;
    if (caseField->text == "A" || caseField->text == "B") {
        const OutcomeField *no2 = Find(outcome, "no2Index");
        if (no2 == nullptr || no2->kind != OutcomeField::Number)
            return false;
        // The standard is the whole index the screen shows and the report prints.
        const int standard = RoundShown(no2->number);
        v.complies = measuredIndex <= standard;
        v.margin = standard - measuredIndex;
        *verdict = v;
        return true;
    }
    const OutcomeField *rate = Find(outcome, "allowableEmissionRate");
    const OutcomeField *flow = Find(outcome, "dryFlow");
    if (rate == nullptr || flow == nullptr || flow->kind != OutcomeField::Number ||
        !(flow->number >= 0))
        return false;
    v.measuredEmissionRate = flow->number * std::pow(10.0, measuredIndex / 10);
    if (rate->kind == OutcomeField::Null) {
        // No ground-level maximum beyond the boundary: the rate has no limit.
        v.complies = true;
        v.margin = HUGE_VAL;
    } else if (rate->kind == OutcomeField::Number) {
        // Against the rate as computed, not its two-figure display: the formula's value is
        // the limit, and a display rounded upward would pass a rate above it.
        v.complies = v.measuredEmissionRate <= rate->number;
        v.margin = 10 * std::log10(rate->number / v.measuredEmissionRate);
    } else {
        return false;
    }
    *verdict = v;
    return true;
}

RequestError JudgeMeasuredIndex(const OutletOptions &options, Outcome &outcome) {
    auto it = options.find(OptionOf(Field::MeasuredIndex));
    if (it == options.end())
        return {};
    double index;
    if (const char *message = ReadMeasuredIndex(it->second, &index))
        return {kBadInput, message};
    Compliance v;
    if (!JudgeOutcome(outcome, index, &v))
        return {kInternalGuard, "kamorte-calc: the result holds no standard to judge against"};
    outcome.push_back(Number("measuredIndex", v.measuredIndex));
    if (v.measuredEmissionRate >= 0)
        outcome.push_back(Number("measuredEmissionRate", v.measuredEmissionRate));
    outcome.push_back(
        {OutcomeField::Bool, "complies", v.complies ? 1.0 : 0.0, ComplianceWord(v.complies)});
    outcome.push_back(Number("margin", v.margin));
    return {};
}
