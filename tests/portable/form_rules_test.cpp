#include "model/form_rules.h"
#include "model/quantise.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The outlet these cases work on, one after the other.
OutletInputs currentOutlet;

// One outlet as typed, the case whose form it is typed into ("" for the start menu) and the
// first message the user must see ("" when the inputs are accepted).
struct FormRow {
    const char *caseName;
    OutletOptions fields;
    const char *firstMessage;
};

OutletOptions FormD(std::initializer_list<std::pair<const std::string, std::string>> changes,
                    std::initializer_list<const char *> removed = {}) {
    OutletOptions o = {{"height", "30"},           {"building", "10"},  {"no1", "12"},
                       {"diameter", "1"},          {"direction", "up"}, {"temperature", "80"},
                       {"dry-flow", "300"},        {"moisture", "10"},  {"outlet-boundary", "50"},
                       {"building-boundary", "20"}};
    for (const char *name : removed)
        o.erase(name);
    for (const auto &change : changes)
        o[change.first] = change.second;
    return o;
}

OutletOptions FormC(std::initializer_list<std::pair<const std::string, std::string>> changes,
                    std::initializer_list<const char *> removed = {}) {
    OutletOptions o = {{"height", "20"}, {"building", "15"}, {"no1", "12"}, {"dry-flow", "300"}};
    for (const char *name : removed)
        o.erase(name);
    for (const auto &change : changes)
        o[change.first] = change.second;
    return o;
}

const char kHeight[] = "排出口の実高さに適切な値（15から400）を設定して下さい。";
const char kBuilding[] = "最大周辺建物高さに適切な値（0から400）を設定して下さい。";
const char kNo1[] = "臭気指数第１号基準に適切な値（10～21）を設定して下さい。";
const char kDiameter[] = "排出口の口径に適切な値（0mより大きく、10m以下）を設定して下さい。";
const char kArea[] = "排出口の断面積に適切な値（0㎡より大きく、100㎡以下）を設定して下さい。";
const char kDirection[] = "排出口の向きを選択して下さい。";
const char kTemperature[] = "排出ガス温度に適切な値（-15から999）を設定して下さい。";
const char kDry[] =
    "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。";
const char kWet[] =
    "排出ガス流量（湿り）に適切な値（0より大きく、10000より小さい数）を設定して下さい。";
const char kVelocity[] =
    "排出ガス吐出速度に適切な値（0より大きく、200より小さい数）を設定して下さい。";
const char kMoisture[] = "排出ガス水分量に適切な値（0以上、100未満）を設定して下さい。";
const char kOutletDistance[] =
    "排出口と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。";
const char kBuildingDistance[] =
    "周辺最大建物と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。";
const char kBelow15[] = "排出口の実高さに 15m 未満が設定されています。\n入力画面を切り替えますか？";
const char kAtLeast15Times[] =
    "排出口の実高さが周辺最大建物高さの 1.5 倍以上です。\n入力画面を切り替えますか？";
const char kBelow15Times[] =
    "排出口の実高さが周辺最大建物高さの 1.5 倍未満です。\n入力画面を切り替えますか？";
const char kLowHeightA[] = "排出口の実高さに適切な値（0m以上、6.7m未満）を設定して下さい。";
const char kLowHeightB[] = "排出口の実高さに適切な値（6.7m以上、15m未満）を設定して下さい。";
const char kLowBuilding[] = "最大周辺建物高さに適切な値（0m以上、400m以下）を設定して下さい。";
const char kSize[] = "排出口の口径を、小径・中径・大径から選択して下さい。";
const char kA67[] = "排出口の実高さに 6.7m 以上が設定されています。\n入力画面を切り替えますか？";
const char kB67[] = "排出口の実高さに 6.7m 未満が設定されています。\n入力画面を切り替えますか？";
const char kB15[] = "排出口の実高さに 15m 以上が設定されています。\n入力画面を切り替えますか？";
const char kMenuOutlet[] = "排出口の実高さに適切な値（400m以下）を設定して下さい。";
const char kMenuBuilding[] = "周辺最大建物高さに適切な値（400m以下）を設定して下さい。";

