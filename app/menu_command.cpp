#include "app/menu_command.h"

#include "app/about_dialog.h"
#include "app/batch_command.h"
#include "app/outlet_file_command.h"
#include "app/shell.h"
#include "resources/resource.h"

void MenuCommand(WPARAM command) {
    const int id = LOWORD(command);
    switch (id) {
    case IDM_ABOUT: ShowAboutBox(); return;
    case IDM_BATCH: RunBatchCommand(); return;
    case IDM_REGISTER_PRINT: PrintRegisterCommand(); return;
    case IDM_OPEN_OUTLET: OpenOutletCommand(); return;
    case IDM_SAVE_OUTLET: SaveOutletCommand(); return;
    case IDM_SAVE_OUTLET_AS: SaveOutletAsCommand(); return;
    case IDM_MANUAL:
        OpenDocument("操作マニュアル.pdf", "操作マニュアル.pdf が存在しないか、表示できません。");
        return;
    case IDM_EXAMPLES:
        OpenDocument("活用例.pdf", "活用例.pdf が存在しないか、表示できません。");
        return;
    }
    OpenHelpTopicOfCommand(id);
}
