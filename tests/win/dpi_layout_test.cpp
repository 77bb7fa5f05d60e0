// Every window at the scale of the screen the tests run on: ctest runs these once for each
// of 96, 120, 144 and 192 dpi (KAMORTE_DPI, a Wine prefix of its own for each).
#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "app/dpi.h"
#include "app/shown_map.h"
#include "help/help_topics.h"
#include "map/win/map_display.h"
#include "resources/batch_resource.h"
#include "resources/outlet_file_resource.h"
#include "resources/resource.h"
#include "resources/tall_outlet_resource.h"
#include "resources/verdict_resource.h"
#include "screens/tall_outlet_results.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// The rectangle text takes in the control's font: on one line, or wrapped at width.
SIZE TextExtent(HWND control, const std::string &text, UINT flags, int width = 100000) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | flags);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right, r.bottom};
}

// How far an owner-drawn label's drawing reaches, drawn by its dialog on a white page twice
// its size: every pixel neither white nor the button face inside the label counts.
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
    SIZE reach = {0, 0};
    for (int y = 0; y < 2 * h; ++y)
        for (int x = 0; x < 2 * w; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            if (c != RGB(255, 255, 255) && !(c == GetSysColor(COLOR_BTNFACE) && x < w && y < h))
                reach = {std::max<LONG>(reach.cx, x + 1), std::max<LONG>(reach.cy, y + 1)};
        }
    SelectObject(dc, old);
    DeleteObject(page);
    DeleteDC(dc);
    ReleaseDC(control, screen);
    return reach;
}

// Why a control's text does not fit, or nothing: a tenth of the width to spare for the
// fonts that stand in for the dialog font; a text that may wrap, wrapped, against the height.
std::string Misfit(HWND control) {
    char cls[32] = "", text[1024] = "";
    GetClassNameA(control, cls, sizeof cls);
    GetWindowTextA(control, text, sizeof text);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    RECT client;
    GetClientRect(control, &client);
    int room = client.right;
    SIZE need;
    bool wraps = false;
    UINT flags = 0;
    if (std::string(cls) == "Button" && (style & BS_TYPEMASK) == BS_OWNERDRAW) {
        need = OwnDrawingExtent(control, client);
    } else if (!*text || !IsWindowVisible(control)) {
        return "";
    } else if (std::string(cls) == "Static") {
        const LONG type = style & SS_TYPEMASK;
        if (type > SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP)
            return ""; // a picture or a frame
        wraps = type <= SS_RIGHT;
        flags = style & SS_NOPREFIX ? DT_NOPREFIX : 0;
        need = TextExtent(control, text, flags);
    } else if (std::string(cls) == "Button") {
        const LONG type = style & BS_TYPEMASK;
        const int digit = TextExtent(control, "0", 0).cx;
        room -= type == BS_GROUPBOX ? 2 * digit
                : type >= BS_CHECKBOX && type <= BS_AUTORADIOBUTTON && type != BS_GROUPBOX
                    ? GetSystemMetrics(SM_CXMENUCHECK) + digit
                    : 4 * GetSystemMetrics(SM_CXEDGE);
        wraps = (style & BS_MULTILINE) != 0;
        need = TextExtent(control, text, 0);
    } else {
        return "";
    }
    if (need.cx * 11 <= room * 10 && need.cy <= client.bottom)
        return "";
    if (wraps &&
        TextExtent(control, text, flags | DT_WORDBREAK, room * 10 / 11).cy <= client.bottom)
        return "";
    std::ostringstream why;
    why << "needs " << need.cx << " x " << need.cy << ", has " << room << " x " << client.bottom;
    return why.str();
}

