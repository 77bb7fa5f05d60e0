#pragma once
#include "app/screen_id.h"
#include "model/field_table.h"

#include <vector>

// The edit control of each field on each screen: the field table names fields, the
// screens' templates name controls, and this table joins them.
struct FieldControl {
    Field field;
    int ids[CaseD + 1]; // on the start menu and the screens of cases A to D; 0: none there
};
const std::vector<FieldControl> &FieldControls();

// The field's control on the screen, 0 when the screen has none.
int ControlOf(Field field, ScreenId screen);
// The field whose control on the screen the id is; false when none is.
bool FieldOfControl(ScreenId screen, int controlId, Field *field);
