// The screens' control table against the screens' templates: every edit control of a screen
// is a field's, and every field the screen's form reads has its control there. (Where each
// field stops typing, the hostile paste test reads on every running window.)
#include "app/field_controls.h"

#include "resources/resource.h"
#include "screens/screen_table.h"
#include "tests/win/shell_fixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

namespace {

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

BOOL CALLBACK CollectEdit(HWND child, LPARAM param) {
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0)
        reinterpret_cast<std::set<int> *>(param)->insert(GetDlgCtrlID(child));
    return TRUE;
}

int TemplateOf(ScreenId screen) {
    return screen == kMapAdjustWindow ? IDD_MAP_ADJUST : kScreenTemplates[screen].templateId;
}

// Whether the form of the screen reads the field as a text.
bool ReadOnScreen(const FieldRow &row, ScreenId screen) {
    if (screen == StartMenu)
        return (row.forms & kMenuForm) != 0;
    if (screen == kMapAdjustWindow)
        return (row.forms & kMapForm) != 0;
    const bool onCase = (row.cases & CaseBit(static_cast<OutletCase>(screen))) != 0;
    if (row.value.message != nullptr) // the measured index, on every case screen
        return onCase;
    if (screen == CaseA || screen == CaseB)
        return onCase && row.low.messageA != nullptr;
    return onCase && row.tall.message != nullptr;
}

} // namespace

TEST(FieldControls, EveryEditControlOfEveryScreenIsAFieldsAndEveryFieldHasOne) {
    for (ScreenId screen = StartMenu; screen <= kMapAdjustWindow; ++screen) {
        SCOPED_TRACE("screen " + std::to_string(screen));
        // The template alone, without the screen's procedure and its records.
        HWND dlg = CreateDialogParamA(GetModuleHandleA(nullptr),
                                      MAKEINTRESOURCEA(TemplateOf(screen)), nullptr, Inert, 0);
        ASSERT_NE(dlg, nullptr);
        std::set<int> edits;
        EnumChildWindows(dlg, CollectEdit, reinterpret_cast<LPARAM>(&edits));
        EXPECT_FALSE(edits.empty());
        for (int id : edits) {
            Field field;
            EXPECT_TRUE(FieldOfControl(screen, id, &field)) << "control " << id;
        }
        for (const FieldRow &row : FieldTable()) {
            const int id = ControlOf(row.field, screen);
            EXPECT_EQ(id != 0, ReadOnScreen(row, screen)) << row.name;
            if (id != 0) {
                EXPECT_EQ(edits.count(id), 1u) << row.name;
                Field back;
                ASSERT_TRUE(FieldOfControl(screen, id, &back));
                EXPECT_EQ(back, row.field) << row.name;
            }
        }
        DestroyWindow(dlg);
    }
}
