// An outlet kept in a file: the File menu's commands, their keys and the list of a file's
// rows (template 181).
#pragma once

#define IDM_OPEN_OUTLET 32811
#define IDM_SAVE_OUTLET 32812
#define IDM_SAVE_OUTLET_AS 32813
#define IDA_OUTLET_FILE 182

#define IDD_SHEET_ROWS 181
#define IDC_SHEET_ROWS 1311
