// Drives the real program from another process with window messages only, as a person at
// the keyboard would: the heights into the start menu, 次へ, a case screen, and at the end
// the exit question.
//
//   kamorte_driver check PROGRAM   a low outlet computed on the case A and B screens (the
//                                  shown No. 2 standard read back), then the example outlet
//                                  computed on the case D screen, its map's range set to
//                                  2000 m in the adjustment dialog (read back on the screen
//                                  and in the dialog opened again), and a wet flow with both
//                                  distances omitted on the case C screen (every result text
//                                  read back), a CSV file of outlets run through
//                                  ファイル > 一括計算（CSV）... (the paths typed into the
//                                  real open and save dialogs, the result file and the
//                                  closing message read back), and a clean exit
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
// The verdict rows of every case screen
constexpr int kMeasuredIndex = 1301;
constexpr int kVerdict = 1302;
constexpr int kReduction = 1304;
constexpr int kSolveHeight = 1305;
constexpr int kSolvedHeight = 1306;
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
constexpr int kDistanceAxis = 1047;
// The map-adjustment dialog
constexpr int kMapRange = 1021;
constexpr int kRealHeightCommand = 32787;
constexpr int kAboutCommand = 104;
constexpr int kBatchCommand = 32810;
constexpr int kBatchRows = 1202;
// The file name box of the common dialogs: a combo box in the explorer style, an edit
// control in the old one.
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

bool gWalk = false;

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
bool IsMapAdjust(HWND w) {
    return TextOf(w) == "希釈度マップの調整";
}
bool IsRealHeightTopic(HWND w) {
    return TextOf(w) == kRealHeightTopic;
}

bool IsBatchOpenDialog(HWND w) {
    return TextOf(w) == "一括計算する CSV ファイルを開く";
}
bool IsBatchSaveDialog(HWND w) {
    return TextOf(w) == "計算結果の保存先";
}
bool IsBatchWindow(HWND w) {
    return TextOf(w) == "一括計算（CSV）" && GetDlgItem(w, IDCANCEL) != nullptr &&
           GetDlgItem(w, IDOK) == nullptr;
}
bool IsBatchMessage(HWND w) {
    return TextOf(w) == "一括計算（CSV）" && GetDlgItem(w, IDOK) != nullptr;
}
bool IsPopupMenu(HWND w) {
    char name[16] = "";
    GetClassNameA(w, name, sizeof name);
    return std::strcmp(name, "#32768") == 0;
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
    // The click is posted: under load the program may not have taken it yet when the
    // driver is back, so wait for the output line rather than read it once.
    HWND no2Control = GetDlgItem(screen, kNo2Shown);
    for (int i = 0; i < 1000 && TextOf(no2Control).empty(); ++i)
        Sleep(10);
    const std::string shown = TextOf(no2Control);
    std::printf("No. 2 standard shown: %s\n", shown.c_str());
    if (shown != no2)
        return Fail("another No. 2 standard is shown");
    if (TextOf(GetDlgItem(screen, kNo1Part)) != no1Part ||
        TextOf(GetDlgItem(screen, kDilutionPart)) != dilution)
        return Fail("the output line reads otherwise");
    return true;
}

struct ShownText {
    int control;
    const char *name;
    const char *expected;
};

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

// A measured index typed into a computed screen (or, without one, a press of
// 適合する高さを調べる) and the verdict rows read back.
struct VerdictStep {
    const char *measured; // nullptr: search for the complying height
    const char *verdict;
    const char *reduction;
    const char *answer;
};

bool ExpectVerdicts(HWND screen, const VerdictStep *steps, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const VerdictStep &step = steps[i];
        if (step.measured != nullptr) {
            SetField(screen, kMeasuredIndex, step.measured);
            Settle(screen);
        } else if (!Click(screen, kSolveHeight)) {
            return Fail("適合する高さを調べる cannot be pressed");
        }
        // The search runs on a worker thread: the answer comes while the screen answers.
        HWND answer = GetDlgItem(screen, kSolvedHeight);
        for (int wait = 0; wait < 1200 && *step.answer != '\0' && TextOf(answer).empty(); ++wait)
            Sleep(50);
        const ShownText texts[] = {{kVerdict, "verdict", step.verdict},
                                   {kReduction, "reduction", step.reduction},
                                   {kSolvedHeight, "complying height", step.answer}};
        if (!ExpectTexts(screen, texts, 3))
            return false;
    }
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
    static const VerdictStep verdictA[] = {{"30", "不適合（超過 2.0）", "必要な低減率 37 %", ""}};
    if (!ExpectVerdicts(caseA, verdictA, 1))
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

bool WaitUntilGone(HWND window, DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 100) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(100);
    }
    return false;
}

