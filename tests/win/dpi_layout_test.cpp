// Every window at the scale of the screen the tests run on: ctest runs these once for each
// of 96, 120, 144 and 192 dpi (KAMORTE_DPI, a Wine prefix of its own for each).
#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "app/dpi.h"
#include "app/shown_map.h"
#include "map/map_raster.h"
#include "map/win/map_display.h"
#include "resources/batch_resource.h"
#include "resources/outlet_file_resource.h"
#include "resources/resource.h"
#include "resources/tall_outlet_resource.h"
#include "resources/verdict_resource.h"
#include "screens/tall_outlet_results.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ClassOf(HWND window) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The rectangle text takes in the control's font: on one line, or wrapped at width.
SIZE TextExtent(HWND control, const std::string &text, UINT flags, int width = 100000) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | flags);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right, r.bottom};
}

// How far an owner-drawn label's own drawing reaches, drawn by its dialog on a white page
// twice its size.
SIZE OwnDrawingExtent(HWND control, RECT client) {
    const int w = client.right, h = client.bottom;
    HDC screen = GetDC(control);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP page = CreateCompatibleBitmap(screen, 2 * w, 2 * h);
    HGDIOBJ old = SelectObject(dc, page);
    RECT all = {0, 0, 2 * w, 2 * h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT item = {ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(control)),
                           0,          ODA_DRAWENTIRE,
                           0,          control,
                           dc,         client,
                           0};
    SendMessageA(GetParent(control), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    SIZE reach = {0, 0};
    for (int y = 0; y < 2 * h; ++y)
        for (int x = 0; x < 2 * w; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c != RGB(255, 255, 255) && !(c == face && x < w && y < h)) {
                reach.cx = std::max<LONG>(reach.cx, x + 1);
                reach.cy = std::max<LONG>(reach.cy, y + 1);
            }
        }
    SelectObject(dc, old);
    DeleteObject(page);
    DeleteDC(dc);
    ReleaseDC(control, screen);
    return reach;
}

// Why a control's text does not fit, or nothing: 10 % spare width for the fonts that stand
// in for the dialog font, a text that may wrap measured wrapped against the height.
std::string Misfit(HWND control) {
    const std::string cls = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    RECT client;
    GetClientRect(control, &client);
    std::ostringstream why;
    if (cls == "Button" && (style & BS_TYPEMASK) == BS_OWNERDRAW) {
        const SIZE reach = OwnDrawingExtent(control, client);
        if (reach.cx * 11 <= client.right * 10 && reach.cy <= client.bottom)
            return "";
        why << "draws " << reach.cx << " × " << reach.cy << " in " << client.right << " × "
            << client.bottom;
        return why.str();
    }
    char buffer[1024] = "";
    GetWindowTextA(control, buffer, sizeof buffer);
    const std::string text = buffer;
    if (text.empty() || !IsWindowVisible(control))
        return "";
    int room = client.right; // for the text itself
    bool wraps = false;
    UINT flags = 0;
    if (cls == "Static") {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE)
            return "";
        wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        flags = style & SS_NOPREFIX ? DT_NOPREFIX : 0;
    } else if (cls == "Button") {
        const SIZE space = TextExtent(control, "0", 0);
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX: room -= 2 * space.cx; break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE: room -= GetSystemMetrics(SM_CXMENUCHECK) + space.cx; break;
        default: room -= 4 * GetSystemMetrics(SM_CXEDGE);
        }
        wraps = (style & BS_MULTILINE) != 0;
    } else {
        return "";
    }
    const SIZE line = TextExtent(control, text, flags);
    if (line.cx * 11 <= room * 10 && line.cy <= client.bottom)
        return "";
    if (wraps &&
        TextExtent(control, text, flags | DT_WORDBREAK, room * 10 / 11).cy <= client.bottom)
        return "";
    why << "needs " << line.cx << " × " << line.cy << ", has " << room << " × " << client.bottom;
    return why.str();
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

class DpiLayoutTest : public ShellTest {
  protected:
    static int Dpi() { return LayoutDpi(Screen()); }

