#pragma once
#include "app/screen_id.h"
#include "model/outlet_inputs.h"

#include <windows.h>

// Which template and dialog procedure make each screen, indexed by ScreenId.
struct ScreenTemplate {
    int templateId;
    DLGPROC procedure;
};

extern const ScreenTemplate kScreenTemplates[5];
