#include "text/number_scan.h"

#include <cstdlib>
#include <string>

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

static bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Returns the length of the number prefix and whether it is complete.
static size_t MatchDecimal(const char *s, size_t maxChars, bool *complete) {
    size_t n = 0;
    auto more = [&]() { return n < maxChars && s[n] != '\0'; };
    if (more() && (s[n] == '+' || s[n] == '-'))
        ++n;
    size_t digits = 0;
    while (more() && IsDigit(s[n])) {
        ++n;
        ++digits;
    }
    if (more() && s[n] == '.') {
        ++n;
        while (more() && IsDigit(s[n])) {
            ++n;
            ++digits;
        }
    }
    if (digits == 0) {
        *complete = false;
        return n;
    }
    if (more() && (s[n] == 'e' || s[n] == 'E')) {
        ++n;
        if (more() && (s[n] == '+' || s[n] == '-'))
            ++n;
        size_t expDigits = 0;
        while (more() && IsDigit(s[n])) {
            ++n;
            ++expDigits;
        }
        if (expDigits == 0) {
            *complete = false;
            return n;
        }
    }
    *complete = true;
    return n;
}

static const char *SkipSpace(const char *text, size_t *skipped) {
    const char *p = text;
    while (IsScanSpace(*p))
        ++p;
    *skipped = static_cast<size_t>(p - text);
    return p;
}

// The text of the number at text (white space skipped), or false.
static bool NumberText(const char *text, size_t maxChars, std::string *number, size_t *consumed) {
    size_t skipped;
    const char *p = SkipSpace(text, &skipped);
    bool complete;
    const size_t len = MatchDecimal(p, maxChars, &complete);
    *consumed = skipped + len;
    if (complete)
        number->assign(p, len);
    return complete;
}

bool ScanDecimal(const char *text, size_t maxChars, double *value, size_t *consumed) {
    std::string number;
    if (!NumberText(text, maxChars, &number, consumed))
        return false;
    *value = std::strtod(number.c_str(), nullptr);
    return true;
}

bool ScanDecimalFloat(const char *text, size_t maxChars, float *value, size_t *consumed) {
    std::string number;
    if (!NumberText(text, maxChars, &number, consumed))
        return false;
    *value = std::strtof(number.c_str(), nullptr);
    return true;
}
