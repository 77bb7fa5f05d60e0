// Drives the real program from another process with window messages only, as a person at
// the keyboard would: the heights into the start menu, 次へ, a case screen, and at the end
// the exit question.
//
//   kamorte_driver check PROGRAM   a low outlet computed on the case A and B screens (the
//                                  shown No. 2 standard read back), then the example outlet
//                                  computed on the case D screen and a wet flow with both
//                                  distances omitted on the case C screen (every result text
//                                  read back), and a clean exit
//   kamorte_driver time PROGRAM    the time from 計算する to the result text on the case D
//                                  screen: the first click after start-up (ten starts) and
//                                  later clicks (ten in one run), medians in milliseconds
//   kamorte_driver walk PROGRAM    the same, stopping at every screen: prints "shot NAME"
//                                  with the window's and then the client area's left, top,
//                                  right and bottom on the desktop, and waits for a line on
//                                  standard input (the screenshot script answers)
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "program_driver.h"

namespace {

using namespace driving;

const char kTitle[] = "カモルテ（臭気指数第２号規制基準算定ソフト）";
const char kCaseATitle[] = "Ａ．排出口高さが 6.7m 未満の場合";
const char kCaseBTitle[] = "Ｂ．排出口高さが 6.7m 以上 15m 未満の場合";
const char kCaseCTitle[] = "Ｃ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍未満の場合";
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
// The tall-outlet screens
constexpr int kDiameter = 1011;
constexpr int kUpward = 1014;
constexpr int kTemperature = 1008;
constexpr int kDryRadio = 1022;
constexpr int kDryFlow = 1010;
constexpr int kWetRadio = 1027;
constexpr int kWetFlow = 1031;
constexpr int kMoisture = 1007;
constexpr int kOutletBoundary = 1004;
constexpr int kBuildingBoundary = 1003;
constexpr int kOutletIndex = 1044;
constexpr int kPrint = 1020;
constexpr int kMapAdjust = 1021;
constexpr int kRealHeightCommand = 32787;
constexpr int kAboutCommand = 104;

bool gWalk = false;

bool IsStartMenu(HWND w) {
    // The case screens have a field 1003 too, but no 次へ.
    return TextOf(w) == kTitle && GetDlgItem(w, kOutletField) != nullptr &&
           GetDlgItem(w, kCalculate) == nullptr;
}
bool IsCaseA(HWND w) {
    return TextOf(w) == kTitle && HasChildText(w, kCaseATitle);
}
bool IsCaseB(HWND w) {
    return TextOf(w) == kTitle && HasChildText(w, kCaseBTitle);
}
bool IsCaseC(HWND w) {
    return TextOf(w) == kTitle && HasChildText(w, kCaseCTitle);
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

struct ShownText {
    int control;
    const char *name;
    const char *expected;
};

// 計算する, then waits for the outlet index: the milliseconds from the click to the text.
double CalculateAndTime(HWND screen) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PostMessageA(GetDlgItem(screen, kCalculate), BM_CLICK, 0, 0);
    for (int i = 0; i < 6000; ++i) {
        // WM_GETTEXT waits while the program computes; the text is there once it answers.
        if (!TextOf(GetDlgItem(screen, kOutletIndex)).empty())
            break;
        Sleep(1);
    }
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Reads every result text of a tall-outlet screen back from the window.
bool ExpectTexts(HWND screen, const ShownText *texts, size_t count) {
    bool ok = true;
    for (size_t i = 0; i < count; ++i) {
        const std::string shown = TextOf(GetDlgItem(screen, texts[i].control));
        std::printf("  %s: \"%s\"\n", texts[i].name, shown.c_str());
        if (shown != texts[i].expected) {
            std::printf("FAILED: %s shows \"%s\", not \"%s\"\n", texts[i].name, shown.c_str(),
                        texts[i].expected);
            ok = false;
        }
    }
    std::fflush(stdout);
    return ok;
}

// The example outlet into the case D screen's fields.
void FillExampleOutlet(HWND caseD) {
    SetField(caseD, kNo1Field, "12");
    SetField(caseD, kDiameter, "1");
    Click(caseD, kUpward);
    SetField(caseD, kTemperature, "80");
    Click(caseD, kDryRadio);
    SetField(caseD, kDryFlow, "300");
    SetField(caseD, kMoisture, "10");
    SetField(caseD, kOutletBoundary, "50");
    SetField(caseD, kBuildingBoundary, "20");
    Settle(caseD);
}

// The example outlet: 9.1 × 10^6 m³N/min, index 45 = 12 + 33, landing 649 m downwind.
bool ComputeCaseD(HWND caseD) {
    FillExampleOutlet(caseD);
    const double ms = CalculateAndTime(caseD);
    std::printf("case D computed in %.0f ms\n", ms);
    static const ShownText texts[] = {
        {1048, "rate mantissa", "9.1×10"},
        {1049, "rate exponent", "6"},
        {kOutletIndex, "outlet index", "45        （＝1号基準（12）＋希釈度（33））"},
        {1045, "dry flow", "300"},
        {1081, "colour bar top", "  80"},
        {1083, "colour bar middle", "  55"},
        {1082, "colour bar bottom", "  30"},
        {1046, "height axis", " 100m"},
        {1047, "distance axis", "風下距離 1000m"},
        {1089, "site boundary", "50"},
        {1077, "landing distance", "  649"},
        {1080, "landing dilution", "33"},
    };
    if (!ExpectTexts(caseD, texts, sizeof texts / sizeof texts[0]))
        return false;
    if (!IsWindowEnabled(GetDlgItem(caseD, kPrint)) ||
        !IsWindowEnabled(GetDlgItem(caseD, kMapAdjust)))
        return Fail("印刷する or マップを調整する stays disabled with a result");
    return true;
}

// Case C, 20 m outlet by a 15 m building: wet flow 200 at 20 % moisture, both distances
// left empty. Strong downwash; the site-boundary row stays empty.
bool ComputeCaseC(HWND caseC) {
    SetField(caseC, kNo1Field, "12");
    Click(caseC, kWetRadio);
    SetField(caseC, kWetFlow, "200");
    SetField(caseC, kMoisture, "20");
    SetField(caseC, kOutletBoundary, "");
    SetField(caseC, kBuildingBoundary, "");
    Settle(caseC);
    const double ms = CalculateAndTime(caseC);
    std::printf("case C computed in %.0f ms\n", ms);
    static const ShownText texts[] = {
        {1048, "rate mantissa", "9.8×10"},
        {1049, "rate exponent", "4"},
        {kOutletIndex, "outlet index", "28        （＝1号基準（12）＋希釈度（16））"},
        {1045, "dry flow", "160"},
        {1080, "colour bar top", "  60"},
        {1082, "colour bar middle", "  35"},
        {1081, "colour bar bottom", "  10"},
        {1046, "height axis", "  50m"},
        {1047, "distance axis", "風下距離  100m"},
        {1089, "site boundary", ""},
        {1077, "landing distance", "    1"},
        {1079, "landing dilution", "16"},
    };
    return ExpectTexts(caseC, texts, sizeof texts / sizeof texts[0]);
}

// From the start menu to the case D screen of the example outlet's heights.
HWND OpenCaseD(HWND menu) {
    HWND caseD = Next(menu, "30", "10", IsCaseD);
    for (int i = 0; i < 50 && caseD != nullptr && IsWindow(menu); ++i)
        Sleep(100);
    return caseD;
}

bool AnswerExitQuestion(HWND screen) {
    PostMessageA(screen, WM_COMMAND, IDCANCEL, 0);
    Settle(screen);
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
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Ten starts for the first click, ten more clicks in the first run for the later ones.
bool Time(const char *program) {
    std::vector<double> first, later;
    for (int run = 0; run < 10; ++run) {
        if (!StartProgram(program))
            return Fail("the program did not start");
        HWND menu = WaitForWindow(IsStartMenu, 60000);
        HWND caseD = menu != nullptr ? OpenCaseD(menu) : nullptr;
        if (caseD == nullptr)
            return Fail("no case D screen");
        FillExampleOutlet(caseD);
        first.push_back(CalculateAndTime(caseD));
        for (int click = 0; run == 0 && click < 10; ++click) {
            // An edit withdraws the result, so the next text is the next calculation's.
            SetField(caseD, kMoisture, click % 2 ? "10" : "11");
            Settle(caseD);
            later.push_back(CalculateAndTime(caseD));
        }
        if (!AnswerExitQuestion(caseD))
            return false;
        CloseHandle(gProgram.hThread);
        CloseHandle(gProgram.hProcess);
    }
    std::printf("first click after start-up: median %.0f ms (min %.0f, max %.0f, n=%zu)\n",
                Median(first), *std::min_element(first.begin(), first.end()),
                *std::max_element(first.begin(), first.end()), first.size());
    std::printf("later clicks: median %.0f ms (min %.0f, max %.0f, n=%zu)\n", Median(later),
                *std::min_element(later.begin(), later.end()),
                *std::max_element(later.begin(), later.end()), later.size());
    return true;
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
    if (!ComputeCaseD(caseD))
        return false;
    Shot("case_d_result", caseD);
    Click(caseD, kBackToMenu);

    menu = WaitForWindow(IsStartMenu, 10000);
    if (menu == nullptr)
        return Fail("メニューに戻る did not return to the start menu from case D");
    HWND caseC = Next(menu, "20", "15", IsCaseC);
    if (caseC == nullptr)
        return Fail("the case C screen did not appear");
    std::printf("case C screen shown\n");
    Shot("case_c", caseC);
    if (!ComputeCaseC(caseC))
        return false;
    Shot("case_c_result", caseC);
    if (!AnswerExitQuestion(caseC))
        return false;
    std::printf("program ended with exit code 0\n");
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 || (std::strcmp(argv[1], "check") != 0 && std::strcmp(argv[1], "walk") != 0 &&
                      std::strcmp(argv[1], "time") != 0)) {
        std::printf("usage: kamorte_driver check|walk|time PROGRAM\n");
        return 2;
    }
    if (std::strcmp(argv[1], "time") == 0)
        return Time(argv[2]) ? 0 : 1;
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
