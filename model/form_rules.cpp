#include "model/form_rules.h"

#include "model/field_table.h"
#include "text/text_helpers.h"

#include <cstring>
#include <vector>

namespace {

// The start menu reads its fields into the 64-byte record texts: 62 characters at most.
constexpr unsigned kMenuFieldSize = 63;

template <typename Field>
FormVerdict<Field> Refusal(FormVerdict<Field> v, Field field, bool focus, const char *message,
                           int beep) {
    v.verdict = Verdict::Refuse;
    v.field = field;
    v.focusField = focus;
    v.message = message;
    v.beepMilliseconds = beep;
    return v;
}

template <typename Field>
FormVerdict<Field> Question(FormVerdict<Field> v, Field focusOnNo, const char *question, int beep,
                            OutletCase yes) {
    v = Refusal(v, focusOnNo, true, question, beep);
    v.verdict = Verdict::Ask;
    v.nextCase = yes;
    return v;
}

bool HasSingleByteForm(std::string text) {
    return ToSingleByte(&text[0]);
}

// A field's text as a copy with its single-byte forms; false when it has a character
// without one (the copy then is the text as typed).
bool Converted(const char *text, std::vector<char> *out) {
    out->assign(text, text + std::strlen(text) + 1);
    return ToSingleByte(out->data());
}

constexpr int kTallBeep = 40;
constexpr int kLowFieldBeep = 40;
constexpr int kLowChoiceBeep = 50;

} // namespace

bool NeedsBuildingHeight(double outletHeight) {
    return outletHeight >= kCaseBFromHeight;
}

bool IsTallOutlet(double outletHeight) {
    return outletHeight >= kTallFromHeight;
}

OutletCase CaseOfHeights(double outletHeight, double buildingHeight) {
    if (!NeedsBuildingHeight(outletHeight))
        return CaseA;
    if (!IsTallOutlet(outletHeight))
        return CaseB;
    return AtLeast15TimesBuilding(outletHeight, buildingHeight) ? CaseD : CaseC;
}

// ---------------------------------------------------------------------------------------
// Cases C and D.

void SetTallChoices(OutletInputs &in, OutletCase tallCase, SizeMode sizeMode, FlowMode flowMode,
                    OutletDirection outletDirection) {
    TallOutletInputs &t = in.tall;
    if (tallCase == CaseC) {
        in.sizeMode = SizeByDiameter;
        in.flowMode = flowMode == FlowVelocity ? FlowDry : flowMode;
        t.outletDiameter = 0.9;
        t.gasTemperature = 15.0;
        t.outletDirection = DirectionNotChosen;
        return;
    }
    in.sizeMode = sizeMode;
    in.flowMode = flowMode;
    t.outletDirection = outletDirection;
    if (outletDirection != DirectionUpward)
        t.gasTemperature = 15.0;
}

bool TallFieldApplies(const OutletInputs &in, OutletCase tallCase, TallField field) {
    const bool caseD = tallCase == CaseD;
    switch (field) {
    case TallField::OutletHeight:
    case TallField::BuildingHeight:
    case TallField::No1Standard:
    case TallField::OutletToBoundary:
    case TallField::BuildingToBoundary: return true;
    case TallField::Diameter: return caseD && in.sizeMode == SizeByDiameter;
    case TallField::Area: return caseD && in.sizeMode == SizeByArea;
    case TallField::Temperature: return caseD && in.tall.outletDirection == DirectionUpward;
    case TallField::DryFlow: return in.flowMode == FlowDry;
    case TallField::WetFlow: return in.flowMode == FlowWet;
    case TallField::Velocity: return caseD && in.flowMode == FlowVelocity;
    case TallField::Moisture: return caseD || in.flowMode == FlowWet;
    }
    return false;
}

