// The screens' control table against the screens' templates: every edit control of a screen
// is a field's, and every field the screen's form reads has its control there; and against
// the running screens: every field stops typing at its form's limit.
#include "app/field_controls.h"

#include "map/win/map_adjust_dialog.h"
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

namespace {

// The start menu stops at the 62 bytes it reads, the case screens at the 63 a record keeps,
// the map adjustment at the 255 it reads.
void ExpectTypingLimits(HWND window, ScreenId screen) {
    ASSERT_NE(window, nullptr);
    const int limit = screen == StartMenu ? 62 : screen == kMapAdjustWindow ? 255 : 63;
    for (const FieldControl &control : FieldControls()) {
        if (control.ids[screen] != 0) {
            EXPECT_EQ(SendDlgItemMessageA(window, control.ids[screen], EM_GETLIMITTEXT, 0, 0),
                      limit)
                << "screen " << screen << ", control " << control.ids[screen];
        }
    }
}

} // namespace

TEST_F(ShellTest, EveryFieldStopsTypingAtItsFormsLimit) {
    ExpectTypingLimits(Screen(), StartMenu);
    const struct {
        ScreenId screen;
        const char *height, *building;
    } routes[] = {
        {CaseA, "5", ""}, {CaseB, "10", "5"}, {CaseC, "15", "10.001"}, {CaseD, "30", "10"}};
    for (const auto &route : routes) {
        Type(IDC_OUTLET_HEIGHT, route.height);
        Type(IDC_BUILDING_HEIGHT, route.building);
        Command(IDC_NEXT);
        ASSERT_EQ(gShell.currentScreen, route.screen);
        ExpectTypingLimits(Screen(), route.screen);
        if (route.screen == CaseD) {
            // The dialog alone: its fields' limits do not wait for a result.
            HWND dialog = OpenMapAdjustDialog(Screen(), nullptr);
            ExpectTypingLimits(dialog, kMapAdjustWindow);
            SendMessageA(dialog, WM_CLOSE, 0, 0);
            Pump();
        }
        TearDown();
        SetUp();
    }
}
