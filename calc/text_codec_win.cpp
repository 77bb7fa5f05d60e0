#include "calc/text_codec_win.h"

#include "calc/output_file.h"

#include <windows.h>

#include <algorithm>

namespace {

// False when a byte does not convert or a character has no place in the target code page.
bool Convert(UINT from, UINT to, const char *bytes, int count, std::string &out) {
    if (count == 0)
        return true;
    const int wideCount = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes, count, nullptr, 0);
    if (wideCount <= 0)
        return false;
    std::wstring wide(static_cast<size_t>(wideCount), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes, count, &wide[0], wideCount);
    // UTF-8 has a place for everything and refuses the used-default flag; code page 932
    // would put "?" for a missing character without telling, unless asked.
    BOOL usedDefault = FALSE;
    BOOL *usedDefaultFlag = to == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = to == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(to, flags, wide.data(), wideCount, nullptr, 0, nullptr,
                                      usedDefaultFlag);
    if (n <= 0 || usedDefault)
        return false;
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(n));
    WideCharToMultiByte(to, flags, wide.data(), wideCount, &out[start], n, nullptr,
                        usedDefaultFlag);
    return !usedDefault;
}

bool IsCp932Lead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

size_t Cp932Unit(const std::string &text, size_t at) {
    return IsCp932Lead(static_cast<unsigned char>(text[at])) ? 2 : 1;
}

size_t Utf8Unit(const std::string &text, size_t at) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    return c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
}

// The whole text in one call when it converts; otherwise character by character, a unit
// that does not convert giving up its first byte as it is.
std::string ConvertKeeping(UINT from, UINT to, const std::string &text,
                           size_t (*unit)(const std::string &, size_t)) {
    std::string out;
    out.reserve(text.size() * 3 / 2);
    if (Convert(from, to, text.data(), static_cast<int>(text.size()), out))
        return out;
    out.clear();
    for (size_t at = 0; at < text.size();) {
        const size_t length = std::min(unit(text, at), text.size() - at);
        if (Convert(from, to, text.data() + at, static_cast<int>(length), out)) {
            at += length;
        } else {
            out += text[at];
            ++at;
        }
    }
    return out;
}

} // namespace

std::string Cp932ToUtf8Keeping(const std::string &text) {
    return ConvertKeeping(932, CP_UTF8, text, Cp932Unit);
}

std::string Utf8ToCp932Keeping(const std::string &text) {
    return ConvertKeeping(CP_UTF8, 932, text, Utf8Unit);
}

TextCodec WindowsTextCodec() {
    return TextCodec{Cp932ToUtf8Keeping, Utf8ToCp932Keeping};
}

std::string NarrowPath(const std::wstring &wide, bool utf8) {
    const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], n,
                            nullptr, nullptr);
    return utf8 ? kUtf8PathMark + bytes : bytes;
}
