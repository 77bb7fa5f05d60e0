#include "app/outlet_file_command.h"

#include "app/current_outlet.h"
#include "app/field_controls.h"
#include "app/platform_hooks.h"
#include "app/sheet_rows_dialog.h"
#include "app/shell.h"
#include "calc/outlet_file.h"
#include "calc/output_file.h"
#include "calc/text_codec_win.h"
#include "model/form_rules.h"

#include <shellapi.h>

#include <cstdio>

namespace {

// A file larger than this is no outlet's nor any office's register.
constexpr DWORD kMaxFileBytes = 16 * 1024 * 1024;
constexpr DWORD kPathChars = 32768;
const wchar_t kFilter[] = L"排出口のデータ（*.csv）\0*.csv\0すべてのファイル (*.*)\0*.*\0";

// The file the outlet was opened from or saved to.
struct OutletFileState {
    bool kept = false;  // opened or saved: changes since are looked for
    std::wstring path;  // what 上書き保存 writes; empty: 名前を付けて保存 asks
    std::wstring shown; // the caption's name: the file's, and the row of a register
    OutletTexts texts;  // the outlet as opened or saved
};
OutletFileState gFile;
// What opening a file has to say, shown once its screen is there.
std::string gOpeningMessage;

std::wstring NameOf(const std::wstring &path) {
    const size_t slash = path.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The file's name as the messages quote it (code page 932: a character it lacks shows as ?).
std::string Quoted(const std::wstring &path) {
    return "「" + NarrowPath(NameOf(path), false) + "」";
}

HWND Owner() {
    return gShell.activeScreenWindow;
}

void Tell(const std::string &text) {
    gMessageBox(Owner(), text.c_str(), gShell.titleText, MB_OK | MB_ICONWARNING | MB_TOPMOST);
}

// The case whose fields the current screen shows or, on the start menu, the heights select.
OutletCase CaseOnScreen() {
    const ScreenId screen = gShell.currentScreen;
    if (screen != StartMenu)
        return static_cast<OutletCase>(screen);
    const OutletInputs &in = gOutletInputs;
    if (!MenuNextEnabled(in) || in.menuOutletHeight > 400 || in.menuBuildingHeight > 400)
        return CaseUndecided;
    return CaseOfHeights(in.menuOutletHeight, in.menuBuildingHeight);
}

// The outlet as the screen shows it now: what its fields hold, the rest from the records.
OutletTexts TextsOnScreen() {
    const ScreenId screen = gShell.currentScreen;
    HWND window = gShell.screenWindows[screen];
    const ShownText shown = [window, screen](Field field, std::string *text) {
        const int id = ControlOf(field, screen);
        if (window == nullptr || id == 0)
            return false;
        char typed[256] = "";
        GetDlgItemTextA(window, id, typed, sizeof typed);
        *text = typed;
        return true;
    };
    return TextsOfOutlet(gOutletInputs, CaseOnScreen(), gPrintInfo, shown);
}

bool OutletChanged() {
    return gFile.kept && TextsOnScreen() != gFile.texts;
}

void ShowCaptionNow() {
    if (gShell.activeScreenWindow != nullptr)
        ShowOutletCaption(gShell.activeScreenWindow);
}

// Whether another program holds the file open, so that it cannot be replaced.
bool HeldByAnother(const std::wstring &path) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool WriteOutletFile(const std::wstring &path) {
    const OutletTexts texts = TextsOnScreen();
    const std::string content = OutletFileText(texts);
    OutputFile out(NarrowPath(path, true));
    const std::string name = Quoted(path);
    if (out.Stream() == nullptr) {
        if (out.Problem() == OutputProblem::ReadOnly)
            Tell(name + "は読み取り専用のため、保存していません。\n別の名前で保存するか、"
                        "読み取り専用を解除してから保存して下さい。");
        else
            Tell(name + "を保存できません。\n保存先のフォルダーがあるか、書き込めるかを確かめて"
                        "下さい。");
        return false;
    }
    std::fwrite(content.data(), 1, content.size(), out.Stream());
    if (!out.Commit()) {
        if (HeldByAnother(path))
            Tell(name + "はほかのプログラムで開かれているため、保存できませんでした。\n" + name +
                 "を閉じてから保存して下さい。");
        else
            Tell(name + "を保存できませんでした。前のファイルはそのままです。\nディスクの空きと、"
                        "書き込めるかを確かめて下さい。");
        return false;
    }
    gFile.kept = true;
    gFile.path = path;
    gFile.shown = NameOf(path);
    gFile.texts = texts;
    ShowCaptionNow();
    return true;
}

// The common dialog's request for a path in `chosen` (kPathChars long). The working
// directory stays: smell.prm is read from it.
OPENFILENAMEW FileRequest(std::wstring &chosen, const wchar_t *title, DWORD flags) {
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = Owner();
    request.lpstrFilter = kFilter;
    request.lpstrFile = &chosen[0];
    request.nMaxFile = kPathChars;
    request.lpstrTitle = title;
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | flags;
    return request;
}

bool AskSavePath(std::wstring *path) {
    std::wstring chosen(kPathChars, L'\0');
    const std::wstring proposal = gFile.path.empty() ? L"" : NameOf(gFile.path);
    proposal.copy(&chosen[0], proposal.size());
    OPENFILENAMEW request = FileRequest(chosen, L"名前を付けて保存", OFN_OVERWRITEPROMPT);
    request.lpstrDefExt = L"csv";
    if (!gSaveFileDialogW(&request))
        return false;
    *path = chosen.c_str();
    return true;
}

bool SaveAs() {
    std::wstring path;
    return AskSavePath(&path) && WriteOutletFile(path);
}

bool Save() {
    return gFile.path.empty() ? SaveAs() : WriteOutletFile(gFile.path);
}

// Before the outlet is left: true to go on (saved, or not to be saved), false to stay.
bool SavedOrDropped() {
    if (!OutletChanged())
        return true;
    switch (gMessageBox(Owner(), "変更を保存しますか？", gShell.titleText,
                        MB_YESNOCANCEL | MB_ICONQUESTION | MB_TOPMOST)) {
    case IDYES: return Save();
    case IDNO: return true;
    }
    return false;
}

// The file's bytes, or why there are none (code page 932).
bool ReadWholeFile(const std::wstring &path, std::string *content, std::string *problem) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *problem = "フォルダーは開けません。排出口のデータのファイルを選んで下さい。";
        return false;
    }
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *problem = "ファイルを読めません。ファイルがあるか、ほかのプログラムが開いたままに"
                   "していないかを確かめて下さい。";
        return false;
    }
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) != 0;
    if (read && size.QuadPart > kMaxFileBytes) {
        CloseHandle(file);
        *problem = "ファイルが大きすぎます（16 MB まで）。";
        return false;
    }
    content->assign(static_cast<size_t>(read ? size.QuadPart : 0), '\0');
    DWORD got = 0;
    read = read &&
           (content->empty() || ReadFile(file, &(*content)[0], static_cast<DWORD>(content->size()),
                                         &got, nullptr) != 0);
    CloseHandle(file);
    if (!read || got != content->size()) {
        *problem = "ファイルを読めません。";
        return false;
    }
    return true;
}

