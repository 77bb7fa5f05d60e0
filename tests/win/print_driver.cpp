// Prints the report of one case from the real program, driven from another process with
// window messages only: the outlet is computed on its screen, 印刷する opens 印刷情報,
// whose fields are filled, and OK leads to the print dialog, where OK prints to the
// default printer.
//
//   kamorte_print_driver PROGRAM a|b|c|d [refused]
//
// With "refused" the printer is expected to fail: the print error message must appear and
// the screen must take input again. Prints "printed" or "refused" on success, and before
// it "verdict: none", "verdict: complies" or "verdict: fails" as the screen judged.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "program_driver.h"

namespace {

using namespace driving;

const char kPrintInfoTitle[] = "印刷情報";
const char kFailure[] = "印刷できませんでした。プリンターの状態を確認してください。";
constexpr int kOutletField = 1003;
constexpr int kBuildingField = 1004;
constexpr int kNext = 1032;
constexpr int kCalculate = 1029;
constexpr int kPrint = 1020;
constexpr int kAuthor = 1021;
constexpr int kOffice = 1022;
constexpr int kFacility = 1023;
constexpr int kMeasuredIndex = 1301;
constexpr int kVerdict = 1302;
constexpr int kReduction = 1304;

// The fields of one printed case: start menu heights, then (id, text) pairs for the case
// screen, the size or option buttons to click, and the header lines.
struct Field {
    int id;
    const char *text;
};

struct PrintedCase {
    const char *outlet;
    const char *building;
    Field fields[12];
    int clicks[4];
    const char *author;
    const char *office;
    const char *facility;
    const char *measured; // the measured index, or nullptr for none
};

// The longest names an officer gives: a 60-byte author with the department before the
// person, a 126-byte office.
const char kLongAuthor[] = "カモルテ市環境部環境保全課公害対策係　主任技師　山田太郎です";
const char kLongOffice[] =
    "カモルテ化学工業株式会社　東京工場　第二製造部　塗装乾燥ライン　第２乾燥炉排気"
    "処理設備（臭気対策棟）北側排出口の排気処理の設備";

// Case A exceeds its standard (28) and carries the long names; case B complies.
const PrintedCase kCaseA = {"5",         nullptr,     {{1013, "12"}}, {1014},
                            kLongAuthor, kLongOffice, "第２乾燥炉",   "30"};
const PrintedCase kCaseB = {
    "10", "12", {{1013, "12"}}, {1015}, "環境保全課　鈴木", "", "塗装ブース排気口", "10"};
// Case C: the wet flow with its moisture, both boundary distances left out.
const PrintedCase kCaseC = {
    "20",       "15",   {{1013, "12"}, {1031, "200"}, {1007, "20"}, {1004, ""}, {1003, ""}},
    {1027},     "佐藤", "カモルテ化学工業株式会社",
    "ボイラー", nullptr};
// Case D: a downward outlet given by its area, with a measured index over its standard
// and the long names.
const PrintedCase kCaseD = {
    "30",
    "10",
    {{1013, "12"}, {1026, "0.785"}, {1010, "300"}, {1007, "10"}, {1004, "50"}, {1003, "20"}},
    {1015, 1025, 1022},
    kLongAuthor,
    kLongOffice,
    kLongOffice,
    "48"};

bool IsScreen(HWND w) {
    return TextOf(w) == kTitle && GetDlgItem(w, kPrint) != nullptr;
}
bool IsPrintInfo(HWND w) {
    return TextOf(w) == kPrintInfoTitle;
}
// The print dialog of the system: a dialog with an OK button that is none of ours.
bool IsPrintDialog(HWND w) {
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    const std::string title = TextOf(w);
    return std::strcmp(cls, "#32770") == 0 && title != kTitle && title != kPrintInfoTitle &&
           title != "印刷エラー" && GetDlgItem(w, IDOK) != nullptr;
}
bool IsPrintError(HWND w) {
    return TextOf(w) == "印刷エラー";
}

bool WaitEnabled(HWND window, DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 100) {
        if (IsWindowEnabled(window))
            return true;
        Sleep(100);
    }
    return false;
}