HWND OpenMapAdjust(HWND caseD) {
    if (!Click(caseD, kMapAdjust))
        return Missing("マップを調整する cannot be pressed");
    HWND dialog = WaitForWindow(IsMapAdjust, 5000);
    if (dialog == nullptr)
        return Missing("the map-adjustment dialog did not open");
    if (IsWindowEnabled(caseD))
        return Missing("the screen takes input while the map-adjustment dialog is open");
    return dialog;
}

// After the case D calculation: the map's range set to 2000 m in the adjustment dialog, the
// screen's distance label read back, and the dialog opened again on the kept range.
bool AdjustMapRange(HWND caseD) {
    HWND dialog = OpenMapAdjust(caseD);
    if (dialog == nullptr)
        return false;
    SetField(dialog, kMapRange, "2000");
    Settle(dialog);
    if (gWalk) {
        Shot("map_adjust_screen", caseD);
        Shot("map_adjust", dialog);
        ReportComposite("map_adjust_over_screen", "map_adjust_screen", "map_adjust");
    }
    Click(dialog, IDOK);
    if (!WaitUntilGone(dialog, 5000))
        return Fail("OK did not end the map-adjustment dialog");
    Settle(caseD);
    const std::string axis = TextOf(GetDlgItem(caseD, kDistanceAxis));
    std::printf("  distance axis after OK: \"%s\"\n", axis.c_str());
    if (axis != "風下距離 2000m")
        return Fail("the screen does not read 風下距離 2000m after OK");
    if (!IsWindowEnabled(caseD))
        return Fail("the screen stays disabled after the dialog ended");
    Shot("case_d_map_adjusted", caseD);
    dialog = OpenMapAdjust(caseD);
    if (dialog == nullptr)
        return false;
    const std::string range = TextOf(GetDlgItem(dialog, kMapRange));
    std::printf("  range on reopening: \"%s\"\n", range.c_str());
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (!WaitUntilGone(dialog, 5000))
        return Fail("the close box did not end the map-adjustment dialog");
    Settle(caseD);
    if (range != "2000")
        return Fail("the reopened dialog does not show the range 2000");
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

// The outlets of a municipality's list as Excel saves them: code page 932, CRLF, a facility
// name ahead of the options; the third row has no No. 1 standard that reads as a number.
std::string BatchOutlets(int copies) {
    std::string csv = "施設名,height,building,no1,diameter,direction,temperature,dry-flow,"
                      "moisture,outlet-boundary,building-boundary\r\n";
    for (int i = 0; i < copies; ++i) {
        csv += "第一工場,30,10,12,1,up,80,300,10,50,20\r\n";
        csv += "第二工場,20,15,12,,,,300,,,\r\n";
        csv += "第三工場,30,10,abc,1,up,80,300,10,50,20\r\n";
    }
    return csv;
}

// "1,400": counts as the closing message writes them.
std::string Grouped(int count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

bool WriteBytes(const std::string &path, const std::string &bytes) {
    FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

std::string ReadBytes(const std::string &path) {
    std::string bytes;
    FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    char block[4096];
    for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;)
        bytes.append(block, n);
    std::fclose(file);
    return bytes;
}

std::vector<std::string> SplitOn(const std::string &text, const std::string &separator) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; (at = text.find(separator, from)) != std::string::npos;
         from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

HWND FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    return box != nullptr ? box : GetDlgItem(dialog, kFileNameEdit);
}

// Types the path into the file name box of a common dialog and presses its OK button.
bool TypePathAndAccept(HWND dialog, const std::string &path) {
    HWND box = FileNameBox(dialog);
    if (box == nullptr)
        return Fail("the file dialog has no file name box");
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Settle(dialog);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return true;
}

// In walk mode: the ファイル menu opened from the keyboard, pictured over the start menu.
void ShowFileMenu(HWND menu) {
    PostMessageA(menu, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    HWND popup = WaitForWindow(IsPopupMenu, 5000);
    if (popup == nullptr) {
        std::printf("note: the ファイル menu did not open\n");
        return;
    }
    Shot("file_menu_start", menu);
    Shot("file_menu", popup);
    ReportComposite("file_menu_over_start_menu", "file_menu_start", "file_menu");
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    Settle(menu);
}

// ファイル > 一括計算（CSV）...: the input's path typed into the open dialog, the proposed
// result name accepted in the save dialog, the closing message and the result file read
// back. In walk mode the list is longer, so the progress window stays long enough to be
// pictured.
bool RunBatchFromMenu(HWND menu) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "kamorte_e2e\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string input = folder + "outlets.csv";
    const std::string output = folder + "outlets_結果.csv";
    DeleteFileA(output.c_str());
    const int copies = gWalk ? 700 : 1;
    if (!WriteBytes(input, BatchOutlets(copies)))
        return Fail("the driver could not write its CSV file");
    if (gWalk)
        ShowFileMenu(menu);

    PostMessageA(menu, WM_COMMAND, kBatchCommand, 0);
    HWND open = WaitForWindow(IsBatchOpenDialog, 15000);
    if (open == nullptr)
        return Fail("一括計算（CSV）... opened no file dialog");
    Shot("batch_open", open);
    if (!TypePathAndAccept(open, input))
        return false;
    HWND save = WaitForWindow(IsBatchSaveDialog, 15000);
    if (save == nullptr)
        return Fail("no save dialog after the CSV file was chosen");
    const std::string proposed = TextOf(FileNameBox(save));
    std::printf("save dialog proposes \"%s\"\n", proposed.c_str());
    if (proposed != "outlets_結果.csv" && proposed != output)
        return Fail("the save dialog does not propose outlets_結果.csv");
    Shot("batch_save", save);
    if (!TypePathAndAccept(save, output))
        return false;

    if (gWalk) {
        HWND progress = WaitForWindow(IsBatchWindow, 15000);
        // Pictured once the first rows are counted, with the bar under way.
        for (int i = 0; i < 600 && progress != nullptr && IsWindow(progress) &&
                        TextOf(GetDlgItem(progress, kBatchRows)) == "計算中です。";
             ++i)
            Sleep(100);
        if (progress != nullptr && IsWindow(progress)) {
            Shot("batch_progress_screen", menu);
            Shot("batch_progress", progress);
            ReportComposite("batch_progress_over_start_menu", "batch_progress_screen",
                            "batch_progress");
        } else {
            std::printf("note: the progress window was gone before its picture\n");
        }
    }
    HWND box = WaitForWindow(IsBatchMessage, gWalk ? 300000 : 60000);
    if (box == nullptr)
        return Fail("no message at the end of the batch");
    const std::string message = MessageOf(box);
    std::printf("batch message: \"%s\"\n", message.c_str());
    Shot("batch_message", box);
    const std::string expected = Grouped(2 * copies) + " 行を計算、" + Grouped(copies) +
                                 " 行は入力に誤り（最初の誤り: 4 行目 "
                                 "臭気指数第１号基準に適切な値（10～21）を設定して下さい。）"
                                 "\n\n結果のファイル:\n" +
                                 output;
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    if (!WaitUntilGone(box, 10000))
        return Fail("OK did not close the closing message");
    Settle(menu);
    if (message != expected)
        return Fail("the closing message reads otherwise");
    if (!IsWindowEnabled(menu))
        return Fail("the start menu stays disabled after the batch");

    const std::vector<std::string> lines = SplitOn(ReadBytes(output), "\r\n");
    std::printf("result file: %zu lines\n", lines.size());
    if (lines.size() != static_cast<size_t>(3 * copies + 2) || !lines.back().empty())
        return Fail("the result file does not hold a header and one line per outlet");
    const char *names[] = {"第一工場,", "第二工場,", "第三工場,"};
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        if (lines[i].compare(0, std::strlen(names[(i - 1) % 3]), names[(i - 1) % 3]) != 0)
            return Fail("a facility name did not come back in code page 932, in order");
    }
    if (lines[1].find(",D,9067288.6733244006,9.1×10^6,臭気排出強度（m3N/min）,45,33,") ==
        std::string::npos)
        return Fail("the first outlet's result does not read 9.1×10^6, 45 and 33 as the screen "
                    "does");
    return true;
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
        HWND menu = StartAtTheMenu(program);
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

bool Drive(HWND menu) {
    std::printf("start menu found\n");
    Shot("start_menu", menu);
    if (gWalk) {
        VisitWindow(menu, kAboutCommand, IsAboutBox, "about_box");
        VisitWindow(menu, kRealHeightCommand, IsRealHeightTopic, "help_real_height");
    }
    if (!RunBatchFromMenu(menu))
        return false;
    std::printf("batch run from the menu\n");
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
    static const VerdictStep verdictD[] = {
        {"40", "適合（余裕 4.8）", "", ""},
        {"48", "不適合（超過 3.2）", "必要な低減率 53 %", ""},
        {nullptr, "不適合（超過 3.2）", "必要な低減率 53 %",
         "排出口の実高さ 75.5 m で適合します（30 m から 0.1 m ごとに調べた最も低い高さ）。"},
    };
    if (!ExpectVerdicts(caseD, verdictD, 3))
        return false;
    if (TextOf(GetDlgItem(caseD, 1048)) != "9.1×10")
        return Fail("the standard is not shown beside the verdict");
    Shot("case_d_result", caseD);
    if (!AdjustMapRange(caseD))
        return false;
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
    return DriveFromTheMenu(argv[2], Drive);
}
