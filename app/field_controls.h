#pragma once
#include "app/screen_id.h"
#include "model/field_table.h"

#include <windows.h>

#include <string>
#include <vector>

// The edit control of each field on each screen: the field table names fields, the
// screens' templates name controls, and this table joins them.

// The map adjustment dialog's column, after the screens'.
constexpr ScreenId kMapAdjustWindow = CaseD + 1;

struct FieldControl {
    Field field;
    // On the start menu, the screens of cases A to D and the map adjustment; 0: none there.
    int ids[kMapAdjustWindow + 1];
};
const std::vector<FieldControl> &FieldControls();

// The field's control on the screen, 0 when the screen has none.
int ControlOf(Field field, ScreenId screen);
// The field whose control on the screen the id is; false when none is.
bool FieldOfControl(ScreenId screen, int controlId, Field *field);

// The form whose fields the screen shows, and what it takes of their texts.
FieldForm FormOf(ScreenId screen);
// Stops typing in each field of the screen at its form's limit.
void LimitFieldTyping(HWND dlg, ScreenId screen);
// A field's text as the screen's rule reads it (WholeFieldText with the form's read limit).
std::string ReadFieldText(HWND field, ScreenId screen, const char *tooLong);
