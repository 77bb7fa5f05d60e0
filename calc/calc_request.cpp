#include "calc/calc_request.h"

#include "model/form_rules.h"
#include "model/small_outlet.h"

namespace {

RequestError BadInput(const char *message) {
    return {kBadInput, message};
}
RequestError BadUsage(const std::string &message) {
    return {kBadUsage, message};
}

bool Has(const OutletOptions &o, const char *name) {
    return o.count(name) != 0;
}

std::string Get(const OutletOptions &o, const char *name) {
    auto it = o.find(name);
    return it == o.end() ? std::string() : it->second;
}

// Options that the screen of each case has no field for are refused by name.
RequestError RefuseOptions(const OutletOptions &o, const std::set<std::string> &allowed,
                           char caseLetter) {
    for (const auto &entry : o) {
        // The measured index is judged after the computation, whatever the case.
        if (entry.first == "case" || entry.first == "measured-index" || allowed.count(entry.first))
            continue;
        return BadUsage("--" + entry.first + " does not apply to case " + caseLetter);
    }
    return {};
}

int CountOf(const OutletOptions &o, std::initializer_list<const char *> names) {
    int n = 0;
    for (const char *name : names)
        n += Has(o, name) ? 1 : 0;
    return n;
}

// The option of each tall-outlet field.
const std::pair<TallField, const char *> kTallOptions[] = {
    {TallField::OutletHeight, "height"},
    {TallField::BuildingHeight, "building"},
    {TallField::No1Standard, "no1"},
    {TallField::Diameter, "diameter"},
    {TallField::Area, "area"},
    {TallField::Temperature, "temperature"},
    {TallField::DryFlow, "dry-flow"},
    {TallField::WetFlow, "wet-flow"},
    {TallField::Velocity, "velocity"},
    {TallField::Moisture, "moisture"},
    {TallField::OutletToBoundary, "outlet-boundary"},
    {TallField::BuildingToBoundary, "building-boundary"},
};

RequestError Judged(const char *message) {
    return message ? BadInput(message) : RequestError{};
}

RequestError PrepareTall(const OutletOptions &o, OutletInputs &in, OutletCase tallCase) {
    const bool caseC = tallCase == CaseC;
    if (caseC) {
        RequestError e = RefuseOptions(o, CaseOptionNames(CaseC), 'C');
        if (e.status)
            return e;
        if (Has(o, "moisture") && !Has(o, "wet-flow"))
            return BadUsage("--moisture applies to case C only with --wet-flow");
    } else {
        RequestError e = RefuseOptions(o, CaseOptionNames(CaseD), 'D');
        if (e.status)
            return e;
        if (Has(o, "diameter") && Has(o, "area"))
            return BadUsage("give --diameter or --area, not both");
        if (Has(o, "direction") && Get(o, "direction") != "up" && Get(o, "direction") != "down")
            return BadUsage("--direction takes up or down");
        if (Has(o, "temperature") && Get(o, "direction") != "up")
            return BadUsage("--temperature applies only to an upward outlet (--direction up)");
    }
    if (CountOf(o, {"dry-flow", "wet-flow", "velocity"}) > 1)
        return BadUsage("give one of --dry-flow, --wet-flow and --velocity");

    const OutletDirection direction = !Has(o, "direction")          ? DirectionNotChosen
                                      : Get(o, "direction") == "up" ? DirectionUpward
                                                                    : DirectionOther;
    SetTallChoices(in, tallCase, Has(o, "area") ? SizeByArea : SizeByDiameter,
                   Has(o, "wet-flow")   ? FlowWet
                   : Has(o, "velocity") ? FlowVelocity
                                        : FlowDry,
                   direction);
    TallFormTexts form;
    for (const auto &option : kTallOptions)
        form[option.first] = Get(o, option.second);
    return Judged(ValidateTallForm(tallCase, form, ValidationMode::Interactive, in).message);
}

RequestError PrepareLow(const OutletOptions &o, OutletInputs &in, OutletCase lowCase) {
    const bool caseA = lowCase == CaseA;
    RequestError e = RefuseOptions(o, CaseOptionNames(lowCase), caseA ? 'A' : 'B');
    if (e.status)
        return e;
    const std::string size = Get(o, "size");
    if (Has(o, "size") && size != "small" && size != "medium" && size != "large")
        return BadUsage("--size takes small, medium or large");
    in.sizeClass = size == "small"    ? SizeSmall
                   : size == "medium" ? SizeMedium
                   : size == "large"  ? SizeLarge
                                      : SizeNone;
    in.representativeDiameter = RepresentativeDiameter(in.sizeClass);
    const LowFormTexts form{Get(o, "no1"), Get(o, "height"), Get(o, "building")};
    return Judged(ValidateLowForm(lowCase, form, ValidationMode::Interactive, in).message);
}

// The start menu's choice from the two heights. Where the menu would keep 次へ greyed the
// command line names the height it misses.
RequestError SelectCase(const OutletOptions &o, OutletInputs &in, OutletCase *outletCase) {
    ReadMenuField(in, MenuField::OutletHeight, Get(o, "height").c_str());
    ReadMenuField(in, MenuField::BuildingHeight, Get(o, "building").c_str());
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
    static const std::set<std::string> names[] = {
        {},
        {"height", "no1", "size"},
        {"height", "building", "no1", "size"},
        {"height", "building", "no1", "dry-flow", "wet-flow", "moisture", "outlet-boundary",
         "building-boundary"},
        {"height", "building", "no1", "diameter", "area", "direction", "temperature", "dry-flow",
         "wet-flow", "velocity", "moisture", "outlet-boundary", "building-boundary"}};
    return names[outletCase >= CaseA && outletCase <= CaseD ? outletCase : 0];
}

const std::vector<std::string> &OutletOptionNames() {
    static const std::vector<std::string> names = {
        "height",          "building",          "no1",      "size",          "diameter", "area",
        "direction",       "temperature",       "dry-flow", "wet-flow",      "velocity", "moisture",
        "outlet-boundary", "building-boundary", "case",     "measured-index"};
    return names;
}

OutletOptions ExampleOutlet() {
    return {{"case", "D"},
            {"height", "30"},
            {"building", "10"},
            {"no1", "12"},
            {"diameter", "1"},
            {"direction", "up"},
            {"temperature", "80"},
            {"dry-flow", "300"},
            {"moisture", "10"},
            {"outlet-boundary", "50"},
            {"building-boundary", "20"}};
}

RequestError PrepareOutlet(const OutletOptions &options, OutletInputs &in, OutletCase *outletCase) {
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    const std::string caseName = options.count("case") ? options.at("case") : "";
    if (caseName.empty()) {
        RequestError e = SelectCase(options, in, outletCase);
        if (e.status)
            return e;
    } else if (caseName == "A" || caseName == "B" || caseName == "C" || caseName == "D") {
        *outletCase = static_cast<OutletCase>(CaseA + (caseName[0] - 'A'));
    } else {
        return BadUsage("--case takes A, B, C or D");
    }
    if (*outletCase == CaseA || *outletCase == CaseB)
        return PrepareLow(options, in, *outletCase);
    return PrepareTall(options, in, *outletCase);
}
