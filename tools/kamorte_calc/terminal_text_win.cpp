#include "tools/kamorte_calc/terminal_text.h"

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

// One text from `from` to `to`, or false when some byte has no character in `from` or some
// character none in `to`.
bool ConvertStrictly(const std::string &text, UINT from, UINT to, std::string *out) {
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), size, &wide[0], n);
    BOOL usedDefault = FALSE;
    BOOL *checkDefault = to == CP_UTF8 ? nullptr : &usedDefault; // UTF-8 refuses the flag
    const int m = WideCharToMultiByte(to, 0, wide.data(), n, nullptr, 0, nullptr, checkDefault);
    if (m <= 0 || usedDefault)
        return false;
    out->resize(static_cast<size_t>(m));
    WideCharToMultiByte(to, 0, wide.data(), n, &(*out)[0], m, nullptr, nullptr);
    return true;
}

// The bytes of the character starting at text[i] in code page `from`.
size_t CharacterLength(const std::string &text, size_t i, UINT from) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    size_t n = 1;
    if (from == 932)
        n = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
    else if (b >= 0xC0)
        n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    return std::min(n, text.size() - i);
}

// As iconv does for kamorte-calc elsewhere: a byte that cannot be converted is kept as it
// is, so a cell is never silently emptied or changed into question marks.
std::string ConvertKeeping(const std::string &text, UINT from, UINT to) {
    std::string out;
    if (text.empty() || ConvertStrictly(text, from, to, &out))
        return out;
    out.clear();
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharacterLength(text, i, from);
        std::string piece;
        if (ConvertStrictly(text.substr(i, n), from, to, &piece)) {
            out += piece;
            i += n;
        } else {
            out += text[i];
            ++i;
        }
    }
    return out;
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
    return ConvertKeeping(text, 932, CP_UTF8);
}

std::string Utf8ToCp932(const std::string &text) {
    return ConvertKeeping(text, CP_UTF8, 932);
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