    // Every text of every window of the program now open.
    static void ExpectEveryTextFits(const char *when) {
        std::vector<HWND> windows;
        EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows)
            for (HWND c = GetWindow(window, GW_CHILD); c != nullptr;
                 c = GetWindow(c, GW_HWNDNEXT)) {
                const std::string why = Misfit(c);
                EXPECT_EQ(why, "") << Dpi() << " dpi, " << when << ", 「" << Text(window)
                                   << "」 control " << GetDlgCtrlID(c) << " 「" << Text(c) << "」";
            }
    }
    static void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        Pump();
    }
    static void Open(const char *outlet, const char *building) {
        Type(IDC_OUTLET_HEIGHT, outlet);
        Type(IDC_BUILDING_HEIGHT, building);
        Command(IDC_NEXT);
    }
    // The example outlet on the case D screen, computed and judged against 48.
    static void ComputeExample() {
        Open("30", "10");
        Click(IDC_TALL_DIAMETER_RADIO);
        Click(IDC_TALL_UPWARD);
        Click(IDC_TALL_DRY_RADIO);
        for (auto field : {std::make_pair(IDC_NO1_STANDARD, "12"),
                           {IDC_TALL_DIAMETER, "1"},
                           {IDC_TALL_TEMPERATURE, "80"},
                           {IDC_TALL_DRY_FLOW, "300"},
                           {IDC_TALL_MOISTURE, "10"},
                           {IDC_TALL_OUTLET_BOUNDARY, "50"},
                           {IDC_TALL_BUILDING_BOUNDARY, "20"},
                           {IDC_MEASURED_INDEX, "48"}})
            Type(field.first, field.second);
        Click(IDC_CALCULATE);
    }
    // A window of the program's own template, to measure its texts without its work.
    static HWND FromTemplate(int templateId) {
        HWND window = CreateDialogParamA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), Screen(),
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ShowWindow(window, SW_SHOWNA);
        return window;
    }
    // The case D screen as it stands: its size, and every control's place, size and font.
    static std::string Describe() {
        std::ostringstream out;
        RECT r;
        GetClientRect(Screen(), &r);
        out << "screen " << r.right << " × " << r.bottom << "\n";
        for (HWND c = GetWindow(Screen(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, Screen(), reinterpret_cast<POINT *>(&r), 2);
            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            out << GetDlgCtrlID(c) << " " << ClassOf(c) << " " << r.left << "," << r.top << " "
                << r.right - r.left << " × " << r.bottom - r.top << " font " << font.lfHeight
                << "\n";
        }
        return out.str();
    }
};

} // namespace

// Every static and button text of every screen and dialog fits its control.
TEST_F(DpiLayoutTest, EveryTextFitsItsControl) {
    ExpectEveryTextFits("start menu");
    Open("5", "2");
    Type(IDC_NO1_STANDARD, "12");
    Click(IDC_LOW_SIZE_SMALL);
    Type(IDC_MEASURED_INDEX, "30");
    Click(IDC_CALCULATE);
    ExpectEveryTextFits("case A with its result");
    Command(IDC_BACK_TO_MENU);
    Open("10", "5");
    Type(IDC_NO1_STANDARD, "12");
    Click(IDC_LOW_SIZE_MEDIUM);
    Type(IDC_MEASURED_INDEX, "30");
    Click(IDC_CALCULATE);
    ExpectEveryTextFits("case B with its result");
    Command(IDC_BACK_TO_MENU);
    Open("20", "18");
    Type(IDC_NO1_STANDARD, "13");
    Type(IDC_TALL_DRY_FLOW, "120");
    Type(IDC_MEASURED_INDEX, "33");
    Click(IDC_CALCULATE);
    ExpectEveryTextFits("case C with its result");
    Command(IDC_BACK_TO_MENU);
    ComputeExample();
    Command(IDC_SOLVE_HEIGHT);
    for (int i = 0; i < 600 && Text(IDC_SOLVED_HEIGHT).empty(); ++i) {
        Sleep(50);
        Pump();
    }
    ExpectEveryTextFits("case D with its result and the height found");
    Command(IDC_MAP_ADJUST);
    ExpectEveryTextFits("the map adjustment");
    SendMessageA(gShell.mapAdjustWindow, WM_CLOSE, 0, 0);
    Pump();
    Command(IDC_PRINT);
    ExpectEveryTextFits("the print information");
    DestroyWindow(gShell.printInfoWindow);
    gShell.printInfoWindow = nullptr;
    EnableWindow(Screen(), TRUE);
    for (int topic :
         {IDM_TOPIC_REGULATION, IDM_TOPIC_STANDARDS, IDM_TOPIC_ODOR_INDEX, IDM_TOPIC_EMISSION_RATE,
          IDM_TOPIC_REAL_HEIGHT, IDM_TOPIC_SIZE, IDM_TOPIC_FLOW, IDM_TOPIC_VELOCITY,
          IDM_TOPIC_TEMPERATURE, IDM_TOPIC_MOISTURE, IDM_TOPIC_DIRECTION, IDM_TOPIC_BUILDING_HEIGHT,
          IDM_TOPIC_OUTLET_DISTANCE, IDM_TOPIC_BUILDING_DISTANCE, IDM_TOPIC_DILUTION,
          IDM_TOPIC_EFFECTIVE_HEIGHT, IDM_TOPIC_DOWNDRAFT, IDM_TOPIC_VERDICT})
        Command(topic);
    Command(IDM_ABOUT);
    HWND progress = FromTemplate(IDD_BATCH_PROGRESS);
    SetDlgItemTextA(progress, IDC_BATCH_ROWS, "1,234,567 行を計算しました。");
    HWND rows = FromTemplate(IDD_SHEET_ROWS);
    ExpectEveryTextFits("the help topics, both calculators, about, batch progress, outlet list");
    DestroyWindow(progress);
    DestroyWindow(rows);
}

