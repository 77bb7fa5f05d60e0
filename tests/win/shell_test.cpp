#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "app/shell_loop.h"
#include "resources/resource.h"

#include <cstring>

namespace {

const char kExitQuestion[] = "カモルテ（臭気指数第２号規制基準算定ソフト）を　\n終了しますか？";

RECT WindowRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

void MoveBy(HWND window, int dx, int dy) {
    RECT r = WindowRect(window);
    SetWindowPos(window, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

} // namespace

TEST_F(ShellTest, StartUpKeepsTitleAndProgramFolderAndClearsEveryInput) {
    gOutletInputs.menuOutletHeight = 12;
    std::strcpy(gOutletInputs.outletHeightText, "12");
    gOutletInputs.tall.no1Standard = 15;
    StartShell(GetModuleHandleA(nullptr));

    EXPECT_STREQ(gShell.titleText, "カモルテ（臭気指数第２号規制基準算定ソフト）");
    EXPECT_STREQ(gShell.productName, "カモルテ");
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = gShell.programFolder;
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(std::string(path).rfind(folder, 0), 0u);
    EXPECT_EQ(std::string(path).find('\\', folder.size()), std::string::npos);

    EXPECT_EQ(gOutletInputs.menuOutletHeight, -1.0);
    EXPECT_EQ(gOutletInputs.menuBuildingHeight, -1.0);
    EXPECT_STREQ(gOutletInputs.outletHeightText, "");
    EXPECT_EQ(gOutletInputs.tall.no1Standard, -1.0);
}

TEST_F(ShellTest, ScreenStepCreatesTheRequestedScreenAndDestroysTheOldOne) {
    HWND menu = Screen();
    EXPECT_EQ(gShell.currentScreen, StartMenu);
    EXPECT_EQ(gShell.activeScreenWindow, menu);
    EXPECT_TRUE(IsWindowVisible(menu));

    RequestScreen(CaseB);
    EXPECT_TRUE(IsWindow(menu)) << "the switch waits for the screen step";
    ScreenStep();
    HWND caseB = gShell.screenWindows[CaseB];
    ASSERT_NE(caseB, nullptr);
    EXPECT_FALSE(IsWindow(menu));
    EXPECT_EQ(gShell.screenWindows[StartMenu], nullptr);
    EXPECT_EQ(gShell.activeScreenWindow, caseB);
    EXPECT_EQ(gShell.pendingDisposal, nullptr);
    EXPECT_TRUE(IsWindowVisible(caseB));

    RequestScreen(CaseB);
    ScreenStep();
    EXPECT_EQ(gShell.screenWindows[CaseB], caseB);
    EXPECT_TRUE(IsWindow(caseB));
}

TEST_F(ShellTest, EveryCaseScreenShowsItsTitleAndReturnsToTheMenu) {
    const struct {
        ScreenId screen;
        const char *title;
    } cases[] = {
        {CaseA, "Ａ．排出口高さが 6.7m 未満の場合"},
        {CaseB, "Ｂ．排出口高さが 6.7m 以上 15m 未満の場合"},
        {CaseC, "Ｃ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍未満の場合"},
        {CaseD, "Ｄ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍以上の場合"},
    };
    for (const auto &c : cases) {
        RequestScreen(c.screen);
        Pump();
        HWND screen = Screen();
        ASSERT_NE(screen, nullptr) << c.screen;
        EXPECT_EQ(Text(screen), "カモルテ（臭気指数第２号規制基準算定ソフト）");
        EXPECT_NE(FindWindowExA(screen, nullptr, "Static", c.title), nullptr) << c.screen;
        EXPECT_EQ(Text(IDC_BACK_TO_MENU), "メニューに戻る");

        Command(IDC_BACK_TO_MENU);
        EXPECT_EQ(gShell.currentScreen, StartMenu);
        EXPECT_FALSE(IsWindow(screen));
        EXPECT_NE(Item(IDC_OUTLET_HEIGHT), nullptr);
    }
}

TEST_F(ShellTest, AMovedScreenPassesItsDisplacementToTheNext) {
    RECT menuCentred = WindowRect(Screen());
    Type(IDC_OUTLET_HEIGHT, "20");
    Type(IDC_BUILDING_HEIGHT, "10");
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseD);
    RECT caseCentred = WindowRect(Screen());
    Command(IDC_BACK_TO_MENU);
    RECT menuAgain = WindowRect(Screen());
    EXPECT_EQ(menuAgain.left, menuCentred.left);
    EXPECT_EQ(menuAgain.top, menuCentred.top);

    MoveBy(Screen(), 100, 50);
    Command(IDC_NEXT);
    ASSERT_EQ(gShell.currentScreen, CaseD);
    RECT caseMoved = WindowRect(Screen());
    EXPECT_EQ(caseMoved.left, caseCentred.left + 100);
    EXPECT_EQ(caseMoved.top, caseCentred.top + 50);

    MoveBy(Screen(), -100, -50);
    Command(IDC_BACK_TO_MENU);
    RECT menuBack = WindowRect(Screen());
    EXPECT_EQ(menuBack.left, menuCentred.left);
    EXPECT_EQ(menuBack.top, menuCentred.top);
}

// A screen moved partly off the work area: the next one lies inside it, as near as it can to
// where the user put the screen before.
TEST_F(ShellTest, AScreenMovedPastTheWorkAreaHasItsSuccessorInsideIt) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT centred = WindowRect(Screen());
    struct Move {
        int dx, dy;
        int left, top; // where the menu appears again, after case A at the work area's top
    };
    // The moves add up: the second starts from where the first left the menu.
    const Move moves[] = {
        {-30, -centred.top - 500, centred.left - 30, work.top},
        {-centred.left - 400, 20, work.left, work.top},
    };
    for (const Move &m : moves) {
        MoveBy(Screen(), m.dx, m.dy);
        Type(IDC_OUTLET_HEIGHT, "5");
        Command(IDC_NEXT);
        ASSERT_EQ(gShell.currentScreen, CaseA);
        EXPECT_EQ(WindowRect(Screen()).top, work.top);
        Command(IDC_BACK_TO_MENU);
        EXPECT_EQ(WindowRect(Screen()).left, m.left);
        EXPECT_EQ(WindowRect(Screen()).top, m.top);
    }
}

