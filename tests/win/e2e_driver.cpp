// Drives the real program from another process with window messages only, as a person at
// the keyboard would: the heights into the start menu, 次へ, a case screen, and at the end
// the exit question.
//
//   kamorte_driver check PROGRAM   a low outlet computed on the case A and B screens (the
//                                  shown No. 2 standard read back), then the example outlet
//                                  to the case D screen and a clean exit
//   kamorte_driver walk PROGRAM    the same, stopping at every screen: prints "shot NAME"
//                                  with the window's and then the client area's left, top,
//                                  right and bottom on the desktop, and waits for a line on
//                                  standard input (the screenshot script answers)
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "program_driver.h"

namespace {

using namespace driving;

const char kTitle[] = "カモルテ（臭気指数第２号規制基準算定ソフト）";
const char kCaseATitle[] = "Ａ．排出口高さが 6.7m 未満の場合";
const char kCaseBTitle[] = "Ｂ．排出口高さが 6.7m 以上 15m 未満の場合";
const char kCaseDTitle[] = "Ｄ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍以上の場合";
const char kExitQuestion[] = "カモルテ（臭気指数第２号規制基準算定ソフト）を　\n終了しますか？";
const char kRealHeightTopic[] = "「排出口の実高さ」 とは";
constexpr int kOutletField = 1003;
constexpr int kBuildingField = 1004;
constexpr int kNext = 1032;
// The case screens
constexpr int kNo1Field = 1013;
constexpr int kSmallOutlet = 1014;
constexpr int kCalculate = 1029;
constexpr int kBackToMenu = 1030;
constexpr int kNo2Shown = 1064;
constexpr int kNo1Part = 1085;
constexpr int kDilutionPart = 1065;
constexpr int kRealHeightCommand = 32787;
constexpr int kAboutCommand = 104;

bool gWalk = false;

bool IsStartMenu(HWND w) {
    return TextOf(w) == kTitle && GetDlgItem(w, kOutletField) != nullptr;
}
bool IsCaseA(HWND w) {
    return TextOf(w) == kTitle && HasChildText(w, kCaseATitle);
}
bool IsCaseB(HWND w) {
    return TextOf(w) == kTitle && HasChildText(w, kCaseBTitle);
}
bool IsCaseD(HWND w) {
    return TextOf(w) == kTitle && HasChildText(w, kCaseDTitle);
}
bool IsExitQuestion(HWND w) {
    return TextOf(w) == "終了確認";
}
bool IsAboutBox(HWND w) {
    return TextOf(w) == "カモルテについて";
}
bool IsRealHeightTopic(HWND w) {
    return TextOf(w) == kRealHeightTopic;
}

bool Fail(const char *what) {
    std::printf("FAILED: %s\n", what);
    std::fflush(stdout);
    return false;
}

HWND Missing(const char *what) {
    Fail(what);
    return nullptr;
}

// In walk mode: a picture of the window for the screenshot script.
void Shot(const char *name, HWND window) {
    if (gWalk)
        ReportShot(name, window, 300);
}

bool Start(const char *program) {
    if (!StartProgram(program))
        return Fail("the program did not start");
    return true;
}

// Opens a window through a command of the start menu, shows it and closes it again.
void VisitWindow(HWND menu, int command, bool (*match)(HWND), const char *name) {
    PostMessageA(menu, WM_COMMAND, command, 0);
    Settle(menu);
    HWND window = WaitForWindow(match, 5000);
    if (window == nullptr) {
        std::printf("note: %s did not open\n", name);
        return;
    }
    Shot(name, window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    Settle(window);
}

// From the start menu with the given heights to the screen that 次へ opens.
HWND Next(HWND menu, const char *outlet, const char *building, bool (*screen)(HWND)) {
    SetField(menu, kOutletField, outlet);
    if (building != nullptr)
        SetField(menu, kBuildingField, building);
    Settle(menu);
    Click(menu, kNext);
    return WaitForWindow(screen, 10000);
}

// 計算する on a low-outlet screen, then the output line as the window shows it.
bool ComputeLowOutlet(HWND screen, const char *no2, const char *no1Part, const char *dilution) {
    Click(screen, kCalculate);
    const std::string shown = TextOf(GetDlgItem(screen, kNo2Shown));
    std::printf("No. 2 standard shown: %s\n", shown.c_str());
    if (shown != no2)
        return Fail("another No. 2 standard is shown");
    if (TextOf(GetDlgItem(screen, kNo1Part)) != no1Part ||
        TextOf(GetDlgItem(screen, kDilutionPart)) != dilution)
        return Fail("the output line reads otherwise");
    return true;
}

// Case A: 5 m, No. 1 standard 12, small: 12 + 10 log10(0.69 × 7.5²) ≈ 27.9. Then case B
// with what case A kept and a 12 m building: He = 12 m, 12 + 10 log10(0.69 × 12²) ≈ 32.0.
// Ends on a new start menu, returned.
HWND VisitLowOutlets(HWND menu) {
    HWND caseA = Next(menu, "5", nullptr, IsCaseA);
    if (caseA == nullptr)
        return Missing("the case A screen did not appear");
    std::printf("case A screen shown\n");
    SetField(caseA, kNo1Field, "12");
    Click(caseA, kSmallOutlet);
    if (!ComputeLowOutlet(caseA, "28", "（ ＝ １号基準(12) ＋", "(16) ）"))
        return nullptr;
    Shot("case_a", caseA);
    Click(caseA, kBackToMenu);

    menu = WaitForWindow(IsStartMenu, 10000);
    if (menu == nullptr)
        return Missing("メニューに戻る did not return to the start menu");
    HWND caseB = Next(menu, "10", "12", IsCaseB);
    if (caseB == nullptr)
        return Missing("the case B screen did not appear");
    std::printf("case B screen shown\n");
    if (!ComputeLowOutlet(caseB, "32", "（ ＝ １号基準(12) ＋", "(20) ）"))
        return nullptr;
    Shot("case_b", caseB);
    Click(caseB, kBackToMenu);
    menu = WaitForWindow(IsStartMenu, 10000);
    if (menu == nullptr)
        return Missing("メニューに戻る did not return to the start menu from case B");
    return menu;
}

bool Drive() {
    HWND menu = WaitForWindow(IsStartMenu, 60000);
    if (menu == nullptr)
        return Fail("no start menu");
    std::printf("start menu found\n");
    Shot("start_menu", menu);
    if (gWalk) {
        VisitWindow(menu, kAboutCommand, IsAboutBox, "about_box");
        VisitWindow(menu, kRealHeightCommand, IsRealHeightTopic, "help_real_height");
    }
    menu = VisitLowOutlets(menu);
    if (menu == nullptr)
        return false;

    SendMessageA(GetDlgItem(menu, kOutletField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("30"));
    SendMessageA(GetDlgItem(menu, kBuildingField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("10"));
    Settle(menu);
    if (!IsWindowEnabled(GetDlgItem(menu, kNext)))
        return Fail("次へ stays disabled with outlet 30 m and building 10 m");
    Shot("start_menu_filled", menu);
    PostMessageA(GetDlgItem(menu, kNext), BM_CLICK, 0, 0);
    Settle(menu);

    HWND caseD = WaitForWindow(IsCaseD, 10000);
    if (caseD == nullptr)
        return Fail("the case D screen did not appear");
    for (int i = 0; i < 50 && IsWindow(menu); ++i)
        Sleep(100);
    if (IsWindow(menu))
        return Fail("the start menu was not closed");
    std::printf("case D screen shown\n");
    Shot("case_d", caseD);

    PostMessageA(caseD, WM_COMMAND, IDCANCEL, 0);
    Settle(caseD);
    HWND question = WaitForWindow(IsExitQuestion, 10000);
    if (question == nullptr)
        return Fail("no exit question after Esc");
    if (!HasChildText(question, kExitQuestion))
        return Fail("the exit question has another text");
    Shot("exit_question", question);
    PostMessageA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);

    if (WaitForSingleObject(gProgram.hProcess, 20000) != WAIT_OBJECT_0)
        return Fail("the program did not end after Yes");
    DWORD code = 1;
    GetExitCodeProcess(gProgram.hProcess, &code);
    if (code != 0)
        return Fail("the exit code is not 0");
    std::printf("program ended with exit code 0\n");
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 || (std::strcmp(argv[1], "check") != 0 && std::strcmp(argv[1], "walk") != 0)) {
        std::printf("usage: kamorte_driver check|walk PROGRAM\n");
        return 2;
    }
    gWalk = std::strcmp(argv[1], "walk") == 0;
    if (!Start(argv[2]))
        return 1;
    bool ok = Drive();
    if (!ok && WaitForSingleObject(gProgram.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(gProgram.hProcess, 1);
    CloseHandle(gProgram.hThread);
    CloseHandle(gProgram.hProcess);
    return ok ? 0 : 1;
}
