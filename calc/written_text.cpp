#include "calc/written_text.h"

namespace {

bool Ascii(const std::string &text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// The length of the UTF-8 character at `at`, 1 for a byte that begins none.
size_t CharacterLength(const std::string &text, size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (at + n > text.size())
        return 1;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    return n;
}

} // namespace

std::string WrittenCp932(const TextCodec &codec, const std::string &utf8, bool *lost) {
    if (Ascii(utf8) || !codec.utf8ToCp932)
        return utf8;
    // Most texts convert whole and read back the same; only the others are taken apart.
    const std::string whole = codec.utf8ToCp932(utf8);
    if (codec.cp932ToUtf8 && codec.cp932ToUtf8(whole) == utf8)
        return whole;
    std::string out;
    for (size_t at = 0; at < utf8.size();) {
        const size_t n = CharacterLength(utf8, at);
        const std::string character = utf8.substr(at, n);
        at += n;
        if (n == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
            out += character;
            continue;
        }
        // The codec keeps what it cannot convert: a character that comes back as its own
        // bytes found no place (code page 932 never spells a character in UTF-8's bytes).
        const std::string converted = n == 1 ? character : codec.utf8ToCp932(character);
        if (converted == character) {
            out += '?';
            *lost = true;
        } else {
            out += converted;
        }
    }
    return out;
}
