#include "calc/calc_request.h"

#include "model/field_table.h"
#include "model/form_rules.h"
#include "model/small_outlet.h"
#include "text/sheet_number.h"

namespace {

RequestError BadInput(const char *message) {
    return {kBadInput, message};
}
RequestError BadUsage(const std::string &message) {
    return {kBadUsage, message};
}

bool Has(const OutletOptions &o, Field field) {
    return o.count(OptionOf(field)) != 0;
}

std::string Get(const OutletOptions &o, Field field) {
    auto it = o.find(OptionOf(field));
    return it == o.end() ? std::string() : it->second;
}

// "--" and the option name of each field, joined by separator and, before the last, by last.
std::string Dashed(std::initializer_list<Field> fields, const char *separator, const char *last) {
    std::string text;
    size_t i = 0;
    for (Field field : fields) {
        if (i > 0)
            text += i + 1 == fields.size() ? last : separator;
        text += DashedOption(field);
        ++i;
    }
    return text;
}

// Options that the screen of each case has no field for are refused by name; the case and
// the measured index (judged after the computation) apply to every case.
RequestError RefuseOptions(const OutletOptions &o, OutletCase outletCase, char caseLetter) {
    const std::set<std::string> &allowed = CaseOptionNames(outletCase);
    for (const auto &entry : o) {
        if (allowed.count(entry.first) || entry.first == OptionOf(Field::Case) ||
            entry.first == OptionOf(Field::MeasuredIndex))
            continue;
        return BadUsage("--" + entry.first + " does not apply to case " + caseLetter);
    }
    return {};
}

int CountOf(const OutletOptions &o, std::initializer_list<Field> fields) {
    int n = 0;
    for (Field field : fields)
        n += Has(o, field) ? 1 : 0;
    return n;
}

RequestError Judged(const char *message) {
    return message ? BadInput(message) : RequestError{};
}

RequestError PrepareTall(const OutletOptions &o, OutletInputs &in, OutletCase tallCase) {
    const bool caseC = tallCase == CaseC;
    const std::string direction = Get(o, Field::Direction);
    if (caseC) {
        RequestError e = RefuseOptions(o, CaseC, 'C');
        if (e.status)
            return e;
        if (Has(o, Field::Moisture) && !Has(o, Field::WetFlow))
            return BadUsage(DashedOption(Field::Moisture) + " applies to case C only with " +
                            DashedOption(Field::WetFlow));
    } else {
        RequestError e = RefuseOptions(o, CaseD, 'D');
        if (e.status)
            return e;
        if (Has(o, Field::Diameter) && Has(o, Field::Area))
            return BadUsage("give " + Dashed({Field::Diameter, Field::Area}, ", ", " or ") +
                            ", not both");
        if (Has(o, Field::Direction) && direction != "up" && direction != "down")
            return BadUsage(DashedOption(Field::Direction) + " takes up or down");
        if (Has(o, Field::Temperature) && direction != "up")
            return BadUsage(DashedOption(Field::Temperature) +
                            " applies only to an upward outlet (" + DashedOption(Field::Direction) +
                            " up)");
    }
    const std::initializer_list<Field> flows = {Field::DryFlow, Field::WetFlow, Field::Velocity};
    if (CountOf(o, flows) > 1)
        return BadUsage("give one of " + Dashed(flows, ", ", " and "));

    const OutletDirection outletDirection = !Has(o, Field::Direction) ? DirectionNotChosen
                                            : direction == "up"       ? DirectionUpward
                                                                      : DirectionOther;
    SetTallChoices(in, tallCase, Has(o, Field::Area) ? SizeByArea : SizeByDiameter,
                   Has(o, Field::WetFlow)    ? FlowWet
                   : Has(o, Field::Velocity) ? FlowVelocity
                                             : FlowDry,
                   outletDirection);
    TallFormTexts form;
    for (const FieldRow &row : FieldTable())
        if (row.tall.message != nullptr)
            form[row.tall.field] = Get(o, row.field);
    return Judged(ValidateTallForm(tallCase, form, ValidationMode::Interactive, in).message);
}

RequestError PrepareLow(const OutletOptions &o, OutletInputs &in, OutletCase lowCase) {
    const bool caseA = lowCase == CaseA;
    RequestError e = RefuseOptions(o, lowCase, caseA ? 'A' : 'B');
    if (e.status)
        return e;
    const std::string size = Get(o, Field::SizeClass);
    if (Has(o, Field::SizeClass) && size != "small" && size != "medium" && size != "large")
        return BadUsage(DashedOption(Field::SizeClass) + " takes small, medium or large");
    in.sizeClass = size == "small"    ? SizeSmall
                   : size == "medium" ? SizeMedium
                   : size == "large"  ? SizeLarge
                                      : SizeNone;
    in.representativeDiameter = RepresentativeDiameter(in.sizeClass);
    const LowFormTexts form{Get(o, Field::No1Standard), Get(o, Field::OutletHeight),
                            Get(o, Field::BuildingHeight)};
    return Judged(ValidateLowForm(lowCase, form, ValidationMode::Interactive, in).message);
}

// The start menu's choice from the two heights. Where the menu would keep 次へ greyed the
// command line names the height it misses.
RequestError SelectCase(const OutletOptions &o, OutletInputs &in, OutletCase *outletCase) {
    ReadMenuField(in, MenuField::OutletHeight, Get(o, Field::OutletHeight).c_str());
    ReadMenuField(in, MenuField::BuildingHeight, Get(o, Field::BuildingHeight).c_str());
    if (in.menuOutletHeight < 0)
        return BadInput(kStartOutletMessage);
    const MenuVerdict verdict = ValidateStartMenu(in);
    *outletCase = verdict.nextCase;
    if (verdict.verdict != Verdict::Proceed && verdict.message == nullptr)
        return BadInput(kStartBuildingMessage);
    return Judged(verdict.message);
}

} // namespace

