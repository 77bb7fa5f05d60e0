// Driving the real program from another process with window messages only: shared by the
// end-to-end driver and the walk that takes the user manual's pictures.
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

namespace driving {

inline PROCESS_INFORMATION gProgram;
inline constexpr char kTitle[] = "カモルテ（臭気指数第２号規制基準算定ソフト）";

inline std::string TextOf(HWND window) {
    char text[1024] = "";
    DWORD_PTR ignored;
    // WM_GETTEXT crosses processes; GetWindowTextA does not for edit controls.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    return text;
}

inline bool OwnedByProgram(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid == gProgram.dwProcessId;
}

inline bool ProgramEnded() {
    return WaitForSingleObject(gProgram.hProcess, 0) == WAIT_OBJECT_0;
}

using Match = std::function<bool(HWND)>;

// A visible top-level window of the program that matches, or none.
inline HWND FindWindowNow(const Match &match) {
    struct Search {
        const Match *match;
        HWND found;
    } search{&match, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto *s = reinterpret_cast<Search *>(lParam);
            if (OwnedByProgram(window) && IsWindowVisible(window) && (*s->match)(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitForWindow(const Match &match, DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 100) {
        if (HWND found = FindWindowNow(match))
            return found;
        if (WaitForSingleObject(gProgram.hProcess, 100) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

inline bool HasChildText(HWND window, const char *text) {
    struct Search {
        const char *text;
        bool found;
    } search{text, false};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lParam) -> BOOL {
            auto *s = reinterpret_cast<Search *>(lParam);
            if (TextOf(child) == s->text) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of a message box: its longest static text.
inline std::string MessageOf(HWND box) {
    std::string longest;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM lParam) -> BOOL {
            auto *best = reinterpret_cast<std::string *>(lParam);
            const std::string text = TextOf(child);
            if (text.size() > best->size())
                *best = text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&longest));
    return longest;
}

// A message box or a new dialog opens only once the program is idle again.
inline void Settle(HWND window) {
    WaitForInputIdle(gProgram.hProcess, 5000);
    DWORD_PTR ignored;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
}

// Tells the screenshot script where the window and its client area are on the desktop
// ("shot NAME" with left, top, right, bottom of each) and waits for its answer line.
inline void ReportShot(const char *name, HWND window, DWORD settleMilliseconds) {
    Settle(window);
    Sleep(settleMilliseconds);
    RECT r, c;
    GetWindowRect(window, &r);
    GetClientRect(window, &c);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&c), 2);
    std::printf("shot %s %ld %ld %ld %ld %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom,
                c.left, c.top, c.right, c.bottom);
    std::fflush(stdout);
    char line[64];
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
        std::printf("no answer from the screenshot script\n");
        std::fflush(stdout);
    }
}

// Tells the screenshot script to lay the picture TOP over the picture BASE where the two
// windows stand on the desktop ("compose NAME BASE TOP"), and waits for its answer line.
inline void ReportComposite(const char *name, const char *base, const char *top) {
    std::printf("compose %s %s %s\n", name, base, top);
    std::fflush(stdout);
    char line[64];
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
        std::printf("no answer from the screenshot script\n");
        std::fflush(stdout);
    }
}

// Wine runs Windows programs with Unix paths reachable through drive Z:.
inline std::string WindowsPath(const char *path) {
    std::string p = path;
    if (!p.empty() && p[0] == '/')
        p = "Z:" + p;
    for (char &c : p)
        if (c == '/')
            c = '\\';
    return p;
}

// The start menu: the case screens have its field 1003 too, but it has no 計算する (1029).
inline bool IsStartMenu(HWND w) {
    return TextOf(w) == kTitle && GetDlgItem(w, 1003) != nullptr && GetDlgItem(w, 1029) == nullptr;
}

// The program, with the arguments after its name (a file to open).
inline bool StartProgram(const char *program, const std::string &arguments = "") {
    std::string commandLine = "\"" + WindowsPath(program) + "\"" + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &gProgram) != 0;
}

inline void SetField(HWND dialog, int id, const char *text) {
    HWND field = GetDlgItem(dialog, id);
    if (field != nullptr)
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Presses an enabled button; false when there is none.
inline bool Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !IsWindowEnabled(button))
        return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    Settle(dialog);
    return true;
}

// Says what went wrong and answers false, for the driver's checks to return.
inline bool Fail(const char *what) {
    std::printf("FAILED: %s\n", what);
    std::fflush(stdout);
    return false;
}

// Ends the program as a user does: Esc on the screen, はい to the exit question; the program
// must then end with status 0.
inline bool QuitThroughTheExitQuestion(HWND screen) {
    PostMessageA(screen, WM_COMMAND, IDCANCEL, 0);
    HWND question = WaitForWindow([](HWND w) { return TextOf(w) == "終了確認"; }, 10000);
    if (question == nullptr)
        return Fail("no exit question");
    PostMessageA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
    if (WaitForSingleObject(gProgram.hProcess, 20000) != WAIT_OBJECT_0)
        return Fail("the program did not end");
    DWORD code = 1;
    GetExitCodeProcess(gProgram.hProcess, &code);
    return code == 0 || Fail("the program ended with a status other than 0");
}

// The program started and its start menu, or none when either fails to come.
inline HWND StartAtTheMenu(const char *program) {
    const bool started = StartProgram(program);
    HWND menu = started ? WaitForWindow(IsStartMenu, 60000) : nullptr;
    if (menu == nullptr)
        Fail(started ? "no start menu" : "the program did not start");
    return menu;
}

// A driver's run from the start menu: a failed drive leaves no program running. The driver's
// exit status.
inline int DriveFromTheMenu(const char *program, const std::function<bool(HWND)> &drive) {
    HWND menu = StartAtTheMenu(program);
    const bool ok = menu != nullptr && drive(menu);
    if (!ok && gProgram.hProcess != nullptr && !ProgramEnded())
        TerminateProcess(gProgram.hProcess, 1);
    CloseHandle(gProgram.hThread);
    CloseHandle(gProgram.hProcess);
    return ok ? 0 : 1;
}

} // namespace driving
