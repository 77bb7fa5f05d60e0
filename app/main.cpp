#include "app/shell.h"
#include "help/help_topics.h"
#include "model/dilution_grid.h"
#include "screens/screen_table.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The grid's pages are touched while the user is still typing, not at the first 計算する.
    WarmUpDilutionGrid();
    SetProgramParts({kScreenTemplates, InitHelpTopics, OpenHelpTopicOfMenuCommand});
    return RunShell(instance);
}
