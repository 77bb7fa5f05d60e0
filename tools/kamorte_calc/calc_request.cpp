#include "tools/kamorte_calc/calc_request.h"

#include "app/text_helpers.h"
#include "model/input_checks.h"
#include "model/small_outlet.h"

#include <set>

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
        if (entry.first == "case" || allowed.count(entry.first))
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

void Store(char *dest, const std::string &text) {
    CopyText(dest, kTextSize, text.c_str());
}

// Reads one tall field into value and accepted text; returns false with the message set.
bool TakeTall(const OutletOptions &o, const char *name, TallField field, bool caseC, double *value,
              char *acceptedText, RequestError *error) {
    const std::string text = Get(o, name);
    FieldReading r = ReadTallField(field, text.c_str(), caseC);
    *value = r.value;
    Store(acceptedText, r.acceptedText);
    if (!r.valid)
        *error = BadInput(TallFieldMessage(field));
    return r.valid;
}

RequestError PrepareTall(const OutletOptions &o, OutletInputs &in, ScreenId screen) {
    const bool caseC = screen == CaseC;
    if (caseC) {
        RequestError e = RefuseOptions(o,
                                       {"height", "building", "no1", "dry-flow", "wet-flow",
                                        "moisture", "outlet-boundary", "building-boundary"},
                                       'C');
        if (e.status)
            return e;
        if (Has(o, "moisture") && !Has(o, "wet-flow"))
            return BadUsage("--moisture applies to case C only with --wet-flow");
    } else {
        RequestError e =
            RefuseOptions(o,
                          {"height", "building", "no1", "diameter", "area", "direction",
                           "temperature", "dry-flow", "wet-flow", "velocity", "moisture",
                           "outlet-boundary", "building-boundary"},
                          'D');
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

    TallOutletInputs &t = in.tall;
    in.flowMode = Has(o, "wet-flow") ? 1 : Has(o, "velocity") ? 2 : 0;
    if (caseC) {
        in.sizeMode = 0;
        t.outletDiameter = 0.9;
        t.gasTemperature = 15;
        t.outletDirection = -1;
    } else {
        in.sizeMode = Has(o, "area") ? 1 : 0;
        t.outletDirection = !Has(o, "direction") ? -1 : Get(o, "direction") == "up" ? 0 : 1;
        if (t.outletDirection != 0)
            t.gasTemperature = 15;
    }

    RequestError error;
    if (!TakeTall(o, "height", TallField::OutletHeight, caseC, &t.tallOutletHeight,
                  in.outletHeightText, &error) ||
        !TakeTall(o, "building", TallField::BuildingHeight, caseC, &t.tallBuildingHeight,
                  in.buildingHeightText, &error) ||
        !TakeTall(o, "no1", TallField::No1Standard, caseC, &t.no1Standard, in.no1StandardText,
                  &error))
        return error;
    if (!caseC) {
        const bool sized = in.sizeMode == 0
                               ? TakeTall(o, "diameter", TallField::Diameter, false,
                                          &t.outletDiameter, in.outletDiameterText, &error)
                               : TakeTall(o, "area", TallField::Area, false, &t.outletArea,
                                          in.outletAreaText, &error);
        if (!sized)
            return error;
        if (t.outletDirection == -1)
            return BadInput(kDirectionMessage);
        if (t.outletDirection == 0 && !TakeTall(o, "temperature", TallField::Temperature, false,
                                                &t.gasTemperature, in.gasTemperatureText, &error))
            return error;
    }
    t.dryFlow = t.wetFlow = t.exitVelocity = t.moisture = -1;
    in.dryFlowText[0] = in.wetFlowText[0] = in.exitVelocityText[0] = in.moistureText[0] = '\0';
    const bool flowRead =
        in.flowMode == 0
            ? TakeTall(o, "dry-flow", TallField::DryFlow, caseC, &t.dryFlow, in.dryFlowText, &error)
        : in.flowMode == 1
            ? TakeTall(o, "wet-flow", TallField::WetFlow, caseC, &t.wetFlow, in.wetFlowText, &error)
            : TakeTall(o, "velocity", TallField::Velocity, caseC, &t.exitVelocity,
                       in.exitVelocityText, &error);
    if (!flowRead)
        return error;
    if ((!caseC || in.flowMode == 1) &&
        !TakeTall(o, "moisture", TallField::Moisture, caseC, &t.moisture, in.moistureText, &error))
        return error;
    if (!TakeTall(o, "outlet-boundary", TallField::OutletToBoundary, caseC, &t.outletToBoundary,
                  in.outletToBoundaryText, &error) ||
        !TakeTall(o, "building-boundary", TallField::BuildingToBoundary, caseC,
                  &t.buildingToBoundary, in.buildingToBoundaryText, &error))
        return error;

    if (t.tallOutletHeight < 15)
        return BadInput(kTallBelow15Question);
    const bool atLeast15Times = AtLeast15TimesBuilding(t.tallOutletHeight, t.tallBuildingHeight);
    if (caseC && atLeast15Times)
        return BadInput(kCaseCAtLeast15TimesQuestion);
    if (!caseC && !atLeast15Times)
        return BadInput(kCaseDBelow15TimesQuestion);
    return {};
}

RequestError PrepareLow(const OutletOptions &o, OutletInputs &in, ScreenId screen) {
    const bool caseA = screen == CaseA;
    RequestError e = caseA ? RefuseOptions(o, {"height", "no1", "size"}, 'A')
                           : RefuseOptions(o, {"height", "building", "no1", "size"}, 'B');
    if (e.status)
        return e;
    const std::string size = Get(o, "size");
    if (Has(o, "size") && size != "small" && size != "medium" && size != "large")
        return BadUsage("--size takes small, medium or large");

    FieldReading no1 = ReadLowField(LowField::No1Index, Get(o, "no1").c_str());
    in.no1Index = no1.value;
    Store(in.no1Text, no1.acceptedText);
    if (!no1.valid)
        return BadInput(LowFieldMessage(LowField::No1Index, caseA));

    FieldReading height = ReadLowField(LowField::OutletHeight, Get(o, "height").c_str());
    in.outletHeight = height.value;
    if (!height.valid)
        return BadInput(LowFieldMessage(LowField::OutletHeight, caseA));
    Store(in.outletHeightText, height.acceptedText);
    in.menuOutletHeight = in.outletHeight;

    in.buildingHeight = -1.0;
    if (!caseA) {
        FieldReading building = ReadLowField(LowField::BuildingHeight, Get(o, "building").c_str());
        in.buildingHeight = building.value;
        if (!building.valid)
            return BadInput(LowFieldMessage(LowField::BuildingHeight, false));
        Store(in.buildingHeightText, building.acceptedText);
        in.menuBuildingHeight = in.buildingHeight;
    }

    in.sizeClass = size == "small"    ? SizeSmall
                   : size == "medium" ? SizeMedium
                   : size == "large"  ? SizeLarge
                                      : SizeNone;
    in.representativeDiameter = RepresentativeDiameter(in.sizeClass);
    if (in.sizeClass == SizeNone)
        return BadInput(kSizeClassMessage);

    const double h = in.outletHeight;
    if (caseA && h >= 6.7)
        return BadInput(kCaseAAtLeast67Question);
    if (!caseA && h < 6.7)
        return BadInput(kCaseBBelow67Question);
    if (!caseA && h >= 15)
        return BadInput(kCaseBAtLeast15Question);
    return {};
}

// A height as the start menu reads it: single-byte forms, trimmed, a number from 0 to
// 400 with nothing after it.
bool StartMenuHeight(const OutletOptions &o, const char *name, double *value) {
    const std::string text = Get(o, name);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    ToSingleByte(buffer.data());
    TrimBlanks(buffer.data());
    return ParseFieldNumber(buffer.data(), value) && *value >= 0 && *value <= 400;
}

// The start menu's choice from the two heights.
RequestError SelectCase(const OutletOptions &o, ScreenId *screen) {
    double h, b;
    if (!StartMenuHeight(o, "height", &h))
        return BadInput(kStartOutletMessage);
    if (h < 6.7) {
        *screen = CaseA;
        return {};
    }
    if (!StartMenuHeight(o, "building", &b))
        return BadInput(kStartBuildingMessage);
    if (h < 15)
        *screen = CaseB;
    else
        *screen = AtLeast15TimesBuilding(h, b) ? CaseD : CaseC;
    return {};
}

} // namespace

const std::vector<std::string> &OutletOptionNames() {
    static const std::vector<std::string> names = {
        "height",          "building",          "no1",      "size",     "diameter", "area",
        "direction",       "temperature",       "dry-flow", "wet-flow", "velocity", "moisture",
        "outlet-boundary", "building-boundary", "case"};
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

RequestError PrepareOutlet(const OutletOptions &options, OutletInputs &in, ScreenId *screen) {
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    const std::string caseName = options.count("case") ? options.at("case") : "";
    if (caseName.empty()) {
        RequestError e = SelectCase(options, screen);
        if (e.status)
            return e;
    } else if (caseName == "A" || caseName == "B" || caseName == "C" || caseName == "D") {
        *screen = static_cast<ScreenId>(CaseA + (caseName[0] - 'A'));
    } else {
        return BadUsage("--case takes A, B, C or D");
    }
    if (*screen == CaseA || *screen == CaseB)
        return PrepareLow(options, in, *screen);
    return PrepareTall(options, in, *screen);
}