TallVerdict ValidateTallForm(OutletCase tallCase, const TallFormTexts &form, ValidationMode mode,
                             OutletInputs &in) {
    const bool caseC = tallCase == CaseC;
    const bool silent = mode == ValidationMode::Silent;
    TallOutletInputs &t = in.tall;
    TallVerdict v;
    for (size_t i = 0; i < kTallFieldCount; ++i) {
        const TallField field = static_cast<TallField>(i);
        if (field == TallField::Temperature && !caseC && t.outletDirection == DirectionNotChosen &&
            !silent)
            return Refusal(v, TallField::Temperature, false, kDirectionMessage, kTallBeep);
        if (field == TallField::DryFlow) {
            // Only the chosen flow counts: the others are not given, whatever they held.
            for (TallField flow : {TallField::DryFlow, TallField::WetFlow, TallField::Velocity,
                                   TallField::Moisture}) {
                t.*TallRule(flow).value = -1.0;
                (in.*TallRule(flow).text)[0] = '\0';
            }
        }
        if (!TallFieldApplies(in, tallCase, field))
            continue;
        const TallFieldRule &rule = TallRule(field);
        const FieldReading r = ReadTallField(field, form[field].c_str(), caseC, silent);
        t.*rule.value = r.value;
        CopyText(in.*rule.text, kTextSize, r.acceptedText.c_str());
        if (r.valid && !r.omitted)
            v.accepted.push_back(field);
        if (!r.valid && !silent)
            return Refusal(v, field, true, rule.message, kTallBeep);
    }
    if (silent)
        return v;
    if (!IsTallOutlet(t.tallOutletHeight))
        return Question(v, TallField::OutletHeight, kTallBelow15Question, kTallBeep,
                        NeedsBuildingHeight(t.tallOutletHeight) ? CaseB : CaseA);
    const bool atLeast15Times = AtLeast15TimesBuilding(t.tallOutletHeight, t.tallBuildingHeight);
    if (caseC && atLeast15Times)
        return Question(v, TallField::BuildingHeight, kCaseCAtLeast15TimesQuestion, kTallBeep,
                        CaseD);
    if (!caseC && !atLeast15Times)
        return Question(v, TallField::BuildingHeight, kCaseDBelow15TimesQuestion, kTallBeep, CaseC);
    return v;
}

namespace {

// A field's text as the low-outlet screens take it over from a tall-outlet one.
void TakeOverText(char (&dest)[kTextSize], const std::string &typed) {
    char text[kMenuFieldSize];
    CopyText(text, sizeof text, typed.c_str());
    ToSingleByte(text);
    CopyText(dest, kTextSize, text);
}

} // namespace

OutletCase AnswerTallYes(const TallVerdict &verdict, const TallFormTexts &form, OutletInputs &in) {
    if (verdict.message == kTallBelow15Question) {
        in.outletHeight = in.tall.tallOutletHeight;
        TakeOverText(in.outletHeightText, form[TallField::OutletHeight]);
        TakeOverText(in.buildingHeightText, form[TallField::BuildingHeight]);
        TakeOverText(in.no1Text, form[TallField::No1Standard]);
        if (verdict.nextCase == CaseB)
            in.buildingHeight = in.tall.tallBuildingHeight;
    }
    return verdict.nextCase;
}

bool TallFieldChanged(const OutletInputs &in, TallField field, const char *text) {
    std::vector<char> converted;
    if (!Converted(text, &converted))
        return true;
    const TallFieldRule &rule = TallRule(field);
    const FieldNumber n = ScanFieldNumber(converted.data());
    const bool sameText = std::strcmp(converted.data(), in.*rule.text) == 0;
    if (!n.hasNumber || (rule.distance && n.value < 0))
        return !sameText;
    return !(sameText && n.value == in.tall.*rule.value);
}

bool BuildingNearerBoundary(const TallOutletInputs &t) {
    return t.buildingToBoundary < t.outletToBoundary;
}

// ---------------------------------------------------------------------------------------
// Cases A and B.

namespace {

struct LowHeight {
    LowField field;
    double OutletInputs::*value;
    double OutletInputs::*menuValue;
    char (OutletInputs::*text)[kTextSize];
    const std::string LowFormTexts::*typed;
};

const LowHeight kLowHeights[] = {
    {LowField::OutletHeight, &OutletInputs::outletHeight, &OutletInputs::menuOutletHeight,
     &OutletInputs::outletHeightText, &LowFormTexts::outletHeight},
    {LowField::BuildingHeight, &OutletInputs::buildingHeight, &OutletInputs::menuBuildingHeight,
     &OutletInputs::buildingHeightText, &LowFormTexts::buildingHeight},
};

} // namespace

