#include "model/input_checks.h"

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

namespace {

// The same words on the low-outlet and the tall-outlet screens.
const char kNo1Message[] = "臭気指数第１号基準に適切な値（10～21）を設定して下さい。";

constexpr FieldLimits kHeightLimits{0, false, 400, false};
constexpr FieldLimits kFlowLimits{0, true, 10000, true};
constexpr FieldLimits kDistanceLimits{0, false, 10000, false};
constexpr FieldLimits kNo1Limits{10, false, 21, false};

// In the order of TallField.
const TallFieldRule kTallRules[kTallFieldCount] = {
    {TallField::OutletHeight, &TallOutletInputs::tallOutletHeight, &OutletInputs::outletHeightText,
     -1.0, kHeightLimits, false, "排出口の実高さに適切な値（15から400）を設定して下さい。"},
    {TallField::BuildingHeight, &TallOutletInputs::tallBuildingHeight,
     &OutletInputs::buildingHeightText, -1.0, kHeightLimits, false,
     "最大周辺建物高さに適切な値（0から400）を設定して下さい。"},
    {TallField::No1Standard, &TallOutletInputs::no1Standard, &OutletInputs::no1StandardText, -1.0,
     kNo1Limits, false, kNo1Message},
    {TallField::Diameter,
     &TallOutletInputs::outletDiameter,
     &OutletInputs::outletDiameterText,
     -1.0,
     {0, true, 10, false},
     false,
     "排出口の口径に適切な値（0mより大きく、10m以下）を設定して下さい。"},
    {TallField::Area,
     &TallOutletInputs::outletArea,
     &OutletInputs::outletAreaText,
     -1.0,
     {0, true, 100, false},
     false,
     "排出口の断面積に適切な値（0㎡より大きく、100㎡以下）を設定して下さい。"},
    {TallField::Temperature,
     &TallOutletInputs::gasTemperature,
     &OutletInputs::gasTemperatureText,
     -100.0,
     {-15, false, 999, false},
     false,
     "排出ガス温度に適切な値（-15から999）を設定して下さい。"},
    {TallField::DryFlow, &TallOutletInputs::dryFlow, &OutletInputs::dryFlowText, -1.0, kFlowLimits,
     false, "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。"},
    {TallField::WetFlow, &TallOutletInputs::wetFlow, &OutletInputs::wetFlowText, -1.0, kFlowLimits,
     false, "排出ガス流量（湿り）に適切な値（0より大きく、10000より小さい数）を設定して下さい。"},
    {TallField::Velocity,
     &TallOutletInputs::exitVelocity,
     &OutletInputs::exitVelocityText,
     -1.0,
     {0, true, 200, true},
     false,
     "排出ガス吐出速度に適切な値（0より大きく、200より小さい数）を設定して下さい。"},
    {TallField::Moisture,
     &TallOutletInputs::moisture,
     &OutletInputs::moistureText,
     -1.0,
     {0, false, 100, true},
     false,
     "排出ガス水分量に適切な値（0以上、100未満）を設定して下さい。"},
    {TallField::OutletToBoundary, &TallOutletInputs::outletToBoundary,
     &OutletInputs::outletToBoundaryText, -1.0, kDistanceLimits, true,
     "排出口と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。"},
    {TallField::BuildingToBoundary, &TallOutletInputs::buildingToBoundary,
     &OutletInputs::buildingToBoundaryText, -1.0, kDistanceLimits, true,
     "周辺最大建物と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。"},
};

bool Within(const FieldLimits &l, double v) {
    const bool aboveLow = l.lowOpen ? v > l.low : v >= l.low;
    const bool belowHigh = l.highOpen ? v < l.high : v <= l.high;
    return aboveLow && belowHigh;
}

} // namespace

const TallFieldRule &TallRule(TallField field) {
    return kTallRules[static_cast<size_t>(field)];
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
    const bool singleByte = ToSingleByte(converted);
    if (field != LowField::No1Index) {
        if (!singleByte)
            return r;
        TrimBlanks(converted);
    }
    double value;
    const bool noWord = ParseFieldNumber(converted, &value);
    r.value = value;
    const bool inRange = Within(field == LowField::No1Index ? kNo1Limits : kHeightLimits, value);
    if (noWord && inRange) {
        r.valid = true;
        r.acceptedText = converted;
    } else if (field != LowField::No1Index) {
        r.value = -1.0;
    }
    return r;
}

const char *LowFieldMessage(LowField field, bool caseA) {
    switch (field) {
    case LowField::No1Index: return kNo1Message;
    case LowField::OutletHeight:
        return caseA ? "排出口の実高さに適切な値（0m以上、6.7m未満）を設定して下さい。"
                     : "排出口の実高さに適切な値（6.7m以上、15m未満）を設定して下さい。";
    case LowField::BuildingHeight:
        return "最大周辺建物高さに適切な値（0m以上、400m以下）を設定して下さい。";
    }
    return "";
}

bool AtLeast15TimesBuilding(double outletHeight, double buildingHeight) {
    return 2 * static_cast<int64_t>(Quantise(outletHeight, 10000)) >=
           3 * static_cast<int64_t>(Quantise(buildingHeight, 10000));
}
