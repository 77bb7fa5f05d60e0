// Controls of the low-outlet screens (templates 143 and 146) that no other screen uses.
// The numbers are fixed by the templates.
#pragma once

// Size class radio buttons, one group.
#define IDC_LOW_SIZE_SMALL 1014
#define IDC_LOW_SIZE_MEDIUM 1015
#define IDC_LOW_SIZE_LARGE 1017

// Output line: ２号基準 ： 臭気指数 [no2] [no1 part] 希釈度 [dilution part]
#define IDC_LOW_NO2 1064
#define IDC_LOW_NO1_PART 1085
#define IDC_LOW_DILUTION_PART 1065
// Beside the figure, at the height of the outlet, the plume and the ground.
#define IDC_LOW_FIGURE_NO2 1086
#define IDC_LOW_FIGURE_DILUTION 1087
#define IDC_LOW_FIGURE_NO1 1088

// Term labels; 排出口の実高さ and 周辺最大建物高さ keep the start menu's 1027 and 1028.
#define IDC_LOW_LABEL_NO1 1031
#define IDC_LOW_LABEL_NO2 1034
#define IDC_LOW_LABEL_DILUTION 1035
#define IDC_LOW_LABEL_OUTPUT_INDEX 1036
// The input-side 臭気指数 and the size label swap their numbers between the two templates.
#define IDC_LOW_A_LABEL_INPUT_INDEX 1033
#define IDC_LOW_A_LABEL_SIZE 1032
#define IDC_LOW_B_LABEL_INPUT_INDEX 1032
#define IDC_LOW_B_LABEL_SIZE 1033
