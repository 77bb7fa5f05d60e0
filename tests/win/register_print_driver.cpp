// ファイル > 一括印刷（CSV）... of the real program, driven from another process: the
// register typed into the open dialog, the names into 印刷情報, OK in the print dialog.
//
//   kamorte_register_print_driver print|cancel PROGRAM REGISTER
//
// print: waits for the closing message and prints it as "message: TEXT". cancel: presses
// キャンセル once the first page is out, then the same. Both end with the start menu
// enabled again and still holding the height typed before, and a clean exit.
#include "program_driver.h"

#include <cstring>
#include <string>

namespace {

using namespace driving;

const char kCaption[] = "一括印刷（CSV）";
constexpr int kRegisterPrint = 32814;
constexpr int kPagesShown = 1202;
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

bool IsProgress(HWND w) {
    return TextOf(w) == kCaption && GetDlgItem(w, kPagesShown) != nullptr;
}
bool IsClosingMessage(HWND w) {
    return TextOf(w) == kCaption && GetDlgItem(w, kPagesShown) == nullptr;
}
bool IsPrintDialog(HWND w) {
    char name[16] = "";
    GetClassNameA(w, name, sizeof name);
    const std::string title = TextOf(w);
    return std::strcmp(name, "#32770") == 0 && title != kTitle && title != "印刷情報" &&
           title != kCaption && GetDlgItem(w, IDOK) != nullptr;
}

// Up to the print dialog's OK: the open dialog, 印刷情報 and the printer.
bool StartPrint(HWND menu, const char *registerPath) {
    PostMessageA(menu, WM_COMMAND, kRegisterPrint, 0);
    HWND open =
        WaitForWindow([](HWND w) { return TextOf(w) == "一括印刷する CSV ファイルを開く"; }, 15000);
    if (open == nullptr)
        return Fail("一括印刷（CSV）... opened no file dialog");
    HWND box = GetDlgItem(open, kFileNameCombo);
    box = box != nullptr ? box : GetDlgItem(open, kFileNameEdit);
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WindowsPath(registerPath).c_str()));
    Settle(open);
    PostMessageA(GetDlgItem(open, IDOK), BM_CLICK, 0, 0);
    HWND info = WaitForWindow([](HWND w) { return TextOf(w) == "印刷情報"; }, 15000);
    if (info == nullptr)
        return Fail("no 印刷情報 after the register was chosen");
    SetField(info, 1021, "環境保全課　鈴木");
    SetField(info, 1022, "カモルテ市環境部");
    SetField(info, 1023, "（一覧の施設）");
    PostMessageA(GetDlgItem(info, IDOK), BM_CLICK, 0, 0);
    HWND dialog = WaitForWindow(IsPrintDialog, 30000);
    if (dialog == nullptr)
        return Fail("the print dialog did not open");
    Sleep(500);
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return true;
}

bool Drive(HWND menu, const char *mode, const char *registerPath) {
    // The current outlet's entry, which the print must leave as it is.
    SetField(menu, 1003, "12.5");
    if (!StartPrint(menu, registerPath))
        return false;
    HWND progress = WaitForWindow(IsProgress, 30000);
    if (std::strcmp(mode, "cancel") == 0) {
        // Once a page is out: the document is begun and must be abandoned whole.
        const auto printing = [progress] {
            const std::string shown = TextOf(GetDlgItem(progress, kPagesShown));
            return shown.find(" / ") != std::string::npos && shown.compare(0, 2, "0 ") != 0;
        };
        for (int i = 0; i < 600 && progress != nullptr && IsWindow(progress) && !printing(); ++i)
            Sleep(100);
        if (progress == nullptr || !IsWindow(progress))
            return Fail("the progress window was gone before a page was counted");
        std::printf("progress: %s\n", TextOf(GetDlgItem(progress, kPagesShown)).c_str());
        Click(progress, IDCANCEL);
    }
    HWND box = WaitForWindow(IsClosingMessage, 300000);
    if (box == nullptr)
        return Fail("no message at the end of the print");
    std::printf("message: %s\n", MessageOf(box).c_str());
    std::fflush(stdout);
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    Settle(menu);
    for (int i = 0; i < 100 && !IsWindowEnabled(menu); ++i)
        Sleep(100);
    if (!IsWindowEnabled(menu))
        return Fail("the start menu stays disabled after the print");
    if (TextOf(GetDlgItem(menu, 1003)) != "12.5")
        return Fail("the start menu lost the height typed before the print");
    return QuitThroughTheExitQuestion(menu);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::printf("usage: kamorte_register_print_driver print|cancel PROGRAM REGISTER\n");
        return 2;
    }
    return DriveFromTheMenu(argv[2], [&](HWND menu) { return Drive(menu, argv[1], argv[3]); });
}
