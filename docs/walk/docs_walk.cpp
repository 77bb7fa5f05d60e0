// Walks the real program for the pictures of the user manual, with window messages only,
// and stops at every window the manual shows. It speaks the protocol of
// tools/screenshots.sh: for each picture it prints "shot NAME" with the window's and then
// the client area's left, top, right and bottom on the desktop, and waits for a line on
// standard input before it goes on.
//
//   docs_walk walk PROGRAM
//
// Screens and dialogs that the program does not have yet are passed over with a line
// "missing NAME: why"; the manual then describes them without a picture. The walk ends
// with the exit question, answered Yes.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/win/program_driver.h"

namespace {

using namespace driving;

const char kCaseTitle[4][96] = {
    "Ａ．排出口高さが 6.7m 未満の場合",
    "Ｂ．排出口高さが 6.7m 以上 15m 未満の場合",
    "Ｃ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍未満の場合",
    "Ｄ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍以上の場合",
};

// Start menu
constexpr int kMenuOutlet = 1003;
constexpr int kMenuBuilding = 1004;
constexpr int kNext = 1032;
// Case screens
constexpr int kOutlet = 1012;
constexpr int kBuilding = 1005;
constexpr int kNo1 = 1013;
constexpr int kCalculate = 1029;
constexpr int kBackToMenu = 1030;
constexpr int kPrint = 1020;
constexpr int kMapAdjust = 1021;
constexpr int kMapControl = 1028;
// The map-adjustment dialog
constexpr int kMapRange = 1021;
constexpr int kOutletIndexResult = 1044;
constexpr int kLowNo2Result = 1064;
// The verdict rows of every case screen
constexpr int kMeasuredIndex = 1301;
constexpr int kVerdict = 1302;
constexpr int kSolveHeight = 1305;
constexpr int kSolvedHeight = 1306;
constexpr int kTopicVerdict = 32820;
// Cases A and B
constexpr int kSmall = 1014;
constexpr int kMedium = 1015;
// Cases C and D
constexpr int kDiameterRadio = 1024;
constexpr int kDiameter = 1011;
constexpr int kUpward = 1014;
constexpr int kTemperature = 1008;
constexpr int kDryRadio = 1022;
constexpr int kDryFlow = 1010;
constexpr int kMoisture = 1007;
constexpr int kOutletBoundary = 1004;
constexpr int kBuildingBoundary = 1003;
// Menu commands
constexpr int kAboutCommand = 104;
constexpr int kTopicStandards = 32784;
constexpr int kTopicRealHeight = 32787;
constexpr int kTopicFlow = 32789;
constexpr int kTopicVelocity = 32790;
constexpr int kTopicDilution = 32806;
// Calculator fields
constexpr int kCalcResult = 1003;

int gShots = 0;

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool WaitUntilGone(HWND window, DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 100) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(100);
    }
    return false;
}

struct ChildTexts {
    std::vector<std::string> texts;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
    reinterpret_cast<ChildTexts *>(lParam)->texts.push_back(TextOf(child));
    return TRUE;
}

std::vector<std::string> ChildTextsOf(HWND window) {
    ChildTexts all;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all.texts;
}

bool HasChildText(HWND window, const char *text) {
    for (const std::string &t : ChildTextsOf(window))
        if (t == text)
            return true;
    return false;
}

