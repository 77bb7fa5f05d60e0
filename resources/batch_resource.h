// The batch run of a CSV file: its menu command and the progress window (template 180).
#pragma once

#define IDM_BATCH 32810
// The print of a register: one page an outlet, in the same progress window.
#define IDM_REGISTER_PRINT 32814
#define IDD_BATCH_PROGRESS 180

#define IDC_BATCH_FILE 1201
#define IDC_BATCH_ROWS 1202
#define IDC_BATCH_BAR 1203
