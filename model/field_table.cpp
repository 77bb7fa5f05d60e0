#include "model/field_table.h"

#include <limits>

namespace {

// The same words on the low-outlet and the tall-outlet screens.
const char kNo1Message[] = "臭気指数第１号基準に適切な値（10～21）を設定して下さい。";
const char kLowBuildingMessage[] =
    "最大周辺建物高さに適切な値（0m以上、400m以下）を設定して下さい。";

constexpr FieldLimits kHeightLimits{0, false, 400, false};
constexpr FieldLimits kFlowLimits{0, true, 10000, true};
constexpr FieldLimits kDistanceLimits{0, false, 10000, false};
constexpr FieldLimits kNo1Limits{10, false, 21, false};

// An index of 100 is a concentration of 10^10: no measurement reaches it, and above it the
// emission rate would leave the range of a double long before the comparison means anything.
constexpr FieldLimits kMeasuredIndexLimits{0, false, 100, false};

constexpr unsigned kTallCases = CaseBit(CaseC) | CaseBit(CaseD);

const TallFieldRule kNoTallRule{};
const LowFieldRule kNoLowRule{};
const MapAdjustRule kNoMapRule{};
const ValueRule kNoValueRule{};

// In the order of Field. The display height's message names the highest height the map can
// show: the map adjustment words it (nullptr here).
const std::vector<FieldRow> &Rows() {
    static const std::vector<FieldRow> rows = {
        {Field::OutletHeight,
         "outlet height",
         kMenuForm | kLowForm | kTallForm,
         "height",
         {"排出口の実高さ", nullptr},
         kEveryCase,
         "M",
         "outlet real height",
         {TallField::OutletHeight, &TallOutletInputs::tallOutletHeight,
          &OutletInputs::outletHeightText, -1.0, kHeightLimits, false,
          "排出口の実高さに適切な値（15から400）を設定して下さい。"},
         {LowField::OutletHeight, kHeightLimits, true,
          "排出口の実高さに適切な値（0m以上、6.7m未満）を設定して下さい。",
          "排出口の実高さに適切な値（6.7m以上、15m未満）を設定して下さい。",
          &OutletInputs::outletHeight, &OutletInputs::outletHeightText},
         kNoMapRule,
         kNoValueRule},
        {Field::BuildingHeight,
         "building height",
         kMenuForm | kLowForm | kTallForm,
         "building",
         {"周辺最大建物高さ", nullptr},
         CaseBit(CaseB) | kTallCases,
         "M",
         "maximum nearby building height (not for case A)",
         {TallField::BuildingHeight, &TallOutletInputs::tallBuildingHeight,
          &OutletInputs::buildingHeightText, -1.0, kHeightLimits, false,
          "最大周辺建物高さに適切な値（0から400）を設定して下さい。"},
         {LowField::BuildingHeight, kHeightLimits, true, kLowBuildingMessage, kLowBuildingMessage,
          &OutletInputs::buildingHeight, &OutletInputs::buildingHeightText},
         kNoMapRule,
         kNoValueRule},
        {Field::No1Standard,
         "No. 1 standard",
         kLowForm | kTallForm,
         "no1",
         {"１号基準", nullptr},
         kEveryCase,
         "INDEX",
         "No. 1 standard, 10 to 21",
         {TallField::No1Standard, &TallOutletInputs::no1Standard, &OutletInputs::no1StandardText,
          -1.0, kNo1Limits, false, kNo1Message},
         {LowField::No1Index, kNo1Limits, false, kNo1Message, kNo1Message, &OutletInputs::no1Index,
          &OutletInputs::no1Text},
         kNoMapRule,
         kNoValueRule,
         "１号基準：臭気指数"},
        {Field::SizeClass,
         "size class",
         kLowForm,
         "size",
         {"排出口の大きさ", nullptr},
         CaseBit(CaseA) | CaseBit(CaseB),
         "small|medium|large",
         "outlet size class (cases A and B)",
         kNoTallRule,
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::Diameter,
         "diameter",
         kTallForm,
         "diameter",
         {"排出口の口径", nullptr},
         CaseBit(CaseD),
         "M",
         nullptr,
         {TallField::Diameter,
          &TallOutletInputs::outletDiameter,
          &OutletInputs::outletDiameterText,
          -1.0,
          {0, true, 10, false},
          false,
          "排出口の口径に適切な値（0mより大きく、10m以下）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::Area,
         "area",
         kTallForm,
         "area",
         {"排出口の断面積", nullptr},
         CaseBit(CaseD),
         "M2",
         "outlet size (case D)",
         {TallField::Area,
          &TallOutletInputs::outletArea,
          &OutletInputs::outletAreaText,
          -1.0,
          {0, true, 100, false},
          false,
          "排出口の断面積に適切な値（0㎡より大きく、100㎡以下）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::Direction,
         "direction",
         kTallForm,
         "direction",
         {"排出口の向き", nullptr},
         CaseBit(CaseD),
         "up|down",
         "outlet direction (case D)",
         kNoTallRule,
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::Temperature,
         "temperature",
         kTallForm,
         "temperature",
         {"排出ガス温度", nullptr},
         CaseBit(CaseD),
         "C",
         "gas temperature (case D, upward outlet)",
         {TallField::Temperature,
          &TallOutletInputs::gasTemperature,
          &OutletInputs::gasTemperatureText,
          -100.0,
          {-15, false, 999, false},
          false,
          "排出ガス温度に適切な値（-15から999）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::DryFlow,
         "dry flow",
         kTallForm,
         "dry-flow",
         {"排出ガス流量（乾き）", nullptr},
         kTallCases,
         "Q",
         nullptr,
         {TallField::DryFlow, &TallOutletInputs::dryFlow, &OutletInputs::dryFlowText, -1.0,
          kFlowLimits, false,
          "排出ガス流量（乾き）に適切な値（0より大きく、10000より小さい数）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::WetFlow,
         "wet flow",
         kTallForm,
         "wet-flow",
         {"排出ガス流量（湿り）", nullptr},
         kTallCases,
         "Q",
         nullptr,
         {TallField::WetFlow, &TallOutletInputs::wetFlow, &OutletInputs::wetFlowText, -1.0,
          kFlowLimits, false,
          "排出ガス流量（湿り）に適切な値（0より大きく、10000より小さい数）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::Velocity,
         "exit velocity",
         kTallForm,
         "velocity",
         {"排出ガス吐出速度", nullptr},
         CaseBit(CaseD),
         "V",
         "gas flow in m3N/min or exit velocity in m/s\n(--velocity only in case D)",
         {TallField::Velocity,
          &TallOutletInputs::exitVelocity,
          &OutletInputs::exitVelocityText,
          -1.0,
          {0, true, 200, true},
          false,
          "排出ガス吐出速度に適切な値（0より大きく、200より小さい数）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::Moisture,
         "moisture",
         kTallForm,
         "moisture",
         {"排出ガス水分量", nullptr},
         kTallCases,
         "PERCENT",
         "moisture (case D; case C with --wet-flow)",
         {TallField::Moisture,
          &TallOutletInputs::moisture,
          &OutletInputs::moistureText,
          -1.0,
          {0, false, 100, true},
          false,
          "排出ガス水分量に適切な値（0以上、100未満）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::OutletToBoundary,
         "outlet to boundary",
         kTallForm,
         "outlet-boundary",
         {"排出口と敷地境界との最短距離", nullptr},
         kTallCases,
         "M",
         "outlet to site boundary (may be omitted in case C)",
         {TallField::OutletToBoundary, &TallOutletInputs::outletToBoundary,
          &OutletInputs::outletToBoundaryText, -1.0, kDistanceLimits, true,
          "排出口と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::BuildingToBoundary,
         "building to boundary",
         kTallForm,
         "building-boundary",
         {"周辺最大建物と敷地境界との最短距離", nullptr},
         kTallCases,
         "M",
         "building to site boundary (may be omitted in case C)",
         {TallField::BuildingToBoundary, &TallOutletInputs::buildingToBoundary,
          &OutletInputs::buildingToBoundaryText, -1.0, kDistanceLimits, true,
          "周辺最大建物と敷地境界との最短距離に適切な値（0m以上、10000m以下）を設定して下さい。"},
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        // The case and the measured index are options of every case, not fields of a screen.
        {Field::Case,
         "case",
         0,
         "case",
         {nullptr, nullptr},
         kEveryCase,
         "A|B|C|D",
         "the case; by default chosen from the two heights",
         kNoTallRule,
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::MeasuredIndex,
         "measured index",
         0,
         "measured-index",
         {"排出口の臭気指数（測定値）", nullptr},
         kEveryCase,
         "N",
         "the odor index measured at the outlet: adds the verdict\n"
         "(complies or not) and the margin in index units",
         kNoTallRule,
         kNoLowRule,
         kNoMapRule,
         {kMeasuredIndexLimits,
          "排出口の臭気指数（測定値）に適切な値（0～100）を設定して下さい。"}},
        {Field::DownwindRange,
         "downwind range",
         kMapForm,
         "",
         {nullptr, nullptr},
         0,
         nullptr,
         nullptr,
         kNoTallRule,
         kNoLowRule,
         {MapAdjustField::DownwindRange, true, kMinDownwindRange, kMaxDownwindRange,
          "風下距離に適切な値（10から10000）を設定して下さい。"},
         kNoValueRule},
        {Field::DisplayHeight,
         "display height",
         kMapForm,
         "",
         {nullptr, nullptr},
         0,
         nullptr,
         nullptr,
         kNoTallRule,
         kNoLowRule,
         {MapAdjustField::DisplayHeight, true, kMinDisplayHeight, kMaxDisplayHeight, nullptr},
         kNoValueRule},
        {Field::RedLimit,
         "red limit",
         kMapForm,
         "",
         {nullptr, nullptr},
         0,
         nullptr,
         nullptr,
         kNoTallRule,
         kNoLowRule,
         {MapAdjustField::RedLimit, false, 0.0, std::numeric_limits<double>::infinity(),
          "赤に配色される希釈度に適切な値（白に配色される希釈度より小さい正の数）を\n"
          "設定して下さい。"},
         kNoValueRule},
        {Field::WhiteLimit,
         "white limit",
         kMapForm,
         "",
         {nullptr, nullptr},
         0,
         nullptr,
         nullptr,
         kNoTallRule,
         kNoLowRule,
         {MapAdjustField::WhiteLimit, false, 0.0, kMaxWhiteLimit,
          "白に配色される希釈度に適切な値（赤に配色される希釈度より大きく、300以下の数）を\n"
          "設定して下さい。"},
         kNoValueRule},
        // The print information's fields keep their texts on the print side (PrintInfo).
        {Field::AuthorName,
         "author",
         kPrintForm,
         "",
         {"作成者", nullptr},
         0,
         nullptr,
         nullptr,
         kNoTallRule,
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::OfficeName,
         "office",
         kPrintForm,
         "",
         {"事業所名", nullptr},
         0,
         nullptr,
         nullptr,
         kNoTallRule,
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
        {Field::FacilityName,
         "facility",
         kPrintForm,
         "",
         {"施設名", nullptr},
         0,
         nullptr,
         nullptr,
         kNoTallRule,
         kNoLowRule,
         kNoMapRule,
         kNoValueRule},
    };
    return rows;
}

// The radio buttons' texts. The downward button names four kinds of outlet at once; each of
// them alone is accepted too, as a sheet lists one kind per outlet.
const std::vector<FieldWord> &Words() {
    static const std::vector<FieldWord> words = {
        {Field::SizeClass, "小径", "small"},
        {Field::SizeClass, "中径", "medium"},
        {Field::SizeClass, "大径", "large"},
        {Field::Direction, "上向き", "up"},
        {Field::Direction, "下向き、横向き、陣笠、Ｈ型", "down"},
        {Field::Direction, "下向き", "down"},
        {Field::Direction, "横向き", "down"},
        {Field::Direction, "陣笠", "down"},
        {Field::Direction, "Ｈ型", "down"},
    };
    return words;
}

// The usage text's descriptions start at this column, or at the wider one when the options
// leave fewer than two blanks before it, or three blanks after longer options.
constexpr size_t kUsageColumn = 25;
constexpr size_t kWideUsageColumn = 35;

void PadUsage(std::string &line) {
    const size_t column = line.size() + 2 <= kUsageColumn       ? kUsageColumn
                          : line.size() + 2 <= kWideUsageColumn ? kWideUsageColumn
                                                                : line.size() + 3;
    line.resize(column, ' ');
}

} // namespace

const std::vector<FieldRow> &FieldTable() {
    return Rows();
}

const FieldRow &FieldRowOf(Field field) {
    return Rows()[static_cast<size_t>(field)];
}

FieldTextLimits TextLimitsOf(FieldForm form) {
    switch (form) {
    // The start menu reads 62 bytes of a field straight into the record's text; typing stops
    // there, so what was typed is read whole.
    case kMenuForm: return {62, 62};
    // Typing stops where the records end, so an accepted text is always kept whole; the rule
    // reads 254 bytes, enough to judge a longer text set or pasted past the limit as a whole.
    case kLowForm:
    case kTallForm: return {kTextSize - 1, 254};
    // The map adjustment keeps numbers, not texts: typing stops at what it reads.
    case kMapForm: return {255, 255};
    case kPrintForm: break;
    }
    return {0, 0};
}

const char *PrintLabelOf(Field field) {
    const FieldRow &row = FieldRowOf(field);
    return row.printLabel != nullptr ? row.printLabel : row.labels[0];
}

const char *OptionOf(Field field) {
    return FieldRowOf(field).option;
}

std::string DashedOption(Field field) {
    return std::string("--") + OptionOf(field);
}

const std::vector<FieldWord> &FieldWords() {
    return Words();
}

std::string OptionUsageLines() {
    std::string text;
    std::string line;
    for (const FieldRow &row : Rows()) {
        if (row.usageValue == nullptr)
            continue;
        line += (line.empty() ? "  " : " | ") + DashedOption(row.field) + " " + row.usageValue;
        if (row.usageText == nullptr)
            continue;
        PadUsage(line);
        for (const char *p = row.usageText; *p != '\0'; ++p) {
            line += *p;
            if (*p == '\n')
                line.append(kUsageColumn, ' ');
        }
        text += line + "\n";
        line.clear();
    }
    return text;
}

const TallFieldRule &TallRule(TallField field) {
    for (const FieldRow &row : Rows())
        if (row.tall.message != nullptr && row.tall.field == field)
            return row.tall;
    return kNoTallRule;
}

const LowFieldRule &LowRule(LowField field) {
    for (const FieldRow &row : Rows())
        if (row.low.messageA != nullptr && row.low.field == field)
            return row.low;
    return kNoLowRule;
}

const MapAdjustRule &MapAdjustRuleOf(MapAdjustField field) {
    for (const FieldRow &row : Rows())
        if ((row.forms & kMapForm) && row.map.field == field)
            return row.map;
    return kNoMapRule;
}

Field FieldOf(TallField field) {
    for (const FieldRow &row : Rows())
        if (row.tall.message != nullptr && row.tall.field == field)
            return row.field;
    return Field::OutletHeight;
}

Field FieldOf(LowField field) {
    for (const FieldRow &row : Rows())
        if (row.low.messageA != nullptr && row.low.field == field)
            return row.field;
    return Field::OutletHeight;
}
