// Identifiers of the help-topic dialogs and their controls.
#pragma once

#define IDD_HELP_ODOR_INDEX 9
#define IDD_HELP_BUILDING_HEIGHT 130
#define IDD_HELP_DIRECTION 131
#define IDD_HELP_REAL_HEIGHT 132
#define IDD_HELP_STANDARDS 133
#define IDD_HELP_EMISSION_RATE 134
#define IDD_HELP_FLOW 136
#define IDD_HELP_VELOCITY 137
#define IDD_HELP_TEMPERATURE 138
#define IDD_HELP_MOISTURE 139
#define IDD_HELP_OUTLET_DISTANCE 140
#define IDD_HELP_BUILDING_DISTANCE 141
#define IDD_HELP_SIZE 149
#define IDD_HELP_DILUTION 151
#define IDD_HELP_EFFECTIVE_HEIGHT 152
#define IDD_HELP_DOWNDRAFT 153
#define IDD_HELP_REGULATION 154

// The two calculators: the read-only result and the input fields.
#define IDC_CALC_RESULT 1003
#define IDC_FLOWCALC_AREA 1021
#define IDC_FLOWCALC_TEMPERATURE 1022
#define IDC_FLOWCALC_VELOCITY 1023
#define IDC_FLOWCALC_MOISTURE 1024
#define IDC_VELCALC_HOLE_VELOCITY 1021
#define IDC_VELCALC_OUTLET_AREA 1022
#define IDC_VELCALC_HOLE_AREA 1023

// Lines with raised digits (m², m³). Each line keeps blanks after the "m" where a digit
// goes; the digits are small statics with the line's id plus 1 and plus 2, moved over
// those blanks when the dialog opens. Lines are single-line statics, ids 1110 to 1190 in
// steps of 10.
#define IDC_RAISED_LINE_FIRST 1110
#define IDC_RAISED_LINE_LAST 1190
#define IDC_RAISED_LINE_STEP 10
#define IDC_LINE1 1110
#define IDC_LINE1_DIGIT1 1111
#define IDC_LINE1_DIGIT2 1112
#define IDC_LINE2 1120
#define IDC_LINE2_DIGIT1 1121
#define IDC_LINE2_DIGIT2 1122
#define IDC_LINE3 1130
#define IDC_LINE3_DIGIT1 1131
#define IDC_LINE3_DIGIT2 1132
#define IDC_LINE4 1140
#define IDC_LINE4_DIGIT1 1141
#define IDC_LINE4_DIGIT2 1142
#define IDC_LINE5 1150
#define IDC_LINE5_DIGIT1 1151
#define IDC_LINE5_DIGIT2 1152
#define IDC_LINE6 1160
#define IDC_LINE6_DIGIT1 1161
#define IDC_LINE6_DIGIT2 1162
