#include "calc/outlet_file.h"

#include "calc/batch_columns.h"
#include "calc/calc_output.h"
#include "calc/compliance.h"
#include "calc/csv_text.h"
#include "model/form_rules.h"
#include "model/small_outlet.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr Field kPrintFields[] = {Field::AuthorName, Field::OfficeName, Field::FacilityName};

using PrintText = char (PrintInfo::*)[kPrintInfoSize];

PrintText PrintTextOf(Field field) {
    return field == Field::AuthorName   ? &PrintInfo::authorName
           : field == Field::OfficeName ? &PrintInfo::officeName
                                        : &PrintInfo::facilityName;
}

// The columns of the file, in order: the print information first, as the batch writes the
// columns it passes through ahead of the inputs; then the outlet's fields.
std::vector<Field> FileFields() {
    std::vector<Field> fields(std::begin(kPrintFields), std::end(kPrintFields));
    for (const FieldRow &row : FieldTable())
        if (row.option[0] != '\0' && row.labels[0] != nullptr)
            fields.push_back(row.field);
    return fields;
}

// The word of a choice's radio button for an option value: the first the table lists.
std::string WordOf(Field field, const char *value) {
    for (const FieldWord &w : FieldWords())
        if (w.field == field && std::string(w.value) == value)
            return w.word;
    return "";
}

std::string Get(const OutletOptions &o, Field field) {
    const auto it = o.find(OptionOf(field));
    return it == o.end() ? std::string() : it->second;
}

// The texts being gathered: a screen's text in place of the records' where it has one.
class TextsBeingKept {
  public:
    TextsBeingKept(OutletTexts &texts, const ShownText &shown) : texts_(texts), shown_(shown) {}
    void Put(Field field, const std::string &recorded) {
        std::string text;
        texts_[static_cast<size_t>(field)] = shown_ && shown_(field, &text) ? text : recorded;
    }

  private:
    OutletTexts &texts_;
    const ShownText &shown_;
};

void TallTexts(const OutletInputs &in, OutletCase c, TextsBeingKept &texts) {
    for (const FieldRow &row : FieldTable())
        if (row.tall.message != nullptr && TallFieldApplies(in, c, row.tall.field))
            texts.Put(row.field, in.*row.tall.text);
    if (c == CaseD && in.tall.outletDirection != DirectionNotChosen)
        texts.Put(
            Field::Direction,
            WordOf(Field::Direction, in.tall.outletDirection == DirectionUpward ? "up" : "down"));
}

void LowTexts(const OutletInputs &in, OutletCase c, TextsBeingKept &texts) {
    texts.Put(Field::No1Standard, in.no1Text);
    if (c == CaseB)
        texts.Put(Field::BuildingHeight, in.buildingHeightText);
    static const char *const kSizes[] = {"small", "medium", "large"};
    if (in.sizeClass >= SizeSmall && in.sizeClass <= SizeLarge)
        texts.Put(Field::SizeClass, WordOf(Field::SizeClass, kSizes[in.sizeClass]));
}

std::string Cell(const std::string &text) {
    return CsvQuote(GuardFormula(text));
}

// The fields a row gave that the records did not take, by their labels.
class NotTaken {
  public:
    void Check(const OutletOptions &o, Field field, bool taken) {
        if (!taken && !Get(o, field).empty())
            names_ += (names_.empty() ? "" : "、") + std::string(FieldRowOf(field).labels[0]);
    }
    const std::string &Names() const { return names_; }

  private:
    std::string names_;
};

