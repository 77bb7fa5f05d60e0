#include "tests/win/shell_fixture.h"

#include "help/help_topics.h"
#include "print/win/register_print_command.h"
#include "app/shell_loop.h"
#include "screens/screen_table.h"

std::deque<int> ShellTest::answers;
std::vector<AskedBox> ShellTest::boxes;
std::vector<int> ShellTest::exits;
std::vector<ShellOpening> ShellTest::openings;
INT_PTR ShellTest::openResult;

namespace {

int AnswerBox(HWND owner, const char *text, const char *caption, UINT type) {
    ShellTest::boxes.push_back({owner, text, caption, type});
    if (!ShellTest::answers.empty()) {
        int answer = ShellTest::answers.front();
        ShellTest::answers.pop_front();
        return answer;
    }
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}

void RecordExit(int code) {
    ShellTest::exits.push_back(code);
}

INT_PTR RecordOpening(HWND, const char *file) {
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    ShellTest::openings.push_back({file, directory});
    return ShellTest::openResult;
}

void Destroy(HWND &window) {
    if (window != nullptr && IsWindow(window))
        DestroyWindow(window);
    window = nullptr;
}

} // namespace

void ShellTest::SetUp() {
    answers.clear();
    boxes.clear();
    exits.clear();
    openings.clear();
    openResult = 2; // file not found
    gMessageBox = AnswerBox;
    gExitProcess = RecordExit;
    gShellOpen = RecordOpening;
    SetProgramParts(
        {kScreenTemplates, InitHelpTopics, OpenHelpTopicOfMenuCommand, RunRegisterPrintCommand});
    StartShell(GetModuleHandleA(nullptr));
    Pump();
    ASSERT_NE(Screen(), nullptr);
}

void ShellTest::TearDown() {
    Destroy(gShell.aboutWindow);
    for (HWND &window : gHelpWindows)
        Destroy(window);
    for (HWND &window : gShell.screenWindows)
        Destroy(window);
    Destroy(gShell.pendingDisposal);
    gShell = ShellState{};
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    RestorePlatformHooks();
}

void ShellTest::Pump() {
    int idle = 0;
    for (int pass = 0; pass < 100000 && idle < 2; ++pass)
        idle = RunShellPass() == ShellPass::Idle ? idle + 1 : 0;
}

std::string ShellTest::Text(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void ShellTest::Type(int id, const char *text) {
    SetWindowTextA(Item(id), text);
    Pump();
}

void ShellTest::Command(int id) {
    SendMessageA(Screen(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(id)));
    Pump();
}

bool ControlTextFits(HWND control) {
    char buffer[1024] = "";
    GetWindowTextA(control, buffer, sizeof buffer);
    const std::string text = buffer;
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT r;
    GetClientRect(control, &r);
    return size.cx <= r.right;
}
