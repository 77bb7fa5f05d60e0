#include "screens/tall_outlet_validation.h"

#include "app/platform_hooks.h"
#include "app/shell.h"
#include "app/text_helpers.h"
#include "model/input_checks.h"
#include "model/number_scan.h"
#include "resources/resource.h"
#include "screens/tall_outlet_results.h"

#include <cstring>
#include <string>

namespace {

// What validation reads of a field; a longer text is refused as a whole rather than judged
// on its beginning (WM_SETTEXT and pasting bypass the edit limit).
constexpr int kFieldReadLimit = 254;
constexpr double kTallFrom = 15.0;
constexpr double kCaseBFrom = 6.7;

// One input field: its control, its rule, the value and the accepted text it fills.
struct TallBinding {
    int controlId;
    TallField field;
    double TallOutletInputs::*value;
    char (OutletInputs::*text)[kTextSize];
};

const TallBinding kBindings[] = {
    {IDC_CASE_OUTLET_HEIGHT, TallField::OutletHeight, &TallOutletInputs::tallOutletHeight,
     &OutletInputs::outletHeightText},
    {IDC_CASE_BUILDING_HEIGHT, TallField::BuildingHeight, &TallOutletInputs::tallBuildingHeight,
     &OutletInputs::buildingHeightText},
    {IDC_NO1_STANDARD, TallField::No1Standard, &TallOutletInputs::no1Standard,
     &OutletInputs::no1StandardText},
    {IDC_TALL_DIAMETER, TallField::Diameter, &TallOutletInputs::outletDiameter,
     &OutletInputs::outletDiameterText},
    {IDC_TALL_AREA, TallField::Area, &TallOutletInputs::outletArea, &OutletInputs::outletAreaText},
    {IDC_TALL_TEMPERATURE, TallField::Temperature, &TallOutletInputs::gasTemperature,
     &OutletInputs::gasTemperatureText},
    {IDC_TALL_DRY_FLOW, TallField::DryFlow, &TallOutletInputs::dryFlow, &OutletInputs::dryFlowText},
    {IDC_TALL_WET_FLOW, TallField::WetFlow, &TallOutletInputs::wetFlow, &OutletInputs::wetFlowText},
    {IDC_TALL_VELOCITY, TallField::Velocity, &TallOutletInputs::exitVelocity,
     &OutletInputs::exitVelocityText},
    {IDC_TALL_MOISTURE, TallField::Moisture, &TallOutletInputs::moisture,
     &OutletInputs::moistureText},
    {IDC_TALL_OUTLET_BOUNDARY, TallField::OutletToBoundary, &TallOutletInputs::outletToBoundary,
     &OutletInputs::outletToBoundaryText},
    {IDC_TALL_BUILDING_BOUNDARY, TallField::BuildingToBoundary,
     &TallOutletInputs::buildingToBoundary, &OutletInputs::buildingToBoundaryText},
};

const TallBinding *BindingOf(TallField field) {
    for (const TallBinding &b : kBindings)
        if (b.field == field)
            return &b;
    return nullptr;
}

const TallBinding *BindingOfControl(int controlId) {
    for (const TallBinding &b : kBindings)
        if (b.controlId == controlId)
            return &b;
    return nullptr;
}

// The control's text, or nothing and false when it is longer than validation reads.
bool FieldText(HWND dlg, int id, std::string *text) {
    HWND control = GetDlgItem(dlg, id);
    const int length = GetWindowTextLengthA(control);
    if (length > kFieldReadLimit)
        return false;
    char buffer[kFieldReadLimit + 1] = "";
    GetWindowTextA(control, buffer, sizeof buffer);
    *text = buffer;
    return true;
}

void Refuse(HWND dlg, int controlId, const char *message) {
    if (controlId != 0)
        SetFocus(GetDlgItem(dlg, controlId));
    FaultBeep(40);
    gMessageBox(dlg, message, kParameterErrorCaption, MB_OK | MB_TASKMODAL);
}

// One field in the steps of its rule. False when it was refused.
bool ReadField(HWND dlg, TallField field, bool caseC, ValidationMode mode) {
    OutletInputs &in = gOutletInputs;
    const TallBinding &b = *BindingOf(field);
    double &value = in.tall.*b.value;
    char *accepted = in.*b.text;
    value = field == TallField::Temperature ? -100.0 : -1.0;
    accepted[0] = '\0';
    std::string typed;
    const bool silent = mode == ValidationMode::Silent;
    FieldReading r{value, false, false, ""};
    if (FieldText(dlg, b.controlId, &typed))
        r = ReadTallField(field, typed.c_str(), caseC, silent);
    value = r.value;
    // The records keep 63 bytes: a longer text would be kept other than it reads.
    if (r.valid && r.acceptedText.size() >= static_cast<size_t>(kTextSize))
        r.valid = false;
    if (r.valid && !r.omitted) {
        CopyText(accepted, kTextSize, r.acceptedText.c_str());
        SetDlgItemTextA(dlg, b.controlId, accepted);
    }
    if (!r.valid && !silent) {
        Refuse(dlg, b.controlId, TallFieldMessage(field));
        return false;
    }
    return true;
}

// The screen the heights belong to, asked about in Interactive mode. True when it is this one.
bool AcceptCase(HWND dlg, ScreenId tallCase) {
    OutletInputs &in = gOutletInputs;
    const TallOutletInputs &t = in.tall;
    if (t.tallOutletHeight < kTallFrom) {
        FaultBeep(40);
        if (gMessageBox(dlg, kTallBelow15Question, kParameterErrorCaption, MB_YESNO | MB_TOPMOST) !=
            IDYES) {
            SetFocus(GetDlgItem(dlg, IDC_CASE_OUTLET_HEIGHT));
            return false;
        }
        // The low-outlet screens take the three texts as they stand in the fields.
        in.outletHeight = t.tallOutletHeight;
        char text[kTextSize - 1] = "";
        GetDlgItemTextA(dlg, IDC_CASE_OUTLET_HEIGHT, text, sizeof text);
        ToSingleByte(text);
        CopyText(in.outletHeightText, kTextSize, text);
        GetDlgItemTextA(dlg, IDC_CASE_BUILDING_HEIGHT, text, sizeof text);
        ToSingleByte(text);
        CopyText(in.buildingHeightText, kTextSize, text);
        GetDlgItemTextA(dlg, IDC_NO1_STANDARD, text, sizeof text);
        ToSingleByte(text);
        CopyText(in.no1Text, kTextSize, text);
        if (in.outletHeight < kCaseBFrom) {
            RequestScreen(CaseA);
        } else {
            in.buildingHeight = t.tallBuildingHeight;
            RequestScreen(CaseB);
        }
        return false;
    }
    const bool atLeast15Times = AtLeast15TimesBuilding(t.tallOutletHeight, t.tallBuildingHeight);
    const char *question = nullptr;
    if (tallCase == CaseC && atLeast15Times)
        question = kCaseCAtLeast15TimesQuestion;
    else if (tallCase == CaseD && !atLeast15Times)
        question = kCaseDBelow15TimesQuestion;
    if (question == nullptr)
        return true;
    FaultBeep(40);
    if (gMessageBox(dlg, question, kParameterErrorCaption, MB_YESNO | MB_TOPMOST) == IDYES)
        RequestScreen(tallCase == CaseC ? CaseD : CaseC);
    else
        SetFocus(GetDlgItem(dlg, IDC_CASE_BUILDING_HEIGHT));
    return false;
}

HBITMAP gLayoutBitmap = nullptr;

} // namespace