void OpenLow(const OutletOptions &o, OutletCase c, OutletInputs &in, NotTaken &notTaken) {
    const std::string size = Get(o, Field::SizeClass);
    in.sizeClass = size == "small"    ? SizeSmall
                   : size == "medium" ? SizeMedium
                   : size == "large"  ? SizeLarge
                                      : SizeNone;
    in.representativeDiameter = RepresentativeDiameter(in.sizeClass);
    notTaken.Check(o, Field::SizeClass, in.sizeClass != SizeNone);
    const LowFormTexts form{Get(o, Field::No1Standard), Get(o, Field::OutletHeight),
                            c == CaseB ? Get(o, Field::BuildingHeight) : std::string()};
    const LowVerdict v = ValidateLowForm(c, form, ValidationMode::Silent, in);
    const auto taken = [&v](LowField f) {
        return std::find(v.accepted.begin(), v.accepted.end(), f) != v.accepted.end();
    };
    notTaken.Check(o, Field::No1Standard, taken(LowField::No1Index));
    notTaken.Check(o, Field::OutletHeight, taken(LowField::OutletHeight));
    if (c == CaseB)
        notTaken.Check(o, Field::BuildingHeight, taken(LowField::BuildingHeight));
}

void OpenTall(const OutletOptions &o, OutletCase c, OutletInputs &in, NotTaken &notTaken) {
    const std::string direction = Get(o, Field::Direction);
    const OutletDirection d = direction == "up"     ? DirectionUpward
                              : direction == "down" ? DirectionOther
                                                    : DirectionNotChosen;
    if (c == CaseD)
        notTaken.Check(o, Field::Direction, d != DirectionNotChosen);
    const bool area = Get(o, Field::Diameter).empty() && !Get(o, Field::Area).empty();
    // Case C uses a moisture only with the wet flow, so a moisture without any flow (as a
    // file saved with the wet flow chosen but not yet typed keeps it) chooses the wet flow.
    const bool moistureAlone = c == CaseC && !Get(o, Field::Moisture).empty();
    const FlowMode flow = !Get(o, Field::DryFlow).empty()    ? FlowDry
                          : !Get(o, Field::WetFlow).empty()  ? FlowWet
                          : !Get(o, Field::Velocity).empty() ? FlowVelocity
                          : moistureAlone                    ? FlowWet
                                                             : FlowDry;
    SetTallChoices(in, c, area ? SizeByArea : SizeByDiameter, flow, d);
    TallFormTexts form;
    for (const FieldRow &row : FieldTable())
        if (row.tall.message != nullptr)
            form[row.tall.field] = Get(o, row.field);
    const TallVerdict v = ValidateTallForm(c, form, ValidationMode::Silent, in);
    for (const FieldRow &row : FieldTable()) {
        if (row.tall.message == nullptr)
            continue;
        const TallField f = row.tall.field;
        const bool taken = std::find(v.accepted.begin(), v.accepted.end(), f) != v.accepted.end();
        // Of two alternatives both given, the screens' radio buttons take one; a value the
        // case does not use (a temperature of a downward outlet) is no fault of the file.
        const bool alternative = f == TallField::Diameter || f == TallField::Area ||
                                 f == TallField::DryFlow || f == TallField::WetFlow ||
                                 f == TallField::Velocity;
        if (TallFieldApplies(in, c, f))
            notTaken.Check(o, row.field, taken);
        else if (alternative && (row.cases & CaseBit(c)))
            notTaken.Check(o, row.field, false);
    }
}

} // namespace

OutletTexts TextsOfOutlet(const OutletInputs &in, OutletCase outletCase, const PrintInfo &info,
                          const ShownText &shown) {
    OutletTexts texts;
    for (Field field : kPrintFields)
        texts[static_cast<size_t>(field)] = info.*PrintTextOf(field);
    TextsBeingKept kept(texts, shown);
    kept.Put(Field::OutletHeight, in.outletHeightText);
    kept.Put(Field::MeasuredIndex, in.measuredIndexText);
    switch (outletCase) {
    case CaseA:
    case CaseB: LowTexts(in, outletCase, kept); break;
    case CaseC:
    case CaseD: TallTexts(in, outletCase, kept); break;
    default: kept.Put(Field::BuildingHeight, in.buildingHeightText); break;
    }
    return texts;
}

