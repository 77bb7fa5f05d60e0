// The fields of the map-adjustment dialog (template 148). Ids of other screens' controls
// reappear here with another role: only the dialog's own template has these.
#pragma once

#define IDC_MAP_DOWNWIND_RANGE 1021
#define IDC_MAP_RED_LIMIT 1022
#define IDC_MAP_DISPLAY_HEIGHT 1023
#define IDC_MAP_WHITE_LIMIT 1024
