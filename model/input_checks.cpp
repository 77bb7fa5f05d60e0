#include "model/input_checks.h"

#include "model/field_table.h"
#include "text/text_helpers.h"
#include "model/quantise.h"

#include <cstdint>
#include <vector>

const char *const kDirectionMessage = "排出口の向きを選択して下さい。";
const char *const kSizeClassMessage = "排出口の口径を、小径・中径・大径から選択して下さい。";
const char *const kStartOutletMessage = "排出口の実高さに適切な値（400m以下）を設定して下さい。";
const char *const kStartBuildingMessage =
    "周辺最大建物高さに適切な値（400m以下）を設定して下さい。";
const char *const kParameterErrorCaption = "パラメータエラー";

const char *const kTallBelow15Question =
    "排出口の実高さに 15m 未満が設定されています。\n入力画面を切り替えますか？";
const char *const kCaseCAtLeast15TimesQuestion =
    "排出口の実高さが周辺最大建物高さの 1.5 倍以上です。\n入力画面を切り替えますか？";
const char *const kCaseDBelow15TimesQuestion =
    "排出口の実高さが周辺最大建物高さの 1.5 倍未満です。\n入力画面を切り替えますか？";
const char *const kCaseAAtLeast67Question =
    "排出口の実高さに 6.7m 以上が設定されています。\n入力画面を切り替えますか？";
const char *const kCaseBBelow67Question =
    "排出口の実高さに 6.7m 未満が設定されています。\n入力画面を切り替えますか？";
const char *const kCaseBAtLeast15Question =
    "排出口の実高さに 15m 以上が設定されています。\n入力画面を切り替えますか？";

bool Within(const FieldLimits &l, double v) {
    const bool aboveLow = l.lowOpen ? v > l.low : v >= l.low;
    const bool belowHigh = l.highOpen ? v < l.high : v <= l.high;
    return aboveLow && belowHigh;
}

bool TallFieldInRange(TallField field, double v) {
    return Within(TallRule(field).limits, v);
}

const char *TallFieldMessage(TallField field) {
    return TallRule(field).message;
}

FieldReading ReadTallField(TallField field, const char *text, bool caseC, bool silent) {
    const TallFieldRule &rule = TallRule(field);
    FieldReading r{rule.preset, false, false, ""};
    std::vector<char> buffer(text, text + std::char_traits<char>::length(text) + 1);
    char *converted = buffer.data();
    if (!ToSingleByte(converted) && !silent)
        return r;
    if (rule.distance) {
        TrimBlanks(converted);
        if (caseC && converted[0] == '\0') {
            r.value = 0.0;
            r.valid = true;
            r.omitted = true;
            return r;
        }
    }
    const FieldNumber n = ScanFieldNumber(converted);
    if (n.hasNumber)
        r.value = n.value;
    if (!n.wordAfter && Within(rule.limits, r.value)) {
        r.valid = true;
        r.acceptedText = converted;
    }
    return r;
}

FieldReading ReadLowField(LowField field, const char *text) {
    FieldReading r{-1.0, false, false, ""};
    std::vector<char> buffer(text, text + std::char_traits<char>::length(text) + 1);
    char *converted = buffer.data();
    const LowFieldRule &rule = LowRule(field);
    const bool singleByte = ToSingleByte(converted);
    if (rule.trimmed) {
        if (!singleByte)
            return r;
        TrimBlanks(converted);
    }
    double value;
    const bool noWord = ParseFieldNumber(converted, &value);
    r.value = value;
    const bool inRange = Within(rule.limits, value);
    if (noWord && inRange) {
        r.valid = true;
        r.acceptedText = converted;
    } else if (rule.trimmed) {
        r.value = -1.0;
    }
    return r;
}

const char *LowFieldMessage(LowField field, bool caseA) {
    const LowFieldRule &rule = LowRule(field);
    return caseA ? rule.messageA : rule.messageB;
}

bool AtLeast15TimesBuilding(double outletHeight, double buildingHeight) {
    return 2 * static_cast<int64_t>(Quantise(outletHeight, 10000)) >=
           3 * static_cast<int64_t>(Quantise(buildingHeight, 10000));
}