const std::vector<FormRow> kRows = {
    {"D", FormD({{"height", "abc"}}), kHeight},
    {"D", FormD({{"height", "400.01"}}), kHeight},
    {"D", FormD({{"height", "３０ｍ"}}), kHeight},
    {"D", FormD({{"height", "三十"}}), kHeight},
    {"D", FormD({{"height", "10"}}), kBelow15},
    {"D", FormD({{"height", "14.99999"}}), kBelow15},
    {"D", FormD({{"building", "-1"}}), kBuilding},
    {"D", FormD({{"building", "20.0001"}}), kBelow15Times},
    {"D", FormD({{"no1", "9.9"}}), kNo1},
    {"D", FormD({{"no1", "21.1"}}), kNo1},
    {"D", FormD({{"no1", "abc"}, {"diameter", "0"}}), kNo1},
    {"D", FormD({{"diameter", "0"}}), kDiameter},
    {"D", FormD({{"diameter", "10.01"}}), kDiameter},
    {"D", FormD({{"area", "100.5"}}, {"diameter"}), kArea},
    {"D", FormD({}, {"direction", "temperature"}), kDirection},
    {"D", FormD({{"diameter", "0"}}, {"direction", "temperature"}), kDiameter},
    {"D", FormD({{"temperature", "-16"}}), kTemperature},
    {"D", FormD({{"temperature", "1000"}}), kTemperature},
    {"D", FormD({{"dry-flow", "10000"}}), kDry},
    {"D", FormD({{"wet-flow", "0"}}, {"dry-flow"}), kWet},
    {"D", FormD({{"velocity", "200"}}, {"dry-flow"}), kVelocity},
    {"D", FormD({{"moisture", "100"}}), kMoisture},
    {"D", FormD({}, {"outlet-boundary"}), kOutletDistance},
    {"D", FormD({{"building-boundary", "10000.5"}}), kBuildingDistance},
    {"D", FormD({{"outlet-boundary", "50 m"}}), kOutletDistance},
    {"C", FormC({{"height", "15"}, {"building", "10"}}), kAtLeast15Times},
    {"C", FormC({{"height", "20 m"}}), kHeight},
    {"C", FormC({{"wet-flow", "300"}}, {"dry-flow"}), kMoisture},
    {"C", FormC({{"dry-flow", "0"}}), kDry},
    {"C", FormC({{"outlet-boundary", "-5"}}), kOutletDistance},
    {"C", FormC({{"height", "14"}, {"building", "10"}}), kBelow15},
    {"C", FormC({{"dry-flow", " ３００ "}}), ""},
    {"A", {{"height", "5"}, {"no1", "22"}, {"size", "small"}}, kNo1},
    {"A", {{"height", "-1"}, {"no1", "12"}, {"size", "small"}}, kLowHeightA},
    {"A", {{"height", "五"}, {"no1", "12"}, {"size", "small"}}, kLowHeightA},
    {"A", {{"height", "5"}, {"no1", "12"}}, kSize},
    {"A", {{"height", "6.7"}, {"no1", "12"}, {"size", "small"}}, kA67},
    {"A", {{"height", "6.69999"}, {"no1", "12"}, {"size", "small"}}, ""},
    {"B", {{"height", "6.69999"}, {"building", "5"}, {"no1", "12"}, {"size", "large"}}, kB67},
    {"B", {{"height", "15"}, {"building", "5"}, {"no1", "12"}, {"size", "large"}}, kB15},
    {"B", {{"height", "14.99999"}, {"building", "5"}, {"no1", "12"}, {"size", "large"}}, ""},
    {"B", {{"height", "10"}, {"building", "401"}, {"no1", "12"}, {"size", "large"}}, kLowBuilding},
    {"B", {{"height", "401"}, {"building", "5"}, {"no1", "12"}, {"size", "large"}}, kLowHeightB},
    {"", {{"height", "400.01"}, {"building", "10"}}, kMenuOutlet},
    {"", {{"height", "10"}, {"building", "400.5"}}, kMenuBuilding},
};

std::string Get(const OutletOptions &o, const char *name) {
    auto it = o.find(name);
    return it == o.end() ? std::string() : it->second;
}