BOOL CALLBACK CollectShown(HWND window, LPARAM list) {
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

// With KAMORTE_WORK_AREA_SHORT, a taskbar that many pixels high at the foot of the display:
// every window is then also checked to lie inside the work area.
class DpiLayoutTest : public WorkAreaTest {
  protected:
    void ChooseWorkArea() override {
        if (const char *taskbar = std::getenv("KAMORTE_WORK_AREA_SHORT"))
            SetWorkArea({0, 0, GetSystemMetrics(SM_CXSCREEN),
                         GetSystemMetrics(SM_CYSCREEN) - std::atoi(taskbar)});
    }

    static int Dpi() { return LayoutDpi(Screen()); }

    // Every text of every window of the program now open.
    static void ExpectEveryTextFits(const char *when) {
        std::vector<HWND> windows;
        EnumThreadWindows(GetCurrentThreadId(), CollectShown, reinterpret_cast<LPARAM>(&windows));
        RECT work, r;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        for (HWND window : windows) {
            GetWindowRect(window, &r);
            EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right &&
                        r.bottom <= work.bottom)
                << Dpi() << " dpi, " << when << ", 「" << Text(window) << "」 at " << r.left << ","
                << r.top << "-" << r.right << "," << r.bottom << ", work area to " << work.right
                << "," << work.bottom;
            for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                EXPECT_EQ(Misfit(c), "")
                    << Dpi() << " dpi, " << when << ", 「" << Text(window) << "」 control "
                    << GetDlgCtrlID(c) << " 「" << Text(c) << "」";
        }
    }
    static void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        Pump();
    }
    // From the start menu to the heights' screen, its fields typed, calculated.
    static void Compute(const char *outlet, const char *building,
                        std::vector<std::pair<int, const char *>> fields, int choice = 0) {
        Type(IDC_OUTLET_HEIGHT, outlet);
        Type(IDC_BUILDING_HEIGHT, building);
        Command(IDC_NEXT);
        for (int radio : {choice, IDC_TALL_DIAMETER_RADIO, IDC_TALL_UPWARD})
            if (radio != 0 && Item(radio) != nullptr)
                Click(radio);
        for (const auto &field : fields)
            Type(field.first, field.second);
        Click(IDC_CALCULATE);
    }
    // The example outlet on the case D screen, judged against a measured 48.
    static void ComputeExample() {
        Compute("30", "10",
                {{IDC_NO1_STANDARD, "12"},
                 {IDC_TALL_DIAMETER, "1"},
                 {IDC_TALL_TEMPERATURE, "80"},
                 {IDC_TALL_DRY_FLOW, "300"},
                 {IDC_TALL_MOISTURE, "10"},
                 {IDC_TALL_OUTLET_BOUNDARY, "50"},
                 {IDC_TALL_BUILDING_BOUNDARY, "20"},
                 {IDC_MEASURED_INDEX, "48"}});
    }
    // A window of the program's template without its procedure's work.
    static HWND FromTemplate(int id) {
        HWND window = CreateDialogParamA(
            nullptr, MAKEINTRESOURCEA(id), Screen(),
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return 0; }, 0);
        ShowWindow(window, SW_SHOWNA);
        return window;
    }
    // The screen's client size, and every control's place, size and font.
    static std::string Describe() {
        std::ostringstream out;
        RECT r;
        GetClientRect(Screen(), &r);
        out << "screen " << r.right << " x " << r.bottom << "\n";
        for (HWND c = GetWindow(Screen(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, Screen(), reinterpret_cast<POINT *>(&r), 2);
            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(c, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            out << GetDlgCtrlID(c) << " " << r.left << "," << r.top << " " << r.right - r.left
                << " x " << r.bottom - r.top << " font " << font.lfHeight << "\n";
        }
        return out.str();
    }
};

} // namespace

// Every static and button text of every screen and dialog fits its control, and every
// window lies inside the work area.
TEST_F(DpiLayoutTest, EveryTextFitsItsControl) {
    ExpectEveryTextFits("start menu");
    Compute("5", "2", {{IDC_NO1_STANDARD, "12"}, {IDC_MEASURED_INDEX, "30"}}, IDC_LOW_SIZE_SMALL);
    ExpectEveryTextFits("case A");
    Command(IDC_BACK_TO_MENU);
    Compute("10", "5", {{IDC_NO1_STANDARD, "12"}, {IDC_MEASURED_INDEX, "30"}}, IDC_LOW_SIZE_MEDIUM);
    ExpectEveryTextFits("case B");
    Command(IDC_BACK_TO_MENU);
    Compute("20", "18",
            {{IDC_NO1_STANDARD, "13"}, {IDC_TALL_DRY_FLOW, "120"}, {IDC_MEASURED_INDEX, "33"}});
    ExpectEveryTextFits("case C");
    Command(IDC_BACK_TO_MENU);
    ComputeExample();
    EXPECT_EQ(Text(IDC_RATE_MANTISSA) + " " + Text(IDC_RATE_EXPONENT) + " " +
                  Text(IDC_D_LANDING_DILUTION) + " " + Text(IDC_LANDING_DISTANCE),
              "9.1×10 6 33   649");
    Command(IDC_SOLVE_HEIGHT);
    for (int i = 0; i < 600 && Text(IDC_SOLVED_HEIGHT).empty(); ++i, Sleep(50))
        Pump();
    ExpectEveryTextFits("case D with the height found");
    Command(IDC_MAP_ADJUST);
    ExpectEveryTextFits("map adjustment");
    SendMessageA(gShell.mapAdjustWindow, WM_CLOSE, 0, 0);
    Command(IDC_PRINT);
    ExpectEveryTextFits("print information");
    DestroyWindow(gShell.printInfoWindow);
    gShell.printInfoWindow = nullptr;
    EnableWindow(Screen(), TRUE);
    for (int topic = 0; topic < kHelpTopicCount; ++topic)
        OpenHelpTopic(topic);
    Command(IDM_ABOUT);
    HWND progress = FromTemplate(IDD_BATCH_PROGRESS);
    SetDlgItemTextA(progress, IDC_BATCH_ROWS, "1,234,567 行を計算しました。");
    HWND rows = FromTemplate(IDD_SHEET_ROWS);
    ExpectEveryTextFits("help topics, calculators, about, batch progress, outlet list");
    DestroyWindow(progress);
    DestroyWindow(rows);
}