// The map is drawn for its control at the screen's scale, and each of its pixels still reads
// its own distance and height: the corners the whole range and height.
TEST_F(DpiLayoutTest, TheMapIsDrawnAtItsControlsSize) {
    ComputeExample();
    const int width = ScaleToDpi(400, Dpi()), rows = ScaleToDpi(212, Dpi());
    if (Dpi() == 144) {
        EXPECT_EQ(width, 600);
        EXPECT_EQ(rows, 318);
    }
    RECT client;
    GetClientRect(Item(IDC_MAP), &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, rows);
    BITMAP shown = {};
    ASSERT_TRUE(GetObjectA(ScreenBitmap(), sizeof shown, &shown));
    EXPECT_EQ(shown.bmWidth, width);
    EXPECT_EQ(shown.bmHeight, rows);
    // Drawn at that size, not stretched from the 400 × 212 picture.
    EXPECT_EQ(gMapImage.size(), static_cast<size_t>(MapStride(width)) * rows);
    if (Dpi() == kBaseDpi) {
        EXPECT_EQ(gMapImage, RenderMap(gScreenGrid.Cells(), gMapSettings,
                                       MapMarksOf(gMapSettings, gOutletInputs, gOutletResults.tall),
                                       MapStyle::Screen, 400, 200));
    }
    const int strip = (12 * Dpi() + 48) / 96;
    const std::string range = std::to_string(gMapSettings.downwindRange);
    const std::string top = std::to_string(gMapSettings.displayHeight);
    struct Corner {
        int x, y;
        const char *distance, *height;
    } corners[] = {{0, rows - strip - 1, "1", "1"},
                   {width - 1, rows - strip - 1, range.c_str(), "1"},
                   {0, 0, "1", top.c_str()},
                   {width - 1, 0, range.c_str(), top.c_str()},
                   {0, rows - strip, "", ""}}; // the strip under the map
    for (const Corner &c : corners) {
        POINT p = {c.x, c.y};
        ClientToScreen(Item(IDC_MAP), &p);
        ClearCursorReadout(Screen());
        CursorReadoutAt(Screen(), p);
        const std::string distance = Text(IDC_READOUT_DISTANCE);
        EXPECT_EQ(distance.substr(distance.find_first_not_of(' ') == std::string::npos
                                      ? distance.size()
                                      : distance.find_first_not_of(' ')),
                  c.distance)
            << c.x << "," << c.y;
        EXPECT_EQ(Text(IDC_READOUT_HEIGHT), c.height) << c.x << "," << c.y;
    }
}

// A screen moved to a monitor of 144 dpi is laid out as the screen made at 144 dpi: the run
// at 144 keeps its screen's description, the run at 96 (after it) compares.
TEST_F(DpiLayoutTest, AScreenLaidOutAgainIsTheScreenMadeAtThatScale) {
    ComputeExample();
    const char kMadeAt144[] = "case_d_at_144dpi.txt";
    if (Dpi() == 144) {
        std::ofstream(kMadeAt144) << Describe();
        return;
    }
    ASSERT_EQ(Dpi(), kBaseDpi);
    RECT before;
    GetWindowRect(Screen(), &before);
    RECT proposed = {before.left + 10, before.top + 20, before.left + 1500, before.top + 1100};
    SendMessageA(Screen(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&proposed));
    Pump();
    EXPECT_EQ(LayoutDpi(Screen()), 144);
    RECT after;
    GetWindowRect(Screen(), &after);
    EXPECT_EQ(after.left, proposed.left);
    EXPECT_EQ(after.top, proposed.top);
    std::ifstream made(kMadeAt144);
    ASSERT_TRUE(made.good()) << "the run at 144 dpi writes " << kMadeAt144;
    std::stringstream expected;
    expected << made.rdbuf();
    EXPECT_EQ(Describe(), expected.str());
}
