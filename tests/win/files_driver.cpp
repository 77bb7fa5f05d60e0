// kamorte_files_driver PROGRAM CALC SAMPLE: the real program driven from outside through an
// outlet kept in files (the example on the command line, saved and run through CALC
// --batch; row 4 of SAMPLE opened from the list; the save question).
#include "program_driver.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace driving;

const char kCaseBTitle[] = "Ｂ．排出口高さが 6.7m 以上 15m 未満の場合";
const char kCaseDTitle[] = "Ｄ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍以上の場合";
const char kExample[] =
    "排出口の実高さ,周辺最大建物高さ,１号基準,排出口の口径,排出口の向き,排出ガス温度,"
    "排出ガス流量（乾き）,排出ガス水分量,排出口と敷地境界との最短距離,"
    "周辺最大建物と敷地境界との最短距離\r\n30,10,12,1,上向き,80,300,10,50,20\r\n";
constexpr int kOutletHeight = 1012;
constexpr int kBuildingHeight = 1005;
constexpr int kNo1 = 1013;
constexpr int kMediumOutlet = 1015;
constexpr int kMeasuredIndex = 1301;
constexpr int kCalculate = 1029;
constexpr int kRateShown = 1048;
constexpr int kOpen = 32811;
constexpr int kSave = 32812;
constexpr int kSaveAs = 32813;
constexpr int kRows = 1311;
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

std::string gCaption; // the caption the next screen must have

bool IsScreenOf(HWND w, const char *heading) {
    return TextOf(w) == gCaption && HasChildText(w, heading);
}

HWND WaitForTitled(const char *title) {
    return WaitForWindow([title](HWND w) { return TextOf(w) == title; }, 15000);
}

bool TypePathAndAccept(HWND dialog, const std::string &path) {
    HWND box = GetDlgItem(dialog, kFileNameCombo);
    if (box == nullptr)
        box = GetDlgItem(dialog, kFileNameEdit);
    if (box == nullptr)
        return Fail("the file dialog has no file name box");
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Settle(dialog);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return true;
}

