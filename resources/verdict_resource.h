// The verdict rows of the four case screens: the measured index, its verdict against the
// computed standard and the search for a complying height.
#pragma once

#define IDC_MEASURED_INDEX 1301
#define IDC_VERDICT 1302
#define IDC_MEASURED_RATE 1303
#define IDC_REDUCTION 1304
#define IDC_SOLVE_HEIGHT 1305
#define IDC_SOLVED_HEIGHT 1306
#define IDC_MEASURED_RATE_EXPONENT 1307
#define IDC_LABEL_MEASURED_INDEX 1308

#define IDM_TOPIC_VERDICT 32820
#define IDD_HELP_VERDICT 155