// The texts as the case screens' fields would hold them, through the form rules.
std::string FormMessage(const FormRow &row) {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    const OutletOptions &o = row.fields;
    const std::string name = row.caseName;
    const char *message = nullptr;
    if (name.empty()) {
        ReadMenuField(in, MenuField::OutletHeight, Get(o, "height").c_str());
        ReadMenuField(in, MenuField::BuildingHeight, Get(o, "building").c_str());
        message = ValidateStartMenu(in).message;
    } else if (name == "A" || name == "B") {
        const std::string size = Get(o, "size");
        in.sizeClass = size == "small" ? SizeSmall : size == "large" ? SizeLarge : SizeNone;
        const LowFormTexts form{Get(o, "no1"), Get(o, "height"), Get(o, "building")};
        message =
            ValidateLowForm(name == "A" ? CaseA : CaseB, form, ValidationMode::Interactive, in)
                .message;
    } else {
        const OutletCase tallCase = name == "C" ? CaseC : CaseD;
        const OutletDirection direction =
            o.count("direction") ? DirectionUpward : DirectionNotChosen;
        SetTallChoices(in, tallCase, o.count("area") ? SizeByArea : SizeByDiameter,
                       o.count("wet-flow")   ? FlowWet
                       : o.count("velocity") ? FlowVelocity
                                             : FlowDry,
                       direction);
        TallFormTexts form;
        form[TallField::OutletHeight] = Get(o, "height");
        form[TallField::BuildingHeight] = Get(o, "building");
        form[TallField::No1Standard] = Get(o, "no1");
        form[TallField::Diameter] = Get(o, "diameter");
        form[TallField::Area] = Get(o, "area");
        form[TallField::Temperature] = Get(o, "temperature");
        form[TallField::DryFlow] = Get(o, "dry-flow");
        form[TallField::WetFlow] = Get(o, "wet-flow");
        form[TallField::Velocity] = Get(o, "velocity");
        form[TallField::Moisture] = Get(o, "moisture");
        form[TallField::OutletToBoundary] = Get(o, "outlet-boundary");
        form[TallField::BuildingToBoundary] = Get(o, "building-boundary");
        message = ValidateTallForm(tallCase, form, ValidationMode::Interactive, in).message;
    }
    return message ? message : "";
}

std::string CalcMessage(const FormRow &row) {
    OutletOptions o = row.fields;
    if (row.caseName[0] != '\0')
        o["case"] = row.caseName;
    OutletCase outletCase;
    const RequestError e = PrepareOutlet(o, currentOutlet, &outletCase);
    EXPECT_NE(e.status, kBadUsage) << e.message;
    return e.message;
}

TEST(FormRules, FirstMessagesAsTheScreensAndTheCommandLineGiveThem) {
    for (const FormRow &row : kRows) {
        const std::string where = std::string(row.caseName) + " " + Get(row.fields, "height");
        EXPECT_EQ(FormMessage(row), row.firstMessage) << where;
        EXPECT_EQ(CalcMessage(row), row.firstMessage) << where;
    }
}

#ifndef _WIN32
// The same rows through the program kamorte-calc itself: its exit status and what it says.
TEST(FormRules, KamorteCalcSaysTheSameFirstMessages) {
    for (const FormRow &row : kRows) {
        if (row.firstMessage[0] == '\0')
            continue; // accepted rows compute; their results are the golden tests' business
        std::string command = KAMORTE_CALC;
        if (row.caseName[0] != '\0')
            command += std::string(" --case ") + row.caseName;
        for (const auto &field : row.fields)
            command += " --" + field.first + " '" + Cp932ToUtf8(field.second) + "'";
        std::FILE *pipe = popen((command + " 2>&1").c_str(), "r");
        std::string out;
        char buffer[1024];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        const int status = pclose(pipe);
        EXPECT_EQ(WEXITSTATUS(status), 1) << command;
        EXPECT_EQ(out, Cp932ToUtf8(std::string(row.firstMessage) + "\n")) << command;
    }
}
#endif

