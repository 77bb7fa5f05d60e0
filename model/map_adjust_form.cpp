#include "model/map_adjust_form.h"

#include "model/field_table.h"
#include "text/text_helpers.h"
#include "text/format.h"
#include "text/number_scan.h"
#include "model/quantise.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The dialog reads at most this many characters of a field.
constexpr unsigned kMapFieldRead = 256;
constexpr int kMapBeep = 40;

// The height message names the highest height the map can show.
const char *HeightMessage() {
    // Made once, on the first call, and never written again: a constant, safe on any thread.
    static const std::string message =
        Format("表示の高さに適切な値（5から%d）を設定して下さい。", kMaxDisplayHeight);
    return message.c_str();
}

const char *MessageOf(const MapAdjustRule &rule) {
    return rule.message != nullptr ? rule.message : HeightMessage();
}

// "%d" then "%s": blanks, an optional sign and digits, then nothing but blanks. A number
// too long for 32 bits is read as one beyond every limit.
bool ScanWholeNumber(const char *text, double *value) {
    const char *p = text;
    while (IsScanSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return false;
    double n = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        n = n < 1e12 ? n * 10 + (*p - '0') : n;
    while (IsScanSpace(*p))
        ++p;
    *value = negative ? -n : n;
    return *p == '\0';
}

bool ScanNumber(const MapAdjustRule &rule, const char *text, double *value) {
    if (rule.integer)
        return ScanWholeNumber(text, value);
    const FieldNumber n = ScanFieldNumber(text);
    *value = n.value;
    return n.hasNumber && !n.wordAfter;
}

double &LimitOf(MapSettings &s, MapAdjustField field) {
    return field == MapAdjustField::RedLimit ? s.redLimit : s.whiteLimit;
}

int32_t &WholeOf(MapSettings &s, MapAdjustField field) {
    return field == MapAdjustField::DownwindRange ? s.downwindRange : s.displayHeight;
}

} // namespace

MapFieldCheck CheckMapAdjustField(MapAdjustField field, const char *text, MapCheckMode mode,
                                  MapSettings &settings) {
    const MapAdjustRule &rule = MapAdjustRuleOf(field);
    const bool strict = mode == MapCheckMode::Strict;
    MapFieldCheck check;
    char converted[kMapFieldRead];
    CopyText(converted, sizeof converted, text);
    if (!ToSingleByte(converted)) {
        // Kana or kanji cannot become a number: said at once, even while typing.
        check.message = MessageOf(rule);
        return check;
    }
    double value = 0;
    const bool inRange =
        ScanNumber(rule, converted, &value) && value >= rule.low && value <= rule.high;
    const bool aboveRed = value > settings.redLimit;
    if (!inRange || (strict && field == MapAdjustField::WhiteLimit && !aboveRed)) {
        if (strict)
            check.message = MessageOf(rule);
        return check;
    }
    check.valid = true;
    if (rule.integer) {
        int32_t &stored = WholeOf(settings, field);
        check.stored = static_cast<int32_t>(value) != stored;
        if (check.stored)
            stored = static_cast<int32_t>(value);
        return check;
    }
    double &stored = LimitOf(settings, field);
    // A white limit at or below the red one would turn the ramp upside down: while typing it
    // may be on its way to a higher value, so it is let through without being kept.
    check.stored = value != stored && (field != MapAdjustField::WhiteLimit || aboveRed);
    if (check.stored)
        stored = value;
    return check;
}

MapVerdict ValidateMapAdjustForm(const MapFormTexts &form, MapSettings &settings) {
    MapVerdict v;
    for (size_t i = 0; i < kMapAdjustFieldCount; ++i) {
        const MapAdjustField field = static_cast<MapAdjustField>(i);
        const MapFieldCheck check =
            CheckMapAdjustField(field, form[field].c_str(), MapCheckMode::Strict, settings);
        if (check.stored)
            v.accepted.push_back(field);
        if (!check.valid) {
            v.verdict = Verdict::Refuse;
            v.field = field;
            v.focusField = true;
            v.message = check.message;
            v.beepMilliseconds = kMapBeep;
            return v;
        }
    }
    return v;
}

void InitialiseMapLimits(MapSettings &settings, const double *landingValue) {
    if (settings.redLimit < 0)
        settings.redLimit = landingValue != nullptr ? RoundShown(*landingValue) : 0.0;
    if (settings.whiteLimit < 0)
        settings.whiteLimit =
            landingValue != nullptr ? RoundShown(2 * *landingValue) : kMaxWhiteLimit;
    if (TruncToInt32(settings.whiteLimit) == TruncToInt32(settings.redLimit))
        settings.whiteLimit = settings.redLimit + 10;
}

MapFormTexts MapFormTextsOf(const MapSettings &settings) {
    MapFormTexts texts;
    texts[MapAdjustField::DownwindRange] = std::to_string(settings.downwindRange);
    texts[MapAdjustField::DisplayHeight] = std::to_string(settings.displayHeight);
    texts[MapAdjustField::RedLimit] = std::to_string(RoundShown(settings.redLimit));
    texts[MapAdjustField::WhiteLimit] = std::to_string(RoundShown(settings.whiteLimit));
    return texts;
}
