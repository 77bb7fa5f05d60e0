#include "app/shell.h"
#include "help/help_topics.h"
#include "screens/screen_table.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    SetProgramParts({kScreenTemplates, InitHelpTopics, OpenHelpTopicOfMenuCommand});
    return RunShell(instance);
}