// The map is drawn for its control at the screen's scale (600 × 318 at 144 dpi), and each
// pixel still reads its own distance and height: the corners the whole range and height.
TEST_F(DpiLayoutTest, TheMapIsDrawnAtItsControlsSize) {
    ComputeExample();
    const int width = Dpi() == 144 ? 600 : ScaleToDpi(400, Dpi());
    const int rows = Dpi() == 144 ? 318 : ScaleToDpi(212, Dpi());
    RECT client;
    GetClientRect(Item(IDC_MAP), &client);
    BITMAP shown = {};
    ASSERT_TRUE(GetObjectA(ScreenBitmap(), sizeof shown, &shown));
    EXPECT_EQ(std::vector<LONG>({client.right, client.bottom, shown.bmWidth, shown.bmHeight}),
              std::vector<LONG>({width, rows, width, rows}));
    // Drawn at that size, not stretched from the 400 × 212 picture; that one at 96 dpi.
    EXPECT_EQ(gMapImage.size(), static_cast<size_t>(MapStride(width)) * rows);
    if (Dpi() == kBaseDpi) {
        EXPECT_EQ(gMapImage, RenderMap(gScreenGrid.Cells(), gMapSettings,
                                       MapMarksOf(gMapSettings, gOutletInputs, gOutletResults.tall),
                                       MapStyle::Screen, 400, 200));
    }
    const int ground = rows - 1 - (12 * Dpi() + 48) / 96; // the map's lowest row, over the strip
    const std::string range = std::to_string(gMapSettings.downwindRange);
    const std::string top = std::to_string(gMapSettings.displayHeight);
    const struct {
        int x, y;
        std::string distance, height;
    } corners[] = {{0, ground, "1", "1"},
                   {width - 1, ground, range, "1"},
                   {0, 0, "1", top},
                   {width - 1, 0, range, top},
                   {0, ground + 1, "", ""}}; // the strip
    for (const auto &c : corners) {
        POINT p = {c.x, c.y};
        ClientToScreen(Item(IDC_MAP), &p);
        ClearCursorReadout(Screen());
        CursorReadoutAt(Screen(), p);
        std::string distance = Text(IDC_READOUT_DISTANCE);
        distance.erase(0, distance.find_first_not_of(' ') == std::string::npos
                              ? distance.size()
                              : distance.find_first_not_of(' '));
        EXPECT_EQ(distance + " " + Text(IDC_READOUT_HEIGHT), c.distance + " " + c.height)
            << c.x << "," << c.y;
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
    RECT before, after;
    GetWindowRect(Screen(), &before);
    RECT proposed = {before.left + 10, before.top + 20, before.left + 1500, before.top + 1100};
    SendMessageA(Screen(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&proposed));
    Pump();
    EXPECT_EQ(LayoutDpi(Screen()), 144);
    GetWindowRect(Screen(), &after);
    EXPECT_EQ(std::make_pair(after.left, after.top), std::make_pair(proposed.left, proposed.top));
    std::ifstream made(kMadeAt144);
    ASSERT_TRUE(made.good()) << "the run at 144 dpi writes " << kMadeAt144;
    std::stringstream expected;
    expected << made.rdbuf();
    EXPECT_EQ(Describe(), expected.str());
}