LowVerdict ValidateLowForm(OutletCase lowCase, const LowFormTexts &form, ValidationMode mode,
                           OutletInputs &in) {
    const bool caseA = lowCase == CaseA;
    const bool silent = mode == ValidationMode::Silent;
    LowVerdict v;
    if (caseA && !silent)
        in.buildingHeight = -1.0;

    in.no1Index = -1.0;
    in.no1Text[0] = '\0';
    const FieldReading no1 = ReadLowField(LowField::No1Index, form.no1.c_str());
    if (no1.valid) {
        in.no1Index = no1.value;
        CopyText(in.no1Text, kTextSize, no1.acceptedText.c_str());
        if (HasSingleByteForm(form.no1))
            v.accepted.push_back(LowField::No1Index);
    } else if (!silent) {
        return Refusal(v, LowField::No1Index, true, LowFieldMessage(LowField::No1Index, caseA),
                       kLowFieldBeep);
    }

    for (const LowHeight &height : kLowHeights) {
        if (caseA && height.field == LowField::BuildingHeight)
            continue;
        in.*height.value = -1.0;
        in.*height.menuValue = -1.0;
        (in.*height.text)[0] = '\0';
        const std::string &typed = form.*height.typed;
        const char *message = LowFieldMessage(height.field, caseA);
        // Kana or kanji in a height: the height is not set and the command ends. Said in
        // either mode, since a button that silently does nothing leaves the user guessing.
        if (!HasSingleByteForm(typed))
            return Refusal(v, height.field, true, message, kLowFieldBeep);
        const FieldReading r = ReadLowField(height.field, typed.c_str());
        if (!r.valid) {
            if (silent)
                continue;
            return Refusal(v, height.field, true, message, kLowFieldBeep);
        }
        in.*height.value = r.value;
        in.*height.menuValue = r.value;
        CopyText(in.*height.text, kTextSize, r.acceptedText.c_str());
        v.accepted.push_back(height.field);
    }
    if (silent)
        return v;

    if (in.sizeClass == SizeNone)
        return Refusal(v, LowField::No1Index, false, kSizeClassMessage, kLowChoiceBeep);

    const double h = in.outletHeight;
    if (caseA && NeedsBuildingHeight(h))
        // From 15 m the building height decides the case, and only the start menu asks it.
        return Question(v, LowField::OutletHeight, kCaseAAtLeast67Question, kLowChoiceBeep,
                        IsTallOutlet(h) ? CaseUndecided : CaseB);
    if (!caseA && !NeedsBuildingHeight(h))
        return Question(v, LowField::OutletHeight, kCaseBBelow67Question, kLowChoiceBeep, CaseA);
    if (!caseA && IsTallOutlet(h))
        return Question(v, LowField::OutletHeight, kCaseBAtLeast15Question, kLowChoiceBeep,
                        AtLeast15TimesBuilding(in.menuOutletHeight, in.menuBuildingHeight) ? CaseD
                                                                                           : CaseC);
    return v;
}

OutletCase AnswerLowYes(const LowVerdict &verdict, OutletInputs &in) {
    if (verdict.nextCase == CaseC || verdict.nextCase == CaseD) {
        in.tall.no1Standard = in.no1Index;
        CopyText(in.no1StandardText, kTextSize, in.no1Text);
    }
    return verdict.nextCase;
}

bool LowFieldChanged(const OutletInputs &in, LowField field, const char *text) {
    const bool height = LowRule(field).trimmed;
    std::vector<char> converted;
    // A height with kana or kanji is left to the next check, which refuses it.
    if (!Converted(text, &converted))
        return !height;
    if (height)
        TrimBlanks(converted.data());
    double value;
    ParseFieldNumber(converted.data(), &value);
    const LowFieldRule &rule = LowRule(field);
    return value != in.*rule.value || std::strcmp(converted.data(), in.*rule.text) != 0;
}

// ---------------------------------------------------------------------------------------
// Start menu.

bool ReadMenuField(OutletInputs &in, MenuField field, const char *text) {
    const bool outlet = field == MenuField::OutletHeight;
    char *dest = outlet ? in.outletHeightText : in.buildingHeightText;
    CopyText(dest, kMenuFieldSize, text);
    if (!ToSingleByte(dest))
        return false;
    TrimBlanks(dest);
    double value;
    const bool valid = ParseFieldNumber(dest, &value);
    (outlet ? in.menuOutletHeight : in.menuBuildingHeight) = valid && value >= 0 ? value : -1.0;
    return true;
}

bool MenuNextEnabled(const OutletInputs &in) {
    return in.menuOutletHeight >= 0 &&
           (!NeedsBuildingHeight(in.menuOutletHeight) || in.menuBuildingHeight >= 0);
}

namespace {
// The start menu's limit of both heights; below it the case decides.
constexpr double kMenuHighestHeight = 400.0;
} // namespace

MenuVerdict ValidateStartMenu(OutletInputs &in) {
    MenuVerdict v;
    const double h = in.menuOutletHeight;
    const double b = in.menuBuildingHeight;
    if (h > kMenuHighestHeight)
        return Refusal(v, MenuField::OutletHeight, true, kStartOutletMessage, kTallBeep);
    if (!MenuNextEnabled(in))
        return Refusal(v, MenuField::BuildingHeight, false, nullptr, 0);
    if (NeedsBuildingHeight(h) && b > kMenuHighestHeight)
        return Refusal(v, MenuField::BuildingHeight, true, kStartBuildingMessage, kTallBeep);
    v.nextCase = CaseOfHeights(h, b);
    switch (v.nextCase) {
    case CaseA:
        in.outletHeight = h;
        in.buildingHeight = -1.0;
        break;
    case CaseB:
        in.outletHeight = h;
        in.buildingHeight = b;
        break;
    default: in.tall.tallOutletHeight = h; in.tall.tallBuildingHeight = b;
    }
    return v;
}
