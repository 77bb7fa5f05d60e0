#include "screens/field_controls.h"

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
         {0, IDC_MEASURED_INDEX, IDC_MEASURED_INDEX, IDC_MEASURED_INDEX, IDC_MEASURED_INDEX}},
    };
    return controls;
}

int ControlOf(Field field, ScreenId screen) {
    if (screen < StartMenu || screen > CaseD)
        return 0;
    for (const FieldControl &control : FieldControls())
        if (control.field == field)
            return control.ids[screen];
    return 0;
}

bool FieldOfControl(ScreenId screen, int controlId, Field *field) {
    if (screen < StartMenu || screen > CaseD || controlId == 0)
        return false;
    for (const FieldControl &control : FieldControls()) {
        if (control.ids[screen] == controlId) {
            *field = control.field;
            return true;
        }
    }
    return false;
}