bool PrintOne(HWND menu, const PrintedCase &c, bool refused) {
    SetField(menu, kOutletField, c.outlet);
    if (c.building != nullptr)
        SetField(menu, kBuildingField, c.building);
    Settle(menu);
    Click(menu, kNext);
    HWND screen = WaitForWindow(IsScreen, 10000);
    if (screen == nullptr)
        return Fail("the case screen did not appear");
    // The alternatives first: they enable the fields that follow.
    for (int id : c.clicks)
        if (id != 0)
            Click(screen, id);
    for (const Field &f : c.fields)
        if (f.id != 0)
            SetField(screen, f.id, f.text);
    Settle(screen);
    Click(screen, kCalculate);
    std::printf("result shown: %s%s\n", TextOf(GetDlgItem(screen, 1064)).c_str(),
                TextOf(GetDlgItem(screen, 1044)).c_str());
    if (c.measured != nullptr) {
        SetField(screen, kMeasuredIndex, c.measured);
        Settle(screen);
    }
    const bool judged = !TextOf(GetDlgItem(screen, kVerdict)).empty();
    const bool fails = !TextOf(GetDlgItem(screen, kReduction)).empty();
    std::printf("verdict: %s\n", !judged ? "none" : fails ? "fails" : "complies");
    if (GetDlgItem(screen, 1045) != nullptr)
        std::printf("dry flow shown: %s\n", TextOf(GetDlgItem(screen, 1045)).c_str());
    if (!Click(screen, kPrint))
        return Fail("印刷する is not enabled after the calculation");
    HWND info = WaitForWindow(IsPrintInfo, 10000);
    if (info == nullptr)
        return Fail("印刷情報 did not open");
    if (IsWindowEnabled(screen))
        return Fail("the screen takes input while 印刷情報 is open");
    SetField(info, kAuthor, c.author);
    SetField(info, kOffice, c.office);
    SetField(info, kFacility, c.facility);
    PostMessageA(GetDlgItem(info, IDOK), BM_CLICK, 0, 0);
    // Wine lists the printers when its print dialog first opens.
    HWND dialog = WaitForWindow(IsPrintDialog, 30000);
    if (dialog == nullptr)
        return Fail("the print dialog did not open");
    std::printf("print dialog: %s\n", TextOf(dialog).c_str());
    Sleep(500);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (refused) {
        HWND box = WaitForWindow(IsPrintError, 60000);
        if (box == nullptr)
            return Fail("no print error message for a refused job");
        if (!HasChildText(box, kFailure))
            return Fail("the print error message reads otherwise");
        if (IsWindowEnabled(screen))
            return Fail("the screen took input before the message was answered");
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
    if (!WaitEnabled(screen, 60000))
        return Fail("the screen stays disabled after printing");
    if (FindWindowNow(IsPrintInfo) != nullptr)
        return Fail("印刷情報 is still open");
    std::printf(refused ? "refused\n" : "printed\n");
    std::fflush(stdout);

    Settle(screen);
    return QuitThroughTheExitQuestion(screen);
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::printf("usage: kamorte_print_driver PROGRAM a|b|c|d [refused]\n");
        return 2;
    }
    const PrintedCase *c = nullptr;
    switch (argv[2][0]) {
    case 'a': c = &kCaseA; break;
    case 'b': c = &kCaseB; break;
    case 'c': c = &kCaseC; break;
    case 'd': c = &kCaseD; break;
    default: break;
    }
    if (c == nullptr) {
        std::printf("no such case: %s\n", argv[2]);
        return 2;
    }
    const bool refused = argc > 3 && std::strcmp(argv[3], "refused") == 0;
    return DriveFromTheMenu(argv[1], [&](HWND menu) { return PrintOne(menu, *c, refused); });
}
