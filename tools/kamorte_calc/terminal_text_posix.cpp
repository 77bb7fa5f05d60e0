#include "tools/kamorte_calc/terminal_text.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

namespace {

std::string Convert(const std::string &text, const char *to, const char *from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string out;
    std::string in = text;
    char *inPtr = in.empty() ? nullptr : &in[0];
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            // An unconvertible byte stays as it is, so the checks see and refuse it.
            out.push_back(*inPtr);
            ++inPtr;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

const char *TerminalCodeset() {
    static std::string codeset;
    if (codeset.empty()) {
        std::setlocale(LC_CTYPE, "");
        codeset = nl_langinfo(CODESET);
        std::setlocale(LC_CTYPE, "C");
        // The plain C locale says ASCII; a terminal of today speaks UTF-8.
        if (codeset == "ANSI_X3.4-1968" || codeset == "ASCII" || codeset.empty())
            codeset = "UTF-8";
    }
    return codeset.c_str();
}

} // namespace

std::vector<std::string> ArgumentsInCp932(int argc, char **argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(TerminalToCp932(argv[i]));
    return args;
}

std::string TerminalToCp932(const std::string &text) {
    return Convert(text, "CP932", TerminalCodeset());
}

std::string Cp932ToUtf8(const std::string &text) {
    return Convert(text, "UTF-8", "CP932");
}

std::string Utf8ToCp932(const std::string &text) {
    return Convert(text, "CP932", "UTF-8");
}

void PrepareOutput() {}

void UseBinaryStandardStreams() {}

bool StandardErrorIsTerminal() {
    return isatty(2) != 0;
}

bool TerminalShowsSuperscriptThree() {
    iconv_t cd = iconv_open(TerminalCodeset(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    char in[] = "\xC2\xB3";
    char out[16];
    char *inPtr = in;
    char *outPtr = out;
    size_t inLeft = 2;
    size_t outLeft = sizeof out;
    const bool shown = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    return shown;
}
