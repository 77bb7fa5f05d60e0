#include "text/sheet_number.h"

#include "text/text_helpers.h"

#include <cctype>
#include <vector>

namespace {

bool Digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "1,200", "-12,345.5": groups of three after the first, the fraction left alone.
bool Grouped(const std::string &text) {
    size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
    size_t lead = 0;
    while (i < text.size() && Digit(text[i]) && lead < 4) {
        ++i;
        ++lead;
    }
    if (lead == 0 || lead > 3 || i == text.size() || text[i] != ',')
        return false;
    while (i < text.size() && text[i] == ',') {
        for (size_t k = 1; k <= 3; ++k)
            if (i + k >= text.size() || !Digit(text[i + k]))
                return false;
        i += 4;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && Digit(text[i]))
            ++i;
    }
    return i == text.size();
}

} // namespace

std::string PlainNumber(const std::string &text, bool percent) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    if (!ToSingleByte(buffer.data()))
        return text;
    TrimBlanks(buffer.data());
    std::string plain = buffer.data();
    if (percent && !plain.empty() && plain.back() == '%') {
        plain.pop_back();
        double value;
        if (plain.empty() || !ParseFieldNumber(plain.c_str(), &value))
            return text;
        return plain;
    }
    if (plain.empty() || !Grouped(plain))
        return text;
    std::string digits;
    for (char c : plain)
        if (c != ',')
            digits += c;
    return digits;
}

std::string CellNumber(const std::string &text, bool percent) {
    const std::string plain = PlainNumber(text, percent);
    std::vector<char> buffer(plain.begin(), plain.end());
    buffer.push_back('\0');
    if (!ToSingleByte(buffer.data()))
        return "";
    TrimBlanks(buffer.data());
    const FieldNumber n = ScanFieldNumber(buffer.data());
    return n.hasNumber && !n.wordAfter ? std::string(buffer.data()) : std::string();
}
