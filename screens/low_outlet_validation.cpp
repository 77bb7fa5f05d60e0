#include "screens/low_outlet_validation.h"

#include "app/platform_hooks.h"
#include "app/shell.h"
#include "app/text_helpers.h"
#include "model/input_checks.h"
#include "resources/resource.h"

#include <string>

namespace {

// Room for 254 characters: a field is judged on all of it, not on what the record keeps.
constexpr int kFieldReadSize = 255;
// The outlet heights that belong to the other screens.
constexpr double kCaseBFrom = 6.7;
constexpr double kTallFrom = 15.0;

std::string FieldText(HWND dlg, int id) {
    char text[kFieldReadSize] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

bool HasSingleByteForm(std::string text) {
    return ToSingleByte(&text[0]);
}

void Refuse(HWND dlg, int field, const char *message) {
    SetFocus(GetDlgItem(dlg, field));
    FaultBeep(40);
    gMessageBox(dlg, message, kParameterErrorCaption, MB_OK | MB_TOPMOST);
}

bool ReadNo1Standard(HWND dlg, bool caseA, ValidationMode mode) {
    OutletInputs &in = gOutletInputs;
    in.no1Index = -1.0;
    in.no1Text[0] = '\0';
    const std::string typed = FieldText(dlg, IDC_NO1_STANDARD);
    const FieldReading r = ReadLowField(LowField::No1Index, typed.c_str());
    if (!r.valid) {
        if (mode == ValidationMode::Silent)
            return true;
        Refuse(dlg, IDC_NO1_STANDARD, LowFieldMessage(LowField::No1Index, caseA));
        return false;
    }
    in.no1Index = r.value;
    CopyText(in.no1Text, sizeof in.no1Text, r.acceptedText.c_str());
    // A text that keeps a character without single-byte form can still read as a number
    // (a tab after the digits); the field then keeps it as it was typed.
    if (HasSingleByteForm(typed))
        SetDlgItemTextA(dlg, IDC_NO1_STANDARD, in.no1Text);
    return true;
}

// The outlet or building height and the start menu's copy of it.
bool ReadHeight(HWND dlg, int id, LowField field, bool caseA, ValidationMode mode, double &value,
                double &menuValue, char (&text)[kTextSize]) {
    value = -1.0;
    menuValue = -1.0;
    text[0] = '\0';
    const std::string typed = FieldText(dlg, id);
    const char *message = LowFieldMessage(field, caseA);
    // Kana or kanji in a height: the height is not set and the command ends. Said in either
    // mode, since a button that silently does nothing leaves the user guessing.
    if (!HasSingleByteForm(typed)) {
        Refuse(dlg, id, message);
        return false;
    }
    const FieldReading r = ReadLowField(field, typed.c_str());
    if (!r.valid) {
        if (mode == ValidationMode::Silent)
            return true;
        Refuse(dlg, id, message);
        return false;
    }
    value = r.value;
    menuValue = r.value;
    CopyText(text, kTextSize, r.acceptedText.c_str());
    SetDlgItemTextA(dlg, id, text);
    return true;
}

// Offers the screen the outlet height belongs to. True when it belongs to this one.
bool AcceptCase(HWND dlg, ScreenId lowCase) {
    OutletInputs &in = gOutletInputs;
    const double h = in.outletHeight;
    const char *question = nullptr;
    ScreenId target = lowCase;
    if (lowCase == CaseA && h >= kCaseBFrom) {
        question = kCaseAAtLeast67Question;
        // From 15 m the building height decides the case, and only the start menu asks it.
        target = h < kTallFrom ? CaseB : StartMenu;
    } else if (lowCase == CaseB && h < kCaseBFrom) {
        question = kCaseBBelow67Question;
        target = CaseA;
    } else if (lowCase == CaseB && h >= kTallFrom) {
        question = kCaseBAtLeast15Question;
        target = AtLeast15TimesBuilding(in.menuOutletHeight, in.menuBuildingHeight) ? CaseD : CaseC;
    }
    if (question == nullptr)
        return true;
    FaultBeep(50);
    if (gMessageBox(dlg, question, kParameterErrorCaption, MB_YESNO | MB_TOPMOST) != IDYES) {
        SetFocus(GetDlgItem(dlg, IDC_CASE_OUTLET_HEIGHT));
        return false;
    }
    if (target == CaseC || target == CaseD) {
        in.tall.no1Standard = in.no1Index;
        CopyText(in.no1StandardText, sizeof in.no1StandardText, in.no1Text);
    }
    RequestScreen(target);
    return false;
}

} // namespace

bool ValidateLowOutletInputs(HWND dlg, ScreenId lowCase, ValidationMode mode) {
    OutletInputs &in = gOutletInputs;
    const bool caseA = lowCase == CaseA;
    if (!ReadNo1Standard(dlg, caseA, mode))
        return false;
    if (!ReadHeight(dlg, IDC_CASE_OUTLET_HEIGHT, LowField::OutletHeight, caseA, mode,
                    in.outletHeight, in.menuOutletHeight, in.outletHeightText))
        return false;
    if (!caseA && !ReadHeight(dlg, IDC_CASE_BUILDING_HEIGHT, LowField::BuildingHeight, caseA, mode,
                              in.buildingHeight, in.menuBuildingHeight, in.buildingHeightText))
        return false;
    if (mode == ValidationMode::Silent)
        return true;
    if (in.sizeClass == SizeNone) {
        // No focus move: there is no field to put it in.
        FaultBeep(50);
        gMessageBox(dlg, kSizeClassMessage, kParameterErrorCaption, MB_OK | MB_TOPMOST);
        return false;
    }
    return AcceptCase(dlg, lowCase);
}