void Say(const std::string &line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void Missing(const char *name, const char *why) {
    Say(std::string("missing ") + name + ": " + why);
}

// A picture of the window for the screenshot script.
void Shot(const char *name, HWND window) {
    ReportShot(name, window, 400);
    ++gShots;
}

// The pointer rests off every window, so that no term label is drawn in its hover colour.
void PointerAway() {
    SetCursorPos(1279, 899);
}

void Command(HWND window, int command) {
    PostMessageA(window, WM_COMMAND, command, 0);
    Settle(window);
}

bool CaptionIs(HWND w, const char *caption) {
    return TextOf(w) == caption;
}

HWND MessageBoxWindow(const char *caption, DWORD milliseconds) {
    return WaitForWindow([caption](HWND w) { return CaptionIs(w, caption); }, milliseconds);
}

// Answers a message box with one of its buttons and waits until it has gone.
void Answer(HWND box, int button) {
    HWND b = GetDlgItem(box, button);
    if (b != nullptr)
        PostMessageA(b, BM_CLICK, 0, 0);
    else
        PostMessageA(box, WM_COMMAND, button, 0);
    WaitUntilGone(box, 5000);
}

// Any parameter message that the walk did not expect is logged and closed.
bool ClearUnexpectedMessages() {
    bool found = false;
    while (HWND box = MessageBoxWindow("パラメータエラー", 300)) {
        std::string text;
        for (const std::string &t : ChildTextsOf(box))
            if (!t.empty() && t != "OK" && t != "はい(&Y)" && t != "いいえ(&N)")
                text += t + " ";
        Say("note: unexpected message: " + text);
        Answer(box, GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK);
        found = true;
    }
    return found;
}

HWND WaitForStartMenu() {
    return WaitForWindow(IsStartMenu, 15000);
}

HWND WaitForCase(int index) {
    return WaitForWindow(
        [index](HWND w) { return TextOf(w) == kTitle && HasChildText(w, kCaseTitle[index]); },
        15000);
}

// A case screen counts as built once it has its calculate button and its outlet field.
bool ScreenBuilt(HWND screen) {
    return GetDlgItem(screen, kCalculate) != nullptr && GetDlgItem(screen, kOutlet) != nullptr;
}

HWND BackToMenu(HWND screen) {
    if (!Click(screen, kBackToMenu))
        Command(screen, kBackToMenu);
    return WaitForStartMenu();
}

HWND OpenFromStartMenu(HWND menu, const char *outlet, const char *building, int index) {
    SetField(menu, kMenuOutlet, outlet);
    SetField(menu, kMenuBuilding, building);
    Settle(menu);
    if (!Click(menu, kNext)) {
        Say("note: the next button stays disabled");
        return nullptr;
    }
    return WaitForCase(index);
}

// One visit of a window opened by a menu command, closed again with OK.
void VisitCommand(HWND screen, int command, const char *caption, const char *name,
                  const std::function<void(HWND)> &fill = nullptr) {
    Command(screen, command);
    HWND window = MessageBoxWindow(caption, 5000);
    if (window == nullptr) {
        Missing(name, "the window did not open");
        return;
    }
    if (fill) {
        fill(window);
        Settle(window);
    }
    Shot(name, window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    WaitUntilGone(window, 5000);
    Settle(screen);
}

// A drop-down menu of the menu bar, opened as Alt and its letter would, then closed.
void VisitMenu(HWND screen, char letter, const char *name) {
    PostMessageA(screen, WM_SYSCOMMAND, SC_KEYMENU, letter);
    HWND popup = WaitForWindow([](HWND w) { return ClassOf(w) == "#32768"; }, 3000);
    if (popup == nullptr) {
        Missing(name, "the menu did not drop down");
    } else {
        Shot(name, popup);
    }
    for (int i = 0; i < 2; ++i) {
        PostMessageA(screen, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(screen, WM_KEYUP, VK_ESCAPE, 0);
        Settle(screen);
    }
    if (popup != nullptr && !WaitUntilGone(popup, 3000))
        Say("note: the menu stayed open");
    Settle(screen);
}

// Calculates and waits for the result text; returns whether one came.
bool Calculate(HWND screen, int resultControl) {
    if (!Click(screen, kCalculate))
        return false;
    for (int i = 0; i < 300; ++i) {
        if (!TextOf(GetDlgItem(screen, resultControl)).empty())
            return true;
        if (ClearUnexpectedMessages())
            return false;
        Sleep(100);
    }
    return false;
}

// A measured index judged on a computed screen; with search, the complying height looked
// for as well. The picture once the rows read.
void ShotVerdict(HWND screen, const char *measured, bool search, const char *name) {
    SetField(screen, kMeasuredIndex, measured);
    Settle(screen);
    const int awaited = search ? kSolvedHeight : kVerdict;
    if (search && !Click(screen, kSolveHeight)) {
        Missing(name, "the complying-height button cannot be pressed");
        return;
    }
    for (int i = 0; i < 600 && TextOf(GetDlgItem(screen, awaited)).empty(); ++i)
        Sleep(100);
    if (TextOf(GetDlgItem(screen, awaited)).empty()) {
        Missing(name, "the verdict rows stay empty");
        return;
    }
    PointerAway();
    Shot(name, screen);
}

// The print-information dialog, shown and cancelled (OK would print).
void VisitPrintInfo(HWND screen, const char *name) {
    if (!Click(screen, kPrint)) {
        Missing(name, "the print button is not there or not enabled");
        return;
    }
    HWND dialog = MessageBoxWindow("印刷情報", 5000);
    if (dialog == nullptr) {
        Missing(name, "the print-information dialog did not open");
        return;
    }
    SetField(dialog, 1021, "環境　一郎");
    SetField(dialog, 1022, "○○化学工業株式会社　△△工場");
    SetField(dialog, 1023, "乾燥炉排気筒");
    Shot(name, dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (!WaitUntilGone(dialog, 5000))
        Say("note: the print-information dialog stayed open");
    Settle(screen);
}

// The adjustment dialog over its screen, then the map redrawn for a range of 2000 m.
void VisitMapAdjust(HWND screen) {
    if (!Click(screen, kMapAdjust)) {
        Missing("map_adjust", "the map-adjustment button is not there or not enabled");
        return;
    }
    HWND dialog = MessageBoxWindow("希釈度マップの調整", 5000);
    if (dialog == nullptr) {
        Missing("map_adjust", "the map-adjustment dialog did not open");
        return;
    }
    SetField(dialog, kMapRange, "2000");
    Settle(dialog);
    Shot("map_adjust_screen", screen);
    Shot("map_adjust", dialog);
    ReportComposite("map_adjust_over_screen", "map_adjust_screen", "map_adjust");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (!WaitUntilGone(dialog, 5000)) {
        Say("note: the map-adjustment dialog stayed open");
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        WaitUntilGone(dialog, 5000);
    }
    Settle(screen);
    Shot("map_adjusted", screen);
}

// The pointer over the middle of the map, for the cursor readout.
void PointAtMap(HWND screen) {
    HWND map = GetDlgItem(screen, kMapControl);
    if (map == nullptr)
        return;
    RECT r;
    GetWindowRect(map, &r);
    SetCursorPos(r.left + (r.right - r.left) * 3 / 10, r.bottom - 12 - (r.bottom - r.top - 12) / 5);
    Sleep(300);
    Settle(screen);
}

HWND WalkCaseA(HWND menu) {
    HWND screen = OpenFromStartMenu(menu, "5", "", 0);
    if (screen == nullptr) {
        Missing("case_a", "the case A screen did not open");
        return WaitForStartMenu();
    }
    if (!ScreenBuilt(screen)) {
        Missing("case_a", "the case A screen is not built yet");
        Missing("case_a_result", "the case A screen is not built yet");
        return BackToMenu(screen);
    }
    Shot("case_a", screen);
    SetField(screen, kNo1, "12");
    Click(screen, kSmall);
    if (Calculate(screen, kLowNo2Result)) {
        Shot("case_a_result", screen);
        ShotVerdict(screen, "30", true, "case_a_verdict");
    } else {
        Missing("case_a_result", "no result after the calculate button");
    }
    SetField(screen, kMeasuredIndex, "");

    // The question that offers the screen of another case.
    SetField(screen, kOutlet, "8");
    Click(screen, kCalculate);
    if (HWND question = MessageBoxWindow("パラメータエラー", 5000)) {
        Shot("question_switch", question);
        Answer(question, IDNO);
    } else {
        Missing("question_switch", "no question for an outlet of 8 m on the case A screen");
    }
    SetField(screen, kOutlet, "5");
    if (Calculate(screen, kLowNo2Result))
        VisitPrintInfo(screen, "print_info_low");
    else
        Missing("print_info_low", "no result after the calculate button");
    return BackToMenu(screen);
}

HWND WalkCaseB(HWND menu) {
    HWND screen = OpenFromStartMenu(menu, "10", "8", 1);
    if (screen == nullptr) {
        Missing("case_b", "the case B screen did not open");
        return WaitForStartMenu();
    }
    if (!ScreenBuilt(screen)) {
        Missing("case_b_result", "the case B screen is not built yet");
        return BackToMenu(screen);
    }
    SetField(screen, kNo1, "12");
    Click(screen, kMedium);
    if (Calculate(screen, kLowNo2Result)) {
        Shot("case_b_result", screen);
        ShotVerdict(screen, "22", false, "case_b_verdict");
    } else {
        Missing("case_b_result", "no result after the calculate button");
    }
    SetField(screen, kMeasuredIndex, "");
    return BackToMenu(screen);
}

HWND WalkCaseC(HWND menu) {
    HWND screen = OpenFromStartMenu(menu, "25", "20", 2);
    if (screen == nullptr) {
        Missing("case_c", "the case C screen did not open");
        return WaitForStartMenu();
    }
    if (!ScreenBuilt(screen)) {
        Missing("case_c", "the case C screen is not built yet");
        Missing("case_c_result", "the case C screen is not built yet");
        return BackToMenu(screen);
    }
    PointerAway();
    Shot("case_c", screen);
    SetField(screen, kNo1, "12");
    Click(screen, kDryRadio);
    SetField(screen, kDryFlow, "200");
    SetField(screen, kOutletBoundary, "15");
    SetField(screen, kBuildingBoundary, "10");
    if (Calculate(screen, kOutletIndexResult)) {
        PointerAway();
        Shot("case_c_result", screen);
        ShotVerdict(screen, "33", true, "case_c_verdict");
        SetField(screen, kMeasuredIndex, "");
    } else {
        Missing("case_c_result", "no result after the calculate button");
    }
    return BackToMenu(screen);
}

HWND WalkCaseD(HWND menu) {
    HWND screen = OpenFromStartMenu(menu, "30", "10", 3);
    if (screen == nullptr) {
        Missing("case_d", "the case D screen did not open");
        return WaitForStartMenu();
    }
    if (!ScreenBuilt(screen)) {
        for (const char *name :
             {"case_d", "case_d_result", "map_readout", "map_adjust", "print_info"})
            Missing(name, "the case D screen is not built yet");
        return BackToMenu(screen);
    }
    PointerAway();
    Shot("case_d", screen);
    SetField(screen, kNo1, "12");
    Click(screen, kDiameterRadio);
    SetField(screen, kDiameter, "1");
    Click(screen, kUpward);
    SetField(screen, kTemperature, "80");
    Click(screen, kDryRadio);
    SetField(screen, kDryFlow, "300");
    SetField(screen, kMoisture, "10");
    SetField(screen, kOutletBoundary, "50");
    SetField(screen, kBuildingBoundary, "20");
    if (Calculate(screen, kOutletIndexResult)) {
        PointerAway();
        Shot("case_d_result", screen);
        PointAtMap(screen);
        Shot("map_readout", screen);
        PointerAway();
        VisitMapAdjust(screen);
        VisitPrintInfo(screen, "print_info");
        ShotVerdict(screen, "48", true, "case_d_verdict");
    } else {
        for (const char *name : {"case_d_result", "map_readout", "map_adjust", "print_info"})
            Missing(name, "no result after the calculate button");
    }
    return BackToMenu(screen);
}

bool WalkFailed(const char *what) {
    Say(std::string("FAILED: ") + what);
    return false;
}

bool Walk() {
    PointerAway();
    HWND menu = WaitForStartMenu();
    if (menu == nullptr)
        return WalkFailed("no start menu");
    Shot("start_menu", menu);

    VisitMenu(menu, 'f', "menu_file");
    VisitMenu(menu, 'h', "menu_terms");
    VisitCommand(menu, kAboutCommand, "カモルテについて", "about_box");
    VisitCommand(menu, kTopicRealHeight, "「排出口の実高さ」 とは", "help_real_height");
    VisitCommand(menu, kTopicStandards, "「1号基準、2号基準」 とは", "help_standards");
    VisitCommand(menu, kTopicDilution, "「希釈度」 とは", "help_dilution");
    VisitCommand(menu, kTopicVerdict, "排出口の臭気指数（測定値）と適合の判定", "help_verdict");
    VisitCommand(menu, kTopicFlow, "「排出ガス流量」 とは", "help_flow", [](HWND d) {
        SetField(d, 1021, "0.785");
        SetField(d, 1023, "10");
        SetField(d, 1022, "80");
        SetField(d, 1024, "10");
        if (TextOf(GetDlgItem(d, kCalcResult)).empty())
            Say("note: the flow calculator shows no result");
    });
    VisitCommand(menu, kTopicVelocity, "「排出ガス吐出速度」 とは", "help_velocity", [](HWND d) {
        SetField(d, 1021, "12");
        SetField(d, 1023, "0.05");
        SetField(d, 1022, "0.2");
        if (TextOf(GetDlgItem(d, kCalcResult)).empty())
            Say("note: the velocity calculator shows no result");
    });

    // The start menu with a low outlet (the building field is not needed) and a tall one.
    SetField(menu, kMenuOutlet, "5");
    SetField(menu, kMenuBuilding, "");
    Shot("start_menu_low", menu);
    SetField(menu, kMenuOutlet, "30");
    SetField(menu, kMenuBuilding, "10");
    Shot("start_menu_filled", menu);

    // A height the start menu refuses.
    SetField(menu, kMenuOutlet, "450");
    if (Click(menu, kNext)) {
        if (HWND box = MessageBoxWindow("パラメータエラー", 5000)) {
            Shot("message_error", box);
            Answer(box, IDOK);
        } else {
            Missing("message_error", "no message for an outlet of 450 m");
        }
    }
    Settle(menu);

    menu = WalkCaseA(menu);
    if (menu == nullptr)
        return WalkFailed("no start menu after case A");
    menu = WalkCaseB(menu);
    if (menu == nullptr)
        return WalkFailed("no start menu after case B");
    menu = WalkCaseC(menu);
    if (menu == nullptr)
        return WalkFailed("no start menu after case C");
    menu = WalkCaseD(menu);
    if (menu == nullptr)
        return WalkFailed("no start menu after case D");

    PointerAway();
    Command(menu, IDCANCEL);
    HWND question = MessageBoxWindow("終了確認", 10000);
    if (question == nullptr)
        return WalkFailed("no exit question");
    Shot("exit_question", question);
    Answer(question, IDYES);
    if (WaitForSingleObject(gProgram.hProcess, 20000) != WAIT_OBJECT_0)
        return WalkFailed("the program did not end after Yes");
    Say("walk done: " + std::to_string(gShots) + " pictures");
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 || std::strcmp(argv[1], "walk") != 0) {
        std::printf("usage: docs_walk walk PROGRAM\n");
        return 2;
    }
    if (!StartProgram(argv[2])) {
        std::printf("FAILED: the program did not start\n");
        return 1;
    }
    bool ok = Walk();
    if (!ok && !ProgramEnded())
        TerminateProcess(gProgram.hProcess, 1);
    CloseHandle(gProgram.hThread);
    CloseHandle(gProgram.hProcess);
    return ok ? 0 : 1;
}
