#include "screens/screen_table.h"

#include "screens/start_menu.h"
#include "resources/resource.h"
#include "screens/low_outlet_screen.h"
#include "screens/tall_outlet_screen.h"

const ScreenTemplate kScreenTemplates[5] = {
    {IDD_START_MENU, StartMenuProc}, {IDD_CASE_A, CaseAScreenProc}, {IDD_CASE_B, CaseBScreenProc},
    {IDD_CASE_C, CaseCScreenProc},   {IDD_CASE_D, CaseDScreenProc},
};