std::string OutletFileText(const OutletTexts &texts) {
    std::string header, row;
    for (Field field : FileFields()) {
        const char *separator = header.empty() ? "" : ",";
        header += separator + Cell(FieldRowOf(field).labels[0]);
        row += separator + Cell(texts[static_cast<size_t>(field)]);
    }
    return header + "\r\n" + row + "\r\n";
}

OutletRowReader::OutletRowReader(std::istream &in, bool utf8, const TextCodec &codec)
    : reader_(in), utf8_(utf8), codec_(codec) {}

std::string OutletRowReader::Cp932(const std::string &cell) const {
    return utf8_ && codec_.utf8ToCp932 ? codec_.utf8ToCp932(cell) : cell;
}

bool OutletRowReader::ReadHeader(std::string *problem) {
    if (utf8_)
        reader_.SkipByteOrderMark();
    std::vector<std::string> cells;
    uint64_t line = 0;
    if (reader_.Next(&cells, &line) != CsvReader::Result::Record) {
        *problem = "１行目に列名がありません。";
        return false;
    }
    FileProblem fileProblem;
    const auto toCp932 = [this](const std::string &cell) { return Cp932(cell); };
    if (!ReadSheetColumns(cells, toCp932, &columns_, &keptNames_, &fileProblem)) {
        *problem = fileProblem.text;
        return false;
    }
    if (columns_.headings.empty()) {
        *problem = "排出口のデータの列（排出口の実高さなど）がありません。";
        return false;
    }
    verdictColumn_ = cells.size();
    for (size_t c = 0; c < cells.size(); ++c)
        if (columns_.result[c] && NormalisedHeading(Cp932(cells[c])) == "判定")
            verdictColumn_ = c;
    return true;
}

OutletRowReader::Got OutletRowReader::Next(OutletRow *row) {
    std::vector<std::string> cells;
    uint64_t line = 0;
    *row = OutletRow();
    for (;;) {
        const CsvReader::Result got = reader_.Next(&cells, &line);
        if (got == CsvReader::Result::End)
            return Got::End;
        row->sheetRow = ++sheetRow_;
        if (got != CsvReader::Result::Record)
            return got == CsvReader::Result::UnclosedQuote ? Got::UnclosedQuote : Got::TooLong;
        if (!std::all_of(cells.begin(), cells.end(),
                         [](const std::string &c) { return c.empty(); }))
            break;
    }
    for (size_t c = 0; c < cells.size() && c < columns_.option.size(); ++c) {
        const std::string cell = Cp932(cells[c]);
        if (c == verdictColumn_)
            row->verdict = cell;
        else if (columns_.result[c])
            continue;
        else if (columns_.option[c].empty())
            row->kept.push_back(cell);
        else if (!cell.empty())
            row->options[columns_.option[c]] = OptionValue(columns_.option[c], cell);
    }
    row->kept.resize(keptNames_.size());
    return Got::Row;
}

bool ReadOutletSheet(const std::string &content, const TextCodec &codec, OutletSheet *sheet,
                     std::string *problem) {
    std::istringstream in(content);
    OutletRowReader reader(in, IsValidUtf8(content), codec);
    *sheet = OutletSheet();
    if (!reader.ReadHeader(problem))
        return false;
    sheet->keptNames = reader.KeptNames();
    OutletRow row;
    for (;;) {
        const OutletRowReader::Got got = reader.Next(&row);
        if (got == OutletRowReader::Got::End)
            break;
        if (got != OutletRowReader::Got::Row) {
            *problem = std::to_string(row.sheetRow) +
                       (got == OutletRowReader::Got::UnclosedQuote
                            ? " 行目の引用符（\"）が閉じられていません。"
                            : " 行目が長すぎます（引用符が閉じられていない可能性があります）。");
            return false;
        }
        if (sheet->rows.size() == kMaxSheetRows) {
            *problem = "行が多すぎます（排出口 " + std::to_string(kMaxSheetRows) + " 行まで）。";
            return false;
        }
        sheet->rows.push_back(row);
    }
    if (sheet->rows.empty()) {
        *problem = "排出口の行がありません。";
        return false;
    }
    return true;
}

