#include "screens/screen_table.h"

#include "screens/start_menu.h"
#include "resources/resource.h"
#include "screens/low_outlet_screen.h"
#include "screens/screens.h"

const ScreenTemplate kScreenTemplates[5] = {
    {IDD_START_MENU, StartMenuProc},     {IDD_CASE_A, CaseAScreenProc},
    {IDD_CASE_B, CaseBScreenProc},       {IDD_CASE_C, PlaceholderScreenProc},
    {IDD_CASE_D, PlaceholderScreenProc},
};
