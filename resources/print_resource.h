// Controls of the print-information dialog (template 147).
#pragma once

#define IDC_PRINT_AUTHOR 1021
#define IDC_PRINT_OFFICE 1022
#define IDC_PRINT_FACILITY 1023
