#include "calc/batch_row.h"

#include "model/field_table.h"
#include "text/text_helpers.h"

#include <vector>

namespace {

const char *const kCaseLetters[] = {"Ａ", "Ｂ", "Ｃ", "Ｄ"};

bool Has(const OutletOptions &o, Field field) {
    return o.count(OptionOf(field)) != 0;
}

std::string Heading(const ColumnHeadings &headings, Field field) {
    const auto it = headings.find(OptionOf(field));
    return it != headings.end() ? it->second : FieldRowOf(field).labels[0];
}

RequestError Refused(const std::string &message) {
    return {kBadInput, message};
}

// A field whose cell is read as a number.
bool Numeric(Field field) {
    return field != Field::Case && field != Field::SizeClass && field != Field::Direction;
}

// "5m", "12以上": a number with something after it, which in a sheet is never a typo of
// the number alone.
bool TextAfterNumber(const std::string &cell) {
    std::vector<char> text(cell.begin(), cell.end());
    text.push_back('\0');
    if (!ToSingleByte(text.data()))
        return false;
    const FieldNumber n = ScanFieldNumber(text.data());
    return n.hasNumber && n.wordAfter;
}

RequestError OnlyDigits(const OutletOptions &o, const ColumnHeadings &headings, Field field,
                        uint64_t sheetRow) {
    const auto it = o.find(OptionOf(field));
    if (it == o.end() || !TextAfterNumber(it->second))
        return {};
    return Refused("数字だけを入力して下さい（「" + Heading(headings, field) + "」 " +
                   std::to_string(sheetRow) + " 行目）");
}

// The first two of the alternatives that are both given.
RequestError OneOf(const OutletOptions &o, const ColumnHeadings &headings,
                   std::initializer_list<Field> alternatives) {
    std::vector<Field> given;
    for (Field field : alternatives)
        if (Has(o, field))
            given.push_back(field);
    if (given.size() < 2)
        return {};
    return Refused(Heading(headings, given[0]) + "と" + Heading(headings, given[1]) +
                   "の両方が入力されています。どちらか一方にして下さい。");
}

// Sets aside what the case's screen has no field for, and says so.
std::string SetAside(OutletOptions &o, const ColumnHeadings &headings, OutletCase c) {
    const std::string letter = kCaseLetters[c - CaseA];
    std::string unused;
    bool fixedSize = false;
    for (const FieldRow &row : FieldTable()) {
        if (row.forms == 0 || !Has(o, row.field) || (row.cases & CaseBit(c)))
            continue;
        o.erase(row.option);
        if (c == CaseC && (row.field == Field::Diameter || row.field == Field::Temperature))
            fixedSize = true;
        else
            unused += (unused.empty() ? "" : "、") + Heading(headings, row.field);
    }
    std::string note;
    if (!unused.empty())
        note += "ケース" + letter + "では" + unused + "を使いません。";
    if (fixedSize)
        note += "ケースＣでは口径 0.9 m、温度 15 ℃で計算します。";
    if (c == CaseC && Has(o, Field::Moisture) && !Has(o, Field::WetFlow)) {
        o.erase(OptionOf(Field::Moisture));
        note += "ケースＣでは" + Heading(headings, Field::WetFlow) + "のときだけ" +
                Heading(headings, Field::Moisture) + "を使います。";
    }
    const auto direction = o.find(OptionOf(Field::Direction));
    if (c == CaseD && Has(o, Field::Temperature) && direction != o.end() &&
        direction->second == "down") {
        o.erase(OptionOf(Field::Temperature));
        note += "上向きでない排出口では" + Heading(headings, Field::Temperature) + "を使いません。";
    }
    return note;
}

// The choices' cells hold one of the words of their radio buttons.
RequestError CheckChoices(const OutletOptions &o, const ColumnHeadings &headings) {
    const auto size = o.find(OptionOf(Field::SizeClass));
    if (size != o.end() && size->second != "small" && size->second != "medium" &&
        size->second != "large")
        return Refused(Heading(headings, Field::SizeClass) +
                       "は、小径・中径・大径のいずれかを入力して下さい。");
    const auto direction = o.find(OptionOf(Field::Direction));
    if (direction != o.end() && direction->second != "up" && direction->second != "down")
        return Refused(Heading(headings, Field::Direction) +
                       "は、上向き・下向きのいずれかを入力して下さい。");
    return {};
}

} // namespace

PreparedRow PrepareBatchRow(const OutletOptions &cells, const ColumnHeadings &headings,
                            uint64_t sheetRow, OutletInputs &in) {
    PreparedRow row;
    row.used = WithPlainNumbers(cells);
    for (Field field : {Field::OutletHeight, Field::BuildingHeight})
        if ((row.error = OnlyDigits(row.used, headings, field, sheetRow)).status)
            return row;
    row.error = ChooseCase(row.used, in, &row.outletCase);
    if (row.error.status) {
        if (row.error.status == kBadUsage)
            row.error = Refused("ケースは、A・B・C・Dのいずれかを入力して下さい。");
        return row;
    }
    row.note = SetAside(row.used, headings, row.outletCase);
    row.used[OptionOf(Field::Case)] =
        std::string(1, static_cast<char>('A' + row.outletCase - CaseA));
    for (const FieldRow &field : FieldTable())
        if (field.option[0] != '\0' && Numeric(field.field))
            if ((row.error = OnlyDigits(row.used, headings, field.field, sheetRow)).status)
                return row;
    if ((row.error = CheckChoices(row.used, headings)).status)
        return row;
    if ((row.error = OneOf(row.used, headings, {Field::DryFlow, Field::WetFlow, Field::Velocity}))
            .status)
        return row;
    if ((row.error = OneOf(row.used, headings, {Field::Diameter, Field::Area})).status)
        return row;
    OutletCase prepared;
    row.error = PrepareOutlet(row.used, in, &prepared);
    return row;
}