const std::set<std::string> &CaseOptionNames(OutletCase outletCase) {
    static const std::vector<std::set<std::string>> names = [] {
        std::vector<std::set<std::string>> sets(CaseD + 1);
        for (const FieldRow &row : FieldTable())
            for (OutletCase c : {CaseA, CaseB, CaseC, CaseD})
                if (row.forms != 0 && (row.cases & CaseBit(c)))
                    sets[c].insert(row.option);
        return sets;
    }();
    return names[outletCase >= CaseA && outletCase <= CaseD ? outletCase : 0];
}

const std::vector<std::string> &OutletOptionNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> options;
        for (const FieldRow &row : FieldTable())
            if (row.option[0] != '\0')
                options.push_back(row.option);
        return options;
    }();
    return names;
}

OutletOptions ExampleOutlet() {
    const std::pair<Field, const char *> example[] = {
        {Field::Case, "D"},
        {Field::OutletHeight, "30"},
        {Field::BuildingHeight, "10"},
        {Field::No1Standard, "12"},
        {Field::Diameter, "1"},
        {Field::Direction, "up"},
        {Field::Temperature, "80"},
        {Field::DryFlow, "300"},
        {Field::Moisture, "10"},
        {Field::OutletToBoundary, "50"},
        {Field::BuildingToBoundary, "20"},
    };
    OutletOptions options;
    for (const auto &value : example)
        options[OptionOf(value.first)] = value.second;
    return options;
}

OutletOptions WithPlainNumbers(const OutletOptions &options) {
    OutletOptions plain = options;
    for (const FieldRow &row : FieldTable()) {
        const auto it = plain.find(row.option);
        if (it != plain.end() && (row.tall.message != nullptr || row.low.messageA != nullptr))
            it->second = PlainNumber(it->second, row.field == Field::Moisture);
    }
    return plain;
}

RequestError ChooseCase(const OutletOptions &options, OutletInputs &in, OutletCase *outletCase) {
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    const std::string caseName = Get(options, Field::Case);
    if (caseName.empty())
        return SelectCase(options, in, outletCase);
    if (caseName == "A" || caseName == "B" || caseName == "C" || caseName == "D") {
        *outletCase = static_cast<OutletCase>(CaseA + (caseName[0] - 'A'));
        return {};
    }
    return BadUsage(DashedOption(Field::Case) + " takes A, B, C or D");
}

RequestError PrepareOutlet(const OutletOptions &given, OutletInputs &in, OutletCase *outletCase) {
    const OutletOptions options = WithPlainNumbers(given);
    RequestError e = ChooseCase(options, in, outletCase);
    if (e.status)
        return e;
    if (*outletCase == CaseA || *outletCase == CaseB)
        return PrepareLow(options, in, *outletCase);
    return PrepareTall(options, in, *outletCase);
}
