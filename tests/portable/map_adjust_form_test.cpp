#include "model/map_adjust_form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRange[] = "風下距離に適切な値（10から10000）を設定して下さい。";
const char kHeight[] = "表示の高さに適切な値（5から800）を設定して下さい。";
const char kRed[] = "赤に配色される希釈度に適切な値（白に配色される希釈度より小さい正の数）を\n"
                    "設定して下さい。";
const char kWhite[] = "白に配色される希釈度に適切な値（赤に配色される希釈度より大きく、300以下の"
                      "数）を\n設定して下さい。";

using F = MapAdjustField;
constexpr MapCheckMode Q = MapCheckMode::Quiet;
constexpr MapCheckMode S = MapCheckMode::Strict;
const MapSettings kStart = {1000, 30.0, 80.0, 100};

struct CheckRow {
    const char *what;
    F field;
    const char *text;
    MapCheckMode mode;
    bool valid, stored;
    const char *message; // nullptr: nothing said
    MapSettings after;
};

TEST(MapAdjustForm, ChecksEachFieldQuietlyAndStrictly) {
    const std::string longText = "20" + std::string(300, ' ') + "x";
    const CheckRow rows[] = {
        {"one digit of 10", F::DownwindRange, "1", Q, false, false, nullptr, kStart},
        {"then 10", F::DownwindRange, "10", Q, true, true, nullptr, {10, 30, 80, 100}},
        {"the same range", F::DownwindRange, "1000", Q, true, false, nullptr, kStart},
        {"range 10001", F::DownwindRange, "10001", S, false, false, kRange, kStart},
        {"range with a fraction", F::DownwindRange, "10.5", S, false, false, kRange, kStart},
        {"range with an exponent", F::DownwindRange, "1e3", Q, false, false, nullptr, kStart},
        {"range beyond 32 bits", F::DownwindRange, "99999999999999", S, false, false, kRange,
         kStart},
        {"range -10", F::DownwindRange, "-10", S, false, false, kRange, kStart},
        {"range +20 between blanks",
         F::DownwindRange,
         " +20  ",
         Q,
         true,
         true,
         nullptr,
         {20, 30, 80, 100}},
        {"empty range, quiet", F::DownwindRange, "", Q, false, false, nullptr, kStart},
        {"empty range, strict", F::DownwindRange, "", S, false, false, kRange, kStart},
        {"full-width range",
         F::DownwindRange,
         "２０００",
         Q,
         true,
         true,
         nullptr,
         {2000, 30, 80, 100}},
        {"height 800", F::DisplayHeight, "800", S, true, true, nullptr, {1000, 30, 80, 800}},
        {"height 801, quiet", F::DisplayHeight, "801", Q, false, false, nullptr, kStart},
        {"height 801, strict", F::DisplayHeight, "801", S, false, false, kHeight, kStart},
        {"height 4", F::DisplayHeight, "4", S, false, false, kHeight, kStart},
        {"height 5", F::DisplayHeight, "5", Q, true, true, nullptr, {1000, 30, 80, 5}},
        {"white 50 and a word", F::WhiteLimit, "50 x", S, false, false, kWhite, kStart},
        {"white 50 and blanks",
         F::WhiteLimit,
         "50   ",
         S,
         true,
         true,
         nullptr,
         {1000, 30, 50, 100}},
        {"white full-width",
         F::WhiteLimit,
         "１２０．５",
         Q,
         true,
         true,
         nullptr,
         {1000, 30, 120.5, 100}},
        {"kanji in a limit, quiet", F::RedLimit, "二十", Q, false, false, kRed, kStart},
        {"kanji in the range, quiet", F::DownwindRange, "千", Q, false, false, kRange, kStart},
        {"red above white, quiet", F::RedLimit, "90", Q, true, true, nullptr, {1000, 90, 80, 100}},
        {"red 0", F::RedLimit, "0", S, true, true, nullptr, {1000, 0, 80, 100}},
        {"red below 0", F::RedLimit, "-0.1", S, false, false, kRed, kStart},
        {"red inf", F::RedLimit, "inf", S, false, false, kRed, kStart},
        {"white at red, quiet", F::WhiteLimit, "30", Q, true, false, nullptr, kStart},
        {"white at red, strict", F::WhiteLimit, "30", S, false, false, kWhite, kStart},
        {"white 300", F::WhiteLimit, "300", S, true, true, nullptr, {1000, 30, 300, 100}},
        {"white 300.01", F::WhiteLimit, "300.01", Q, false, false, nullptr, kStart},
        {"past what is read",
         F::RedLimit,
         longText.c_str(),
         S,
         true,
         true,
         nullptr,
         {1000, 20, 80, 100}},
    };
    for (const CheckRow &r : rows) {
        SCOPED_TRACE(r.what);
        MapSettings s = kStart;
        const MapFieldCheck c = CheckMapAdjustField(r.field, r.text, r.mode, s);
        EXPECT_EQ(c.valid, r.valid);
        EXPECT_EQ(c.stored, r.stored);
        EXPECT_EQ(std::string(c.message ? c.message : ""), r.message ? r.message : "");
        EXPECT_EQ(s.downwindRange, r.after.downwindRange);
        EXPECT_EQ(s.displayHeight, r.after.displayHeight);
        EXPECT_EQ(s.redLimit, r.after.redLimit);
        EXPECT_EQ(s.whiteLimit, r.after.whiteLimit);
    }
}

