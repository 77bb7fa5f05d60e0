#include "tests/fuzz/fuzz_support.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

std::vector<std::string> SplitInput(const uint8_t *data, size_t size, char separator,
                                    size_t minimumParts) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (static_cast<char>(data[i]) == separator)
            parts.emplace_back();
        else
            parts.back().push_back(static_cast<char>(data[i]));
    }
    if (parts.size() < minimumParts)
        parts.resize(minimumParts);
    return parts;
}

void FuzzFailure(const char *what, const char *file, int line) {
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

namespace {

size_t computed = 0;

std::string Lower(const std::string &text) {
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

void CountComputed() {
    ++computed;
}

size_t ComputedCount() {
    return computed;
}

void CheckShownOutcome(const Outcome &outcome) {
    CountComputed();
    // A missing landing point leaves its cells empty, and a rate without limit has no
    // number; every other value the screens print must be there.
    static const char *const kMayBeEmpty[] = {"allowableEmissionRate", "landingDilution"};
    for (const OutcomeField &f : outcome) {
        if (f.kind == OutcomeField::Null) {
            bool allowed = false;
            for (const char *key : kMayBeEmpty)
                allowed = allowed || f.key == key;
            if (!allowed)
                std::fprintf(stderr, "empty shown value: %s\n", f.key.c_str());
            FUZZ_CHECK(allowed);
        }
        if (f.kind == OutcomeField::Text) {
            const std::string lower = Lower(f.text);
            if (lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos)
                std::fprintf(stderr, "%s: %s\n", f.key.c_str(), f.text.c_str());
            FUZZ_CHECK(lower.find("nan") == std::string::npos);
            FUZZ_CHECK(lower.find("inf") == std::string::npos);
        }
    }
}

const SmellParams &BuiltInSmellParams() {
    static const SmellParams params = [] {
        SmellParams p;
        SetDefaultSmellParams(p);
        return p;
    }();
    return params;
}