bool IsPrintHeading(const std::string &heading, Field *field) {
    for (Field printed : kPrintFields) {
        if (NormalisedHeading(heading) == NormalisedHeading(FieldRowOf(printed).labels[0])) {
            *field = printed;
            return true;
        }
    }
    return false;
}

OutletCase CaseOfRow(const OutletRow &row) {
    OutletOptions options = WithPlainNumbers(row.options);
    options.erase(OptionOf(Field::Case));
    OutletInputs scratch{};
    OutletCase c = CaseUndecided;
    return ChooseCase(options, scratch, &c).status == kComputed ? c : CaseUndecided;
}

OpenedOutlet OpenSheetRow(const OutletSheet &sheet, const OutletRow &row, OutletInputs &in,
                          PrintInfo &info) {
    OutletOptions o = WithPlainNumbers(row.options);
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    info = PrintInfo{};
    for (size_t k = 0; k < sheet.keptNames.size(); ++k) {
        Field field;
        if (IsPrintHeading(sheet.keptNames[k], &field))
            CopyText(info.*PrintTextOf(field), kPrintInfoSize, UnguardFormula(row.kept[k]).c_str());
    }

    OpenedOutlet opened;
    NotTaken notTaken;
    const bool outletRead =
        ReadMenuField(in, MenuField::OutletHeight, Get(o, Field::OutletHeight).c_str());
    const bool buildingRead =
        ReadMenuField(in, MenuField::BuildingHeight, Get(o, Field::BuildingHeight).c_str());
    const MenuVerdict menu = ValidateStartMenu(in);
    if (menu.verdict == Verdict::Proceed) {
        // The case's screen takes the heights as the start menu hands them over, so that
        // the heights that chose the case are the ones its screen shows and saves.
        for (Field height : {Field::OutletHeight, Field::BuildingHeight})
            if (!Get(o, height).empty())
                o[OptionOf(height)] =
                    height == Field::OutletHeight ? in.outletHeightText : in.buildingHeightText;
        opened.outletCase = menu.nextCase;
        if (opened.outletCase == CaseA || opened.outletCase == CaseB)
            OpenLow(o, opened.outletCase, in, notTaken);
        else
            OpenTall(o, opened.outletCase, in, notTaken);
    } else {
        opened.message = menu.message != nullptr   ? menu.message
                         : in.menuOutletHeight < 0 ? kStartOutletMessage
                                                   : kStartBuildingMessage;
        // Heights the start menu cannot take come back empty, as every field not taken.
        if (!outletRead || in.menuOutletHeight < 0)
            in.outletHeightText[0] = '\0';
        if (!buildingRead || in.menuBuildingHeight < 0)
            in.buildingHeightText[0] = '\0';
        notTaken.Check(o, Field::OutletHeight, in.outletHeightText[0] != '\0');
        notTaken.Check(o, Field::BuildingHeight, in.buildingHeightText[0] != '\0');
    }
    const std::string measured = Get(o, Field::MeasuredIndex);
    double index = 0;
    const bool measuredTaken = !measured.empty() && measured.size() < kTextSize &&
                               ReadMeasuredIndex(measured, &index) == nullptr;
    if (measuredTaken) {
        in.measuredIndex = index;
        CopyText(in.measuredIndexText, kTextSize, measured.c_str());
    }
    notTaken.Check(o, Field::MeasuredIndex, measuredTaken);
    if (!notTaken.Names().empty())
        opened.message += (opened.message.empty() ? "" : "\n") +
                          std::string("次の項目は値が適切でないため、空欄にしました：") +
                          notTaken.Names();
    return opened;
}