TEST(FormRules, SilentModeKeepsTheValidAndDropsTheRest) {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    SetTallChoices(in, CaseD, SizeByDiameter, FlowDry, DirectionNotChosen);
    TallFormTexts form;
    form[TallField::OutletHeight] = "３０";
    form[TallField::BuildingHeight] = "ten";
    form[TallField::No1Standard] = "12";
    form[TallField::Diameter] = "1";
    form[TallField::DryFlow] = "300";
    form[TallField::Moisture] = "100";
    form[TallField::OutletToBoundary] = " 50 ";
    const TallVerdict v = ValidateTallForm(CaseD, form, ValidationMode::Silent, in);
    EXPECT_EQ(v.verdict, Verdict::Proceed);
    EXPECT_EQ(v.message, nullptr);
    EXPECT_EQ(v.accepted, (std::vector<TallField>{TallField::OutletHeight, TallField::No1Standard,
                                                  TallField::Diameter, TallField::DryFlow,
                                                  TallField::OutletToBoundary}));
    EXPECT_EQ(in.tall.tallOutletHeight, 30.0);
    EXPECT_STREQ(in.outletHeightText, "30");
    EXPECT_EQ(in.tall.tallBuildingHeight, -1.0);
    EXPECT_STREQ(in.buildingHeightText, "");
    EXPECT_EQ(in.tall.moisture, 100.0); // what was read stays, the text does not
    EXPECT_STREQ(in.moistureText, "");
    EXPECT_STREQ(in.outletToBoundaryText, "50");
    EXPECT_EQ(in.tall.buildingToBoundary, -1.0);
}

TEST(FormRules, YesToTheQuestionsLeadsToTheRightScreenWithTheTexts) {
    struct Case {
        OutletCase open;
        const char *height;
        const char *building;
        OutletCase yes;
    };
    const Case cases[] = {
        {CaseD, "10", "5", CaseB},      {CaseD, "5", "1", CaseA},      {CaseC, "15", "10", CaseD},
        {CaseD, "15", "10.001", CaseC}, {CaseC, "６．７", "1", CaseB},
    };
    for (const Case &c : cases) {
        OutletInputs in{};
        ResetLowOutletInputs(in);
        ResetTallOutletInputs(in);
        SetTallChoices(in, c.open, SizeByDiameter, FlowDry, DirectionOther);
        TallFormTexts form;
        form[TallField::OutletHeight] = c.height;
        form[TallField::BuildingHeight] = c.building;
        form[TallField::No1Standard] = "１２";
        form[TallField::Diameter] = "1";
        form[TallField::DryFlow] = "300";
        form[TallField::Moisture] = "10";
        form[TallField::OutletToBoundary] = "50";
        form[TallField::BuildingToBoundary] = "20";
        const TallVerdict v = ValidateTallForm(c.open, form, ValidationMode::Interactive, in);
        ASSERT_EQ(v.verdict, Verdict::Ask) << c.height;
        EXPECT_EQ(AnswerTallYes(v, form, in), c.yes) << c.height;
        if (c.yes == CaseA || c.yes == CaseB) {
            EXPECT_EQ(v.field, TallField::OutletHeight);
            EXPECT_EQ(in.outletHeight, in.tall.tallOutletHeight);
            EXPECT_STREQ(in.no1Text, "12");
            EXPECT_EQ(in.buildingHeight, c.yes == CaseB ? in.tall.tallBuildingHeight : -1.0);
        } else {
            EXPECT_EQ(v.field, TallField::BuildingHeight);
        }
    }
}

TEST(FormRules, ChangeChecksCompareValueAndText) {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    in.tall.dryFlow = 300;
    std::snprintf(in.dryFlowText, kTextSize, "%s", "300");
    in.tall.outletToBoundary = 0;
    in.outletToBoundaryText[0] = '\0'; // omitted on the case C screen
    in.no1Index = 12;
    std::snprintf(in.no1Text, kTextSize, "%s", "12");
    in.outletHeight = 5;
    std::snprintf(in.outletHeightText, kTextSize, "%s", "5");
    struct Case {
        bool tall;
        int field;
        const char *text;
        bool changed;
    };
    const Case cases[] = {
        {true, static_cast<int>(TallField::DryFlow), "300", false},
        {true, static_cast<int>(TallField::DryFlow), "３００", false},
        {true, static_cast<int>(TallField::DryFlow), "300.0", true},
        {true, static_cast<int>(TallField::DryFlow), "30", true},
        {true, static_cast<int>(TallField::DryFlow), "300高", true},
        {true, static_cast<int>(TallField::OutletToBoundary), "", false},
        {true, static_cast<int>(TallField::OutletToBoundary), "0", true},
        {false, static_cast<int>(LowField::No1Index), "12", false},
        {false, static_cast<int>(LowField::No1Index), "十二", true},
        {false, static_cast<int>(LowField::OutletHeight), " 5 ", false},
        {false, static_cast<int>(LowField::OutletHeight), "五", false},
        {false, static_cast<int>(LowField::OutletHeight), "6", true},
    };
    for (const Case &c : cases) {
        const bool changed = c.tall ? TallFieldChanged(in, static_cast<TallField>(c.field), c.text)
                                    : LowFieldChanged(in, static_cast<LowField>(c.field), c.text);
        EXPECT_EQ(changed, c.changed) << c.text;
    }
}

