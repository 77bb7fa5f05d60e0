#include "app/field_controls.h"

#include "app/edit_limit.h"
#include "app/window_helpers.h"
#include "resources/resource.h"

const std::vector<FieldControl> &FieldControls() {
    static const std::vector<FieldControl> controls = {
        {Field::OutletHeight,
         {IDC_OUTLET_HEIGHT, IDC_CASE_OUTLET_HEIGHT, IDC_CASE_OUTLET_HEIGHT, IDC_CASE_OUTLET_HEIGHT,
          IDC_CASE_OUTLET_HEIGHT}},
        {Field::BuildingHeight,
         {IDC_BUILDING_HEIGHT, 0, IDC_CASE_BUILDING_HEIGHT, IDC_CASE_BUILDING_HEIGHT,
          IDC_CASE_BUILDING_HEIGHT}},
        {Field::No1Standard,
         {0, IDC_NO1_STANDARD, IDC_NO1_STANDARD, IDC_NO1_STANDARD, IDC_NO1_STANDARD}},
        {Field::Diameter, {0, 0, 0, 0, IDC_TALL_DIAMETER}},
        {Field::Area, {0, 0, 0, 0, IDC_TALL_AREA}},
        {Field::Temperature, {0, 0, 0, 0, IDC_TALL_TEMPERATURE}},
        {Field::DryFlow, {0, 0, 0, IDC_TALL_DRY_FLOW, IDC_TALL_DRY_FLOW}},
        {Field::WetFlow, {0, 0, 0, IDC_TALL_WET_FLOW, IDC_TALL_WET_FLOW}},
        {Field::Velocity, {0, 0, 0, 0, IDC_TALL_VELOCITY}},
        {Field::Moisture, {0, 0, 0, IDC_TALL_MOISTURE, IDC_TALL_MOISTURE}},
        {Field::OutletToBoundary, {0, 0, 0, IDC_TALL_OUTLET_BOUNDARY, IDC_TALL_OUTLET_BOUNDARY}},
        {Field::BuildingToBoundary,
         {0, 0, 0, IDC_TALL_BUILDING_BOUNDARY, IDC_TALL_BUILDING_BOUNDARY}},
        {Field::MeasuredIndex,
         {0, IDC_MEASURED_INDEX, IDC_MEASURED_INDEX, IDC_MEASURED_INDEX, IDC_MEASURED_INDEX, 0}},
        {Field::DownwindRange, {0, 0, 0, 0, 0, IDC_MAP_DOWNWIND_RANGE}},
        {Field::DisplayHeight, {0, 0, 0, 0, 0, IDC_MAP_DISPLAY_HEIGHT}},
        {Field::RedLimit, {0, 0, 0, 0, 0, IDC_MAP_RED_LIMIT}},
        {Field::WhiteLimit, {0, 0, 0, 0, 0, IDC_MAP_WHITE_LIMIT}},
    };
    return controls;
}

int ControlOf(Field field, ScreenId screen) {
    if (screen < StartMenu || screen > kMapAdjustWindow)
        return 0;
    for (const FieldControl &control : FieldControls())
        if (control.field == field)
            return control.ids[screen];
    return 0;
}

bool FieldOfControl(ScreenId screen, int controlId, Field *field) {
    if (screen < StartMenu || screen > kMapAdjustWindow || controlId == 0)
        return false;
    for (const FieldControl &control : FieldControls()) {
        if (control.ids[screen] == controlId) {
            *field = control.field;
            return true;
        }
    }
    return false;
}

FieldForm FormOf(ScreenId screen) {
    switch (screen) {
    case StartMenu: return kMenuForm;
    case CaseA:
    case CaseB: return kLowForm;
    case CaseC:
    case CaseD: return kTallForm;
    }
    return kMapForm;
}

void LimitFieldTyping(HWND dlg, ScreenId screen) {
    const int typed = TextLimitsOf(FormOf(screen)).typed;
    for (const FieldControl &control : FieldControls())
        if (control.ids[screen] != 0)
            LimitEditBytes(GetDlgItem(dlg, control.ids[screen]), typed);
}

std::string ReadFieldText(HWND field, ScreenId screen, const char *tooLong) {
    return WholeFieldText(field, TextLimitsOf(FormOf(screen)).read, tooLong);
}
