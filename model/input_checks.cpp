#include "model/input_checks.h"

#include "app/text_helpers.h"
#include "model/number_scan.h"
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

bool IsDistance(TallField field) {
    return field == TallField::OutletToBoundary || field == TallField::BuildingToBoundary;
}

// "%lf%s": the number and whether a word follows it. The value keeps the preset when the
// text does not begin with a number.
bool ScanNumberAndWord(const char *text, double *value) {
    double number;
    size_t used;
    if (!ScanDecimal(text, static_cast<size_t>(-1), &number, &used))
        return true;
    *value = number;
    const char *word = text + used;
    while (IsScanSpace(*word))
        ++word;
    return *word == '\0';
}

} // namespace

bool TallFieldInRange(TallField field, double v) {
    switch (field) {
    case TallField::OutletHeight:
    case TallField::BuildingHeight: return v >= 0 && v <= 400;
    case TallField::No1Standard: return v >= 10 && v <= 21;
    case TallField::Diameter: return v > 0 && v <= 10;
    case TallField::Area: return v > 0 && v <= 100;
    case TallField::Temperature: return v >= -15 && v <= 999;
    case TallField::DryFlow:
    case TallField::WetFlow: return v > 0 && v < 10000;
    case TallField::Velocity: return v > 0 && v < 200;
    case TallField::Moisture: return v >= 0 && v < 100;
    case TallField::OutletToBoundary:
    case TallField::BuildingToBoundary: return v >= 0 && v <= 10000;
    }
    return false;
}

const char *TallFieldMessage(TallField field) {
    switch (field) {
    case TallField::OutletHeight: return "排出口の実高さに適切な値（15から400）を設定して下さい。";
    case TallField::BuildingHeight:
        return "最大周辺建物高さに適切な値（0から400）を設定して下さい。";
    case TallField::No1Standard: return "臭気指数第１号基準に適切な値（10～21）を設定して下さい。";
    case TallField::Diameter:
        return "排出口の口径に適切な値（0mより大きく、10m以下）を設定して下さい。";
    case TallField::Area:
        return "排出口の断面積に適切な値（0㎡より大きく、100㎡以下）を設定して下さい。";
    case TallField::Temperature: return "排出ガス温度に適切な値（-15から999）を設定して下さい。";
    case TallField::DryFlow:
        return "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。";
    case TallField::WetFlow:
        return "排出ガス流量（湿り）に適切な値（0より大きく、10000より小さい数）を設定して下さい。";
    case TallField::Velocity:
        return "排出ガス吐出速度に適切な値（0より大きく、200より小さい数）を設定して下さい。";
    case TallField::Moisture: return "排出ガス水分量に適切な値（0以上、100未満）を設定して下さい。";
    case TallField::OutletToBoundary:
        return "排出口と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。";
    case TallField::BuildingToBoundary:
        return "周辺最大建物と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい"
               "。";
    }
    return "";
}

FieldReading ReadTallField(TallField field, const char *text, bool caseC, bool silent) {
    FieldReading r{field == TallField::Temperature ? -100.0 : -1.0, false, false, ""};
    std::vector<char> buffer(text, text + std::char_traits<char>::length(text) + 1);
    char *converted = buffer.data();
    if (!ToSingleByte(converted) && !silent)
        return r;
    if (IsDistance(field)) {
        TrimBlanks(converted);
        if (caseC && converted[0] == '\0') {
            r.value = 0.0;
            r.valid = true;
            r.omitted = true;
            return r;
        }
    }
    const bool noWord = ScanNumberAndWord(converted, &r.value);
    if (noWord && TallFieldInRange(field, r.value)) {
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
    const bool inRange =
        field == LowField::No1Index ? (value >= 10 && value <= 21) : (value >= 0 && value <= 400);
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
    case LowField::No1Index: return "臭気指数第１号基準に適切な値（10～21）を設定して下さい。";
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
