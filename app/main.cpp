#include "app/shell.h"
#include "app/shown_map.h"
#include "help/help_topics.h"
#include "print/win/register_print_command.h"
#include "screens/screen_table.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The grid's pages are touched while the user is still typing, not at the first 計算する.
    gScreenGrid.WarmUp();
    SetProgramParts(
        {kScreenTemplates, InitHelpTopics, OpenHelpTopicOfMenuCommand, RunRegisterPrintCommand});
    return RunShell(instance);
}