void ShowScreenOf(OutletCase outletCase) {
    const ScreenId screen =
        outletCase >= CaseA && outletCase <= CaseD ? static_cast<ScreenId>(outletCase) : StartMenu;
    RequestFreshScreen(screen);
}

} // namespace

bool OpenOutletFile(const std::wstring &path) {
    std::string content, problem;
    OutletSheet sheet;
    if (!ReadWholeFile(path, &content, &problem) ||
        !ReadOutletSheet(content, WindowsTextCodec(), &sheet, &problem)) {
        Tell(Quoted(path) + "を開けません。\n" + problem);
        return false;
    }
    int chosen = 0;
    if (sheet.rows.size() > 1 && (chosen = ChooseSheetRow(Owner(), sheet)) < 0)
        return false;
    const OutletRow &row = sheet.rows[static_cast<size_t>(chosen)];
    const OpenedOutlet opened = OpenSheetRow(sheet, row, gOutletInputs, gPrintInfo);
    gOutletResults = OutletResults{};
    gFile.kept = true;
    // A register is never overwritten by one of its rows: 上書き保存 asks for a name.
    gFile.path = sheet.rows.size() == 1 ? path : L"";
    gFile.shown = NameOf(path);
    if (sheet.rows.size() > 1)
        gFile.shown += L"（" + std::to_wstring(row.sheetRow) + L" 行目）";
    gFile.texts = TextsOfOutlet(gOutletInputs, opened.outletCase, gPrintInfo);
    ShowScreenOf(opened.outletCase);
    ShowCaptionNow();
    gOpeningMessage = opened.message;
    return true;
}

void OpenOutletCommand() {
    if (!SavedOrDropped())
        return;
    std::wstring chosen(kPathChars, L'\0');
    OPENFILENAMEW request = FileRequest(chosen, L"開く", OFN_FILEMUSTEXIST);
    if (gOpenFileDialogW(&request))
        OpenOutletFile(chosen.c_str());
}

void SaveOutletCommand() {
    Save();
}

void SaveOutletAsCommand() {
    SaveAs();
}

void OpenCommandLineFile() {
    int count = 0;
    LPWSTR *args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr)
        return;
    if (count == 2) {
        const DWORD attributes = GetFileAttributesW(args[1]);
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            OpenOutletFile(args[1]);
            LocalFree(args);
            return;
        }
    }
    if (count > 1) {
        std::wstring given;
        for (int i = 1; i < count; ++i)
            given += (i > 1 ? L" " : L"") + std::wstring(args[i]);
        Tell("コマンドラインの「" + NarrowPath(given, false) +
             "」は開けるファイルではありません。\n開く排出口のデータのファイル（*.csv）を一つ"
             "だけ指定して下さい。");
    }
    LocalFree(args);
}

void ShowOpeningMessage() {
    HWND screen = gShell.screenWindows[gShell.currentScreen];
    if (gOpeningMessage.empty() || screen == nullptr || screen != gShell.activeScreenWindow)
        return;
    std::string text;
    text.swap(gOpeningMessage);
    Tell(text);
}

bool MayLeaveProgram() {
    if (OutletChanged())
        return SavedOrDropped();
    return ExitConfirmation();
}

void ShowOutletCaption(HWND screen) {
    std::wstring caption(256, L'\0');
    MultiByteToWideChar(CP_ACP, 0, gShell.titleText, -1, &caption[0], 256);
    caption.resize(wcslen(caption.c_str()));
    if (gFile.kept && !gFile.shown.empty())
        caption += L" - " + gFile.shown;
    SetWindowTextW(screen, caption.c_str());
}