void ShowLayoutPicture(HWND dlg) {
    const TallOutletInputs &t = gOutletInputs.tall;
    const int picture = t.buildingToBoundary < t.outletToBoundary ? IDB_LAYOUT_BUILDING_NEAR
                                                                  : IDB_LAYOUT_OUTLET_NEAR;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (bitmap == nullptr)
        return;
    SendDlgItemMessageA(dlg, IDC_LAYOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(bitmap));
    if (gLayoutBitmap != nullptr)
        DeleteObject(gLayoutBitmap);
    gLayoutBitmap = bitmap;
}

bool ValidateTallOutletInputs(HWND dlg, ScreenId tallCase, ValidationMode mode) {
    OutletInputs &in = gOutletInputs;
    TallOutletInputs &t = in.tall;
    const bool caseC = tallCase == CaseC;
    const bool silent = mode == ValidationMode::Silent;
    const auto read = [&](TallField field) { return ReadField(dlg, field, caseC, mode); };

    if (!read(TallField::OutletHeight) || !read(TallField::BuildingHeight) ||
        !read(TallField::No1Standard))
        return false;
    if (!caseC) {
        if (!read(in.sizeMode == 1 ? TallField::Area : TallField::Diameter))
            return false;
        if (t.outletDirection == -1 && !silent) {
            Refuse(dlg, 0, kDirectionMessage);
            return false;
        }
        if (t.outletDirection == 0 && !read(TallField::Temperature))
            return false;
    }
    // A flow or moisture of an alternative not chosen is not given.
    t.dryFlow = t.wetFlow = t.exitVelocity = t.moisture = -1.0;
    for (char *text : {in.dryFlowText, in.wetFlowText, in.exitVelocityText, in.moistureText})
        text[0] = '\0';
    const TallField flow = in.flowMode == 2   ? TallField::Velocity
                           : in.flowMode == 1 ? TallField::WetFlow
                                              : TallField::DryFlow;
    if (!read(flow))
        return false;
    if ((!caseC || in.flowMode == 1) && !read(TallField::Moisture))
        return false;
    if (!read(TallField::OutletToBoundary) || !read(TallField::BuildingToBoundary))
        return false;
    ShowLayoutPicture(dlg);
    if (silent)
        return true;
    return AcceptCase(dlg, tallCase);
}

void TallFieldEdited(HWND dlg, int controlId) {
    OutletInputs &in = gOutletInputs;
    const TallBinding *b = BindingOfControl(controlId);
    if (b == nullptr)
        return;
    std::string typed;
    bool changed = true;
    if (FieldText(dlg, controlId, &typed) && ToSingleByte(&typed[0])) {
        typed.resize(std::strlen(typed.c_str()));
        double value = -1.0;
        size_t used = 0;
        const bool numberRead = ScanDecimal(typed.c_str(), typed.size(), &value, &used);
        const bool distance =
            b->field == TallField::OutletToBoundary || b->field == TallField::BuildingToBoundary;
        const bool sameText = typed == in.*b->text;
        changed = !sameText;
        if (numberRead && !(distance && value < 0))
            changed = !sameText || value != in.tall.*b->value;
    }
    if (changed && in.resultsShown) {
        ClearTallOutletResults(in);
        ShowTallOutletResults(dlg);
    }
}
