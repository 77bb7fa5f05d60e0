// Identifiers of the program's resources and controls. The numbers are fixed by the
// dialog templates; code uses the names.
#pragma once

// Strings
#define IDS_TITLE 104
#define IDS_PRODUCT 105

// Icons and bitmaps
#define IDI_PROGRAM 107
#define IDB_DIRECTION 133
#define IDB_REAL_HEIGHT 135
#define IDB_ABOUT 144
#define IDB_GREY_BAR 154
#define IDB_COLOUR_BAR 155
#define IDB_START_FIGURE 157
#define IDB_LAYOUT_OUTLET_NEAR 158
#define IDB_LAYOUT_BUILDING_NEAR 159
#define IDB_LOW_FIGURE 161
#define IDB_SIZE_CLASSES 162
#define IDB_READOUT_ARROW 163
#define IDB_HELP_STANDARDS 164
#define IDB_HELP_VELOCITY 165
#define IDB_HELP_DILUTION 166
#define IDB_HELP_DOWNDRAFT 167
#define IDB_HELP_SIZE 168
#define IDB_HELP_BUILDING 173
// The same picture drawn for a screen scaled to 125, 150 or 200 %: 100 times the scale plus
// the id of the 100 % picture (the start-menu figure at 150 % is 15157).
#define IDB_AT_SCALE(id, percent) ((percent) * 100 + (id))

// Menu
#define IDM_MAIN 109
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_MANUAL 32799
#define IDM_EXAMPLES 32800
#define IDM_TOPIC_REGULATION 32802
#define IDM_TOPIC_STANDARDS 32784
#define IDM_TOPIC_ODOR_INDEX 32785
#define IDM_TOPIC_EMISSION_RATE 32786
#define IDM_TOPIC_REAL_HEIGHT 32787
#define IDM_TOPIC_SIZE 32788
#define IDM_TOPIC_FLOW 32789
#define IDM_TOPIC_VELOCITY 32790
#define IDM_TOPIC_TEMPERATURE 32791
#define IDM_TOPIC_MOISTURE 32792
#define IDM_TOPIC_DIRECTION 32793
#define IDM_TOPIC_BUILDING_HEIGHT 32794
#define IDM_TOPIC_OUTLET_DISTANCE 32795
#define IDM_TOPIC_BUILDING_DISTANCE 32796
#define IDM_TOPIC_DILUTION 32806
#define IDM_TOPIC_EFFECTIVE_HEIGHT 32807
#define IDM_TOPIC_DOWNDRAFT 32808

// Screens and dialogs
#define IDD_ABOUT 103
#define IDD_CASE_C 129
#define IDD_START_MENU 142
#define IDD_CASE_A 143
#define IDD_CASE_B 146
#define IDD_PRINT_INFO 147
#define IDD_MAP_ADJUST 148
#define IDD_CASE_D 150

// Controls shared by the screens
#define IDC_ADVICE 1041
#define IDC_RESET 1019
#define IDC_BACK_TO_MENU 1030
// The case screens' fields and buttons
#define IDC_CASE_OUTLET_HEIGHT 1012
#define IDC_CASE_BUILDING_HEIGHT 1005
#define IDC_NO1_STANDARD 1013
#define IDC_CALCULATE 1029
#define IDC_PRINT 1020

// Start menu
#define IDC_OUTLET_HEIGHT 1003
#define IDC_BUILDING_HEIGHT 1004
#define IDC_LABEL_REAL_HEIGHT 1027
#define IDC_LABEL_BUILDING_HEIGHT 1028
#define IDC_BUILDING_UNIT 1089
#define IDC_NEXT 1032

// About box
#define IDC_ABOUT_ICON 2

// Help topic templates and their controls
#include "resources/help_resource.h"

// Low-outlet screens
#include "resources/low_outlet_resource.h"

// Tall-outlet screens
#include "resources/tall_outlet_resource.h"

// Map-adjustment dialog
#include "resources/map_adjust_resource.h"

// Batch run of a CSV file
#include "resources/batch_resource.h"

// An outlet kept in a file
#include "resources/outlet_file_resource.h"

// The verdict rows of the case screens
#include "resources/verdict_resource.h"
