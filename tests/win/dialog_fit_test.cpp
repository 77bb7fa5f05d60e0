#include "tests/win/shell_fixture.h"

#include "app/dialog_fit.h"
#include "app/dpi.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <cstring>

#include <vector>

namespace {

INT_PTR CALLBACK Inert(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

BOOL CALLBACK CollectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int> *>(ids)->push_back(static_cast<int>(LOWORD(name)));
    return TRUE;
}

std::vector<int> EveryTemplate() {
    std::vector<int> ids;
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_DIALOG, CollectDialog,
                       reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

SIZE SizeOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The template's window as the dialog manager makes it at a font size, hidden.
SIZE MadeSize(DialogTemplate t, int points) {
    const WORD size = static_cast<WORD>(points);
    std::memcpy(t.bytes.data() + t.pointsAt, &size, sizeof size);
    DWORD style;
    std::memcpy(&style, t.bytes.data() + 12, sizeof style);
    style &= ~WS_VISIBLE;
    std::memcpy(t.bytes.data() + 12, &style, sizeof style);
    HWND made = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(t.bytes.data()),
                                           nullptr, Inert, 0);
    const SIZE size2 = made != nullptr ? SizeOf(made) : SIZE{-1, -1};
    if (made != nullptr)
        DestroyWindow(made);
    return size2;
}

int FontPixels(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

bool Inside(const RECT &inner, const RECT &outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

TEST(DialogFit, EveryTemplateIsMadeAtTheSizeTheFittingForesees) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    const int dpi = WindowDpi(nullptr);
    const std::vector<int> ids = EveryTemplate();
    ASSERT_GE(ids.size(), 20u);
    for (int id : ids) {
        DialogTemplate t;
        ASSERT_TRUE(LoadDialogTemplate(id, &t)) << id;
        ASSERT_NE(t.pointsAt, 0u) << id;
        const int smallest = (kSmallestPointsTimesDpi + dpi - 1) / dpi;
        for (int points : {t.points, t.points - 1, smallest}) {
            const SIZE foreseen = DialogWindowSize(t, points, dpi);
            const SIZE made = MadeSize(t, points);
            EXPECT_EQ(made.cx, foreseen.cx) << "template " << id << " at " << points << " pt";
            EXPECT_EQ(made.cy, foreseen.cy) << "template " << id << " at " << points << " pt";
        }
    }
}

// Work areas smaller than the case D screen: it is made with a smaller font and lies inside;
// where even the smallest font is too large, at the work area's top left.
TEST_F(WorkAreaTest, TheCaseDScreenShrinksToFitOrStartsAtTheTopLeft) {
    Type(IDC_OUTLET_HEIGHT, "20");
    Type(IDC_BUILDING_HEIGHT, "10");
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseD);
    const SIZE full = SizeOf(Screen());
    const int fullFont = FontPixels(Screen());
    DialogTemplate caseD;
    ASSERT_TRUE(LoadDialogTemplate(IDD_CASE_D, &caseD));
    const int dpi = WindowDpi(Screen());
    const SIZE least = DialogWindowSize(caseD, (kSmallestPointsTimesDpi + dpi - 1) / dpi, dpi);
    ASSERT_LT(least.cy, full.cy);

    struct Case {
        RECT area;
        bool fits;
    };
    const Case cases[] = {
        {{30, 20, 30 + least.cx, 20 + least.cy}, true},
        {{100, 50, 100 + least.cx + 200, 50 + least.cy - 1}, false},
    };
    for (const Case &c : cases) {
        SetWorkArea(c.area);
        Command(IDC_BACK_TO_MENU);
        Command(IDC_NEXT);
        ASSERT_EQ(gShell.currentScreen, CaseD);
        RECT placed;
        GetWindowRect(Screen(), &placed);
        EXPECT_LT(FontPixels(Screen()), fullFont);
        if (c.fits) {
            EXPECT_TRUE(Inside(placed, c.area))
                << placed.left << "," << placed.top << "-" << placed.right << "," << placed.bottom;
        } else {
            EXPECT_EQ(placed.left, c.area.left);
            EXPECT_EQ(placed.top, c.area.top);
        }
    }
}