struct FormRow {
    const char *what;
    const char *range, *height, *red, *white;
    const char *message; // nullptr: accepted
    F field;             // the field at fault
    size_t stored;       // fields stored on the way
};

// OK checks in the order range, height, red, white and stops at the first fault; what was
// valid before the fault is kept.
TEST(MapAdjustForm, OkChecksInOrderAndStopsAtTheFirstFault) {
    const FormRow rows[] = {
        {"unchanged", "1000", "100", "30", "80", nullptr, F::DownwindRange, 0},
        {"two changed", "2000", "100", "30", "90", nullptr, F::DownwindRange, 2},
        {"bad range first", "5", "801", "-1", "400", kRange, F::DownwindRange, 0},
        {"bad height after a new range", "2000", "801", "30", "80", kHeight, F::DisplayHeight, 1},
        {"inverted pair", "1000", "100", "90", "80", kWhite, F::WhiteLimit, 1},
        {"equal pair", "1000", "100", "80", "80", kWhite, F::WhiteLimit, 1},
    };
    for (const FormRow &r : rows) {
        SCOPED_TRACE(r.what);
        MapSettings s = kStart;
        MapFormTexts form;
        form[F::DownwindRange] = r.range;
        form[F::DisplayHeight] = r.height;
        form[F::RedLimit] = r.red;
        form[F::WhiteLimit] = r.white;
        const MapVerdict v = ValidateMapAdjustForm(form, s);
        EXPECT_EQ(v.accepted.size(), r.stored);
        if (r.message == nullptr) {
            EXPECT_EQ(v.verdict, Verdict::Proceed);
            continue;
        }
        EXPECT_EQ(v.verdict, Verdict::Refuse);
        EXPECT_EQ(v.field, r.field);
        EXPECT_TRUE(v.focusField);
        EXPECT_EQ(v.beepMilliseconds, 40);
        EXPECT_STREQ(v.message, r.message);
    }
}

struct InitRow {
    double red, white, landing; // landing −1: no landing point
    double redAfter, whiteAfter;
    const char *texts[4];
};

TEST(MapAdjustForm, UnsetLimitsComeFromTheLandingValue) {
    const InitRow rows[] = {
        {-1, -1, 33.4, 33, 67, {"1000", "100", "33", "67"}},
        {-1, -1, 0.2, 0, 10, {"1000", "100", "0", "10"}}, // both 0: white pulled 10 above
        {-1, 50, 49.6, 50, 60, {"1000", "100", "50", "60"}},
        {20, 70, 5, 20, 70, {"1000", "100", "20", "70"}},
        {20.4, 20.6, 5, 20.4, 30.4, {"1000", "100", "20", "30"}},
        {29.5, 80, 5, 29.5, 80, {"1000", "100", "30", "80"}},
        {-1, -1, -1, 0, 300, {"1000", "100", "0", "300"}},
    };
    for (const InitRow &r : rows) {
        MapSettings s = {1000, r.red, r.white, 100};
        InitialiseMapLimits(s, r.landing < 0 ? nullptr : &r.landing);
        EXPECT_DOUBLE_EQ(s.redLimit, r.redAfter) << r.red << " " << r.white << " " << r.landing;
        EXPECT_DOUBLE_EQ(s.whiteLimit, r.whiteAfter) << r.red << " " << r.white;
        const MapFormTexts texts = MapFormTextsOf(s);
        for (size_t i = 0; i < kMapAdjustFieldCount; ++i)
            EXPECT_EQ(texts.texts[i], r.texts[i]) << i;
    }
}

} // namespace