// The case rules differ where they meet: plain comparisons of doubles for 6.7 m and 15 m,
// tenths of a millimetre for 1.5 times the building.
TEST(CaseRules, EachRuleAtItsEdge) {
    struct Case {
        double height;
        double building;
        OutletCase expected;
    };
    const Case cases[] = {
        {6.69999, 0, CaseA},    {6.7, 0, CaseB},        {14.99999, 0, CaseB},
        {15, 10, CaseD},        {15, 10.00001, CaseD},  {15, 10.001, CaseC},
        {20, 0, CaseD},         {400, 266.6666, CaseD}, {400, 266.6667, CaseC},
        {15, 10.000033, CaseD}, {15, 10.00006, CaseC},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CaseOfHeights(c.height, c.building), c.expected) << c.height << " " << c.building;
    EXPECT_FALSE(NeedsBuildingHeight(6.69999));
    EXPECT_TRUE(NeedsBuildingHeight(6.7));
    EXPECT_FALSE(IsTallOutlet(14.99999));
    EXPECT_TRUE(IsTallOutlet(15));
    // A plain comparison of doubles would decide these the other way.
    EXPECT_FALSE(15 >= 1.5 * 10.00001);
    EXPECT_TRUE(AtLeast15TimesBuilding(15, 10.00001));
}

TEST(StartMenuRules, ReadRuleAndNext) {
    struct Case {
        const char *outlet;
        const char *building;
        double outletValue;
        bool nextEnabled;
    };
    const Case cases[] = {
        {"5", "", 5, true},          {"10", "", 10, false},   {"10", "12", 10, true},
        {"１０ｍ", "12", -1, false}, {"-3", "", -1, false},   {"  7  ", "0", 7, true},
        {"", "", -1, false},         {"500", "", 500, false},
    };
    for (const Case &c : cases) {
        OutletInputs in{};
        ResetLowOutletInputs(in);
        ResetTallOutletInputs(in);
        EXPECT_TRUE(ReadMenuField(in, MenuField::OutletHeight, c.outlet));
        ReadMenuField(in, MenuField::BuildingHeight, c.building);
        EXPECT_EQ(in.menuOutletHeight, c.outletValue) << c.outlet;
        EXPECT_EQ(MenuNextEnabled(in), c.nextEnabled) << c.outlet;
    }
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ReadMenuField(in, MenuField::OutletHeight, "8");
    EXPECT_FALSE(ReadMenuField(in, MenuField::OutletHeight, "八"));
    EXPECT_EQ(in.menuOutletHeight, 8.0); // the value read before stays in force
}

} // namespace

// The quantised rules of the computation part from the case rules at the same heights.
TEST(CaseRules, TheComputationsOwnRulesAreNotTheCaseRules) {
    struct Case {
        double outlet;
        double building;
        bool needsBuilding; // start menu, plain
        bool smallAtLeast67;
        bool buildingBelow15Times;
        bool atLeast15Times; // case D rule
    };
    const Case cases[] = {
        {6.69999, 0, false, true, true, true},    {6.69994, 0, false, false, true, true},
        {6.7, 0, true, true, true, true},         {10, 15, true, true, false, false},
        {10, 14.99999, true, true, false, false}, {10, 14.99994, true, true, true, false},
        {15, 10, true, true, true, true},         {14.99999, 10, true, true, true, true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(NeedsBuildingHeight(c.outlet), c.needsBuilding) << c.outlet;
        EXPECT_EQ(SmallOutletAtLeast67m(c.outlet), c.smallAtLeast67) << c.outlet;
        EXPECT_EQ(BuildingBelow15TimesOutlet(c.building, c.outlet), c.buildingBelow15Times)
            << c.outlet << " " << c.building;
        EXPECT_EQ(AtLeast15TimesBuilding(c.outlet, c.building), c.atLeast15Times)
            << c.outlet << " " << c.building;
    }
    EXPECT_TRUE(SmallOutletBuildingBelow10m(9.99994));
    EXPECT_FALSE(SmallOutletBuildingBelow10m(9.99995));
}