// Every way of asking to quit: the answer No keeps the screen and what was typed.
TEST_F(ShellTest, ExitQuestionAnsweredNoKeepsEverything) {
    Type(IDC_OUTLET_HEIGHT, "12");
    HWND menu = Screen();
    const struct {
        const char *way;
        void (*ask)(HWND screen);
    } ways[] = {
        {"終了 button", [](HWND s) { SendMessageA(GetDlgItem(s, IDCANCEL), BM_CLICK, 0, 0); }},
        {"Esc",
         [](HWND s) {
             SetFocus(GetDlgItem(s, IDC_OUTLET_HEIGHT));
             gShell.keyboardDialog = s;
             PostMessageA(GetDlgItem(s, IDC_OUTLET_HEIGHT), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
         }},
        {"close box", [](HWND s) { PostMessageA(s, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"menu 105", [](HWND s) { PostMessageA(s, WM_COMMAND, IDM_EXIT, 0); }},
    };
    for (const auto &way : ways) {
        boxes.clear();
        way.ask(menu);
        Pump();
        ASSERT_EQ(boxes.size(), 1u) << way.way;
        EXPECT_EQ(boxes[0].text, kExitQuestion) << way.way;
        EXPECT_EQ(boxes[0].caption, "終了確認");
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_TOPMOST));
        EXPECT_EQ(boxes[0].owner, nullptr);
        EXPECT_TRUE(exits.empty()) << way.way;
        EXPECT_EQ(Screen(), menu);
        EXPECT_TRUE(IsWindowVisible(menu));
        EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "12");
        EXPECT_EQ(gOutletInputs.menuOutletHeight, 12.0);
    }
}

TEST_F(ShellTest, ExitQuestionAnsweredYesEndsTheProcessWithZero) {
    RequestScreen(CaseC);
    Pump();
    answers = {IDYES};
    PostMessageA(Screen(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kExitQuestion);
    EXPECT_EQ(exits, std::vector<int>{0});
}

TEST_F(ShellTest, QuitMessageAsksAndNoKeepsTheLoopRunning) {
    Type(IDC_OUTLET_HEIGHT, "30");
    HWND menu = Screen();
    PostQuitMessage(0);
    Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kExitQuestion);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(Screen(), menu);
    EXPECT_EQ(gOutletInputs.menuOutletHeight, 30.0);

    answers = {IDYES};
    PostQuitMessage(0);
    ShellPass pass = ShellPass::Idle;
    for (int i = 0; i < 10000 && pass != ShellPass::Quit; ++i)
        pass = RunShellPass();
    EXPECT_EQ(pass, ShellPass::Quit);
    EXPECT_TRUE(exits.empty()) << "a confirmed quit message returns from the loop";
}

TEST_F(ShellTest, RunShellReturnsZeroOnlyAfterTheQuitIsConfirmed) {
    answers = {IDNO, IDYES};
    PostQuitMessage(0);
    // Asked again from inside the loop once the first question was answered.
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        PostQuitMessage(0);
    });
    EXPECT_EQ(RunShell(GetModuleHandleA(nullptr)), 0);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_NE(Screen(), nullptr);
}
