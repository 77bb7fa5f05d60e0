#include "tools/kamorte_calc/terminal_text.h"

#include "calc/text_codec_win.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

std::wstring Widen(const std::string &text, UINT codePage) {
    if (text.empty())
        return std::wstring();
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string Narrow(const std::wstring &wide, UINT codePage) {
    if (wide.empty())
        return std::string();
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n,
                        nullptr, nullptr);
    return text;
}

} // namespace

std::vector<std::string> ArgumentsInCp932(int, char **) {
    // The wide command line carries what was typed whatever the console's code page.
    std::vector<std::string> args;
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i)
        args.push_back(Narrow(wide[i], 932));
    LocalFree(wide);
    return args;
}

std::string TerminalToCp932(const std::string &text) {
    return Narrow(Widen(text, CP_UTF8), 932);
}

std::string Cp932ToUtf8(const std::string &text) {
    return Cp932ToUtf8Keeping(text);
}

std::string Utf8ToCp932(const std::string &text) {
    return Utf8ToCp932Keeping(text);
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

bool StandardErrorIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

void PrepareOutput() {
    SetConsoleOutputCP(CP_UTF8);
}

bool TerminalShowsSuperscriptThree() {
    // 0 without a console: the output goes to a file or a pipe, in UTF-8.
    const UINT codePage = GetConsoleOutputCP();
    if (codePage == 0 || codePage == CP_UTF8)
        return true;
    BOOL defaulted = FALSE;
    char narrow[8];
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, L"\u00B3", 1, narrow,
                                      sizeof narrow, nullptr, &defaulted);
    return n > 0 && !defaulted;
}