// CALC --batch FILE: what it writes on standard output.
std::string BatchOutput(const char *calc, const std::string &file) {
    const std::string output = file + ".batch";
    std::string command =
        "\"" + WindowsPath(calc) + "\" --batch \"" + file + "\" --output \"" + output + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION run{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &run))
        return "";
    WaitForSingleObject(run.hProcess, 30000);
    CloseHandle(run.hProcess);
    CloseHandle(run.hThread);
    std::ifstream in(output, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// 上書き保存 answered by a message box with this text, closed again.
bool SaveRefused(HWND screen, const char *message) {
    PostMessageA(screen, WM_COMMAND, kSave, 0);
    HWND box = WaitForTitled(kTitle);
    if (box == nullptr)
        return false;
    const bool said = HasChildText(box, message);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    // Gone before the next save, whose box has the same title.
    for (int i = 0; i < 150 && IsWindow(box); ++i)
        Sleep(100);
    return said && !IsWindow(box);
}

bool Drive(const char *program, const char *calc, const char *sample) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "kamorte_files\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string example = folder + "example.csv";
    const std::string saved = folder + "排出口の例.csv";
    DeleteFileA(saved.c_str());
    HANDLE file =
        CreateFileA(example.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, kExample, sizeof kExample - 1, &written, nullptr);
    CloseHandle(file);

    if (!StartProgram(program, " \"" + example + "\""))
        return Fail("the program did not start");

    gCaption = std::string(kTitle) + " - example.csv";
    HWND caseD = WaitForWindow([](HWND w) { return IsScreenOf(w, kCaseDTitle); }, 60000);
    if (caseD == nullptr)
        return Fail("the file on the command line did not open on the case D screen");
    if (TextOf(GetDlgItem(caseD, kOutletHeight)) != "30" ||
        TextOf(GetDlgItem(caseD, kNo1)) != "12" || TextOf(GetDlgItem(caseD, 1010)) != "300")
        return Fail("the case D screen does not show the file's texts");
    Click(caseD, kCalculate);
    for (int i = 0; i < 300 && TextOf(GetDlgItem(caseD, kRateShown)) != "9.1×10"; ++i)
        Sleep(100);
    if (TextOf(GetDlgItem(caseD, kRateShown)) != "9.1×10")
        return Fail("the example's standard was not computed");
    std::printf("example opened from the command line and computed\n");

    PostMessageA(caseD, WM_COMMAND, kSaveAs, 0);
    HWND save = WaitForTitled("名前を付けて保存");
    if (save == nullptr || !TypePathAndAccept(save, saved))
        return Fail("名前を付けて保存 opened no save dialog");
    gCaption = std::string(kTitle) + " - 排出口の例.csv";
    for (int i = 0; i < 100 && TextOf(caseD) != gCaption; ++i)
        Sleep(100);
    if (TextOf(caseD) != gCaption)
        return Fail("the caption does not name the saved file");
    const std::string batch = BatchOutput(calc, saved);
    if (batch.find(",D,9067288.6733244006,9.1×10^6,") == std::string::npos)
        return Fail("the saved file does not give the same standard through the batch");

    // A read-only file, and one another program holds open (a spreadsheet), are not
    // replaced: the message says why and what to do, and the file stays as it was.
    SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool readOnly = SaveRefused(caseD, "「排出口の例.csv」は読み取り専用のため、保存して"
                                             "いません。\n別の名前で保存するか、読み取り専用を"
                                             "解除してから保存して下さい。");
    SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE held = CreateFileA(saved.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool heldOpen = SaveRefused(caseD, "「排出口の例.csv」はほかのプログラムで開かれている"
                                             "ため、保存できませんでした。\n「排出口の例.csv」を"
                                             "閉じてから保存して下さい。");
    CloseHandle(held);
    if (!readOnly || !heldOpen || BatchOutput(calc, saved) != batch)
        return Fail("上書き保存 of a read-only or held file did not refuse with its message");

    // A name code page 932 cannot hold ("ü") is kept whole.
    PostMessageA(caseD, WM_COMMAND, kSaveAs, 0);
    save = WaitForTitled("名前を付けて保存");
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH);
    const std::wstring unicodeName = std::wstring(wide) + L"排出口の例\u00fc.csv";
    DeleteFileW(unicodeName.c_str());
    HWND box = save == nullptr ? nullptr : GetDlgItem(save, kFileNameCombo);
    if (box == nullptr)
        return Fail("名前を付けて保存 opened no save dialog the second time");
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(unicodeName.c_str()));
    Settle(save);
    PostMessageA(GetDlgItem(save, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 100 && GetFileAttributesW(unicodeName.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++i)
        Sleep(100);
    if (GetFileAttributesW(unicodeName.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Fail("the outlet was not saved under a name with u-umlaut");
    std::printf("saved under a name with a character code page 932 lacks\n");

    PostMessageA(caseD, WM_COMMAND, kOpen, 0);
    HWND open = WaitForTitled("開く");
    if (open == nullptr || !TypePathAndAccept(open, WindowsPath(sample)))
        return Fail("開く opened no file dialog");
    HWND chooser = WaitForTitled("開く排出口の選択");
    if (chooser == nullptr)
        return Fail("the batch sample did not show the list of its rows");
    HWND list = GetDlgItem(chooser, kRows);
    if (SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) != 5)
        return Fail("the list does not hold the sample's five outlets");
    // From the first row, selected when the list opens, two rows down: sheet row 4.
    for (int i = 0; i < 2; ++i)
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);

    gCaption = std::string(kTitle) + " - outlets.csv（4 行目）";
    HWND caseB = WaitForWindow([](HWND w) { return IsScreenOf(w, kCaseBTitle); }, 15000);
    if (caseB == nullptr)
        return Fail("row 4 did not open on the case B screen under its caption");
    if (TextOf(GetDlgItem(caseB, kOutletHeight)) != "10" ||
        TextOf(GetDlgItem(caseB, kBuildingHeight)) != "5" ||
        TextOf(GetDlgItem(caseB, kNo1)) != "12" ||
        TextOf(GetDlgItem(caseB, kMeasuredIndex)) != "30" ||
        SendMessageA(GetDlgItem(caseB, kMediumOutlet), BM_GETCHECK, 0, 0) != BST_CHECKED)
        return Fail("the case B screen does not show row 4's values");
    std::printf("row 4 of the batch sample opened on the case B screen\n");

    SetField(caseB, kNo1, "13");
    Settle(caseB);
    PostMessageA(caseB, WM_COMMAND, IDCANCEL, 0);
    HWND question = WaitForTitled(kTitle);
    if (question == nullptr || !HasChildText(question, "変更を保存しますか？"))
        return Fail("Esc after a change does not ask whether to save");
    PostMessageA(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    if (WaitForSingleObject(gProgram.hProcess, 20000) != WAIT_OBJECT_0)
        return Fail("いいえ did not end the program");
    std::printf("いいえ ended the program\n");
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::printf("usage: kamorte_files_driver PROGRAM CALC SAMPLE\n");
        return 2;
    }
    const bool ok = Drive(argv[1], argv[2], argv[3]);
    if (!ok && gProgram.hProcess != nullptr && !ProgramEnded())
        TerminateProcess(gProgram.hProcess, 1);
    return ok ? 0 : 1;
}
