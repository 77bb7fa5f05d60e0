#include "calc/batch_columns.h"

#include "calc/csv_text.h"
#include "model/field_table.h"
#include <algorithm>
#include <cctype>

const std::vector<ColumnAlias> &ColumnAliases() {
    // The labels exactly as the start menu and the case screens show them.
    static const std::vector<ColumnAlias> aliases = [] {
        std::vector<ColumnAlias> list;
        for (const FieldRow &row : FieldTable())
            for (const char *label : row.labels)
                if (label != nullptr && row.option[0] != '\0')
                    list.push_back({row.option, label});
        return list;
    }();
    return aliases;
}

const std::vector<ValueWord> &ValueWords() {
    static const std::vector<ValueWord> words = [] {
        std::vector<ValueWord> list;
        for (const FieldWord &word : FieldWords())
            list.push_back({OptionOf(word.field), word.word, word.value});
        return list;
    }();
    return words;
}

std::string OptionValue(const std::string &option, const std::string &cell) {
    const std::string text = UnguardFormula(cell);
    for (const ValueWord &w : ValueWords()) {
        if (option == w.option && text == w.word)
            return w.value;
    }
    return text;
}

namespace {

bool LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The text split into code page 932 characters.
std::vector<std::string> Characters(const std::string &text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        const size_t n =
            LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        chars.push_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

// The characters that remain once case, blanks, dashes, underscores and full width are set
// aside: two headers with the same folding differ only in how they were typed.
std::vector<std::string> Folded(const std::string &text) {
    std::vector<std::string> folded;
    for (const std::string &c : Characters(text)) {
        if (c.size() == 1) {
            const char a = c[0];
            if (a == ' ' || a == '\t' || a == '-' || a == '_')
                continue;
            folded.push_back(std::string(1, static_cast<char>(std::tolower(a))));
            continue;
        }
        const unsigned char lead = static_cast<unsigned char>(c[0]);
        const unsigned char trail = static_cast<unsigned char>(c[1]);
        if (lead == 0x81 &&
            (trail == 0x40 || trail == 0x51 || trail == 0x5C || trail == 0x5D || trail == 0x7C))
            continue; // full-width blank, low line, dashes and minus
        if (lead == 0x81 && trail == 0x69) {
            folded.push_back("(");
        } else if (lead == 0x81 && trail == 0x6A) {
            folded.push_back(")");
        } else if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) {
            folded.push_back(std::string(1, static_cast<char>('0' + (trail - 0x4F))));
        } else if (lead == 0x82 && trail >= 0x60 && trail <= 0x79) {
            folded.push_back(std::string(1, static_cast<char>('a' + (trail - 0x60))));
        } else if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) {
            folded.push_back(std::string(1, static_cast<char>('a' + (trail - 0x81))));
        } else {
            folded.push_back(c);
        }
    }
    return folded;
}

// The heading as typed, whatever the width, the blanks and the brackets, and without a
// trailing unit: "排出口の実高さ（ｍ）" and "排出口の実高さ" are the same heading.
std::string Normalised(const std::string &text) {
    std::string plain;
    for (const std::string &c : Characters(text)) {
        if (c == " " || c == "\t" || c == "\x81\x40")
            continue;
        if (c.size() == 1) {
            plain += c;
            continue;
        }
        const unsigned char lead = static_cast<unsigned char>(c[0]);
        const unsigned char trail = static_cast<unsigned char>(c[1]);
        if (lead == 0x81 && trail == 0x69)
            plain += '(';
        else if (lead == 0x81 && trail == 0x6A)
            plain += ')';
        else if (lead == 0x81 && trail == 0x93)
            plain += '%';
        else if (lead == 0x81 && trail == 0x5E)
            plain += '/';
        else if (lead == 0x81 && trail == 0x44)
            plain += '.';
        else if (lead == 0x82 && trail >= 0x4F && trail <= 0x58)
            plain += static_cast<char>('0' + (trail - 0x4F));
        else if (lead == 0x82 && trail >= 0x60 && trail <= 0x79)
            plain += static_cast<char>('A' + (trail - 0x60));
        else if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A)
            plain += static_cast<char>('a' + (trail - 0x81));
        else
            plain += c;
    }
    for (const char *unit : {"(m)", "(℃)", "(%)", "(m3N/min)", "(m3N/分)", "(Nm3/min)"}) {
        const std::string u = unit;
        if (plain.size() > u.size() && plain.compare(plain.size() - u.size(), u.size(), u) == 0) {
            plain.resize(plain.size() - u.size());
            break;
        }
    }
    return plain;
}

// A heading that holds a label or is held in one, by this many characters or more, means
// the field ("臭気指数（測定値）"); fewer are everyday words ("排出口").
constexpr size_t kSharedCharacters = 4;

size_t Distance(const std::vector<std::string> &a, const std::vector<std::string> &b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// How many letters a header may be away from a name and still be taken for a typo of it.
// Short names are near too many everyday headers ("No." and no1, "date" and case) to allow
// two.
size_t TypoReach(size_t nameLength) {
    return nameLength >= 5 ? 2 : nameLength == 4 ? 1 : 0;
}

} // namespace

std::string NormalisedHeading(const std::string &heading) {
    return Normalised(heading);
}

size_t CharacterDistance(const std::string &a, const std::string &b) {
    return Distance(Characters(a), Characters(b));
}

ColumnRole ClassifyColumn(const std::string &header, const std::vector<std::string> &known) {
    struct Name {
        std::string text, option;
    };
    std::vector<Name> names;
    for (const std::string &option : known)
        names.push_back({option, option});
    for (const ColumnAlias &alias : ColumnAliases()) {
        names.push_back({alias.label, alias.option});
        if (std::find(known.begin(), known.end(), alias.option) == known.end())
            names.push_back({alias.option, alias.option});
    }
    const auto isKnown = [&](const std::string &option) {
        return std::find(known.begin(), known.end(), option) != known.end();
    };
    ColumnRole role;
    for (const Name &name : names) {
        if (header == name.text) {
            role.kind = isKnown(name.option) ? ColumnRole::Option : ColumnRole::Unknown;
            role.option = name.option;
            return role;
        }
    }
    const std::string normalised = Normalised(header);
    for (const Name &name : names) {
        if (normalised == Normalised(name.text)) {
            role.kind = isKnown(name.option) ? ColumnRole::Option : ColumnRole::Unknown;
            role.option = name.option;
            return role;
        }
    }
    for (const ColumnAlias &alias : ColumnAliases()) {
        const std::string label = Normalised(alias.label);
        const bool shorter = normalised.size() < label.size();
        const std::string &part = shorter ? normalised : label;
        const std::string &whole = shorter ? label : normalised;
        if (Characters(part).size() >= kSharedCharacters && whole.find(part) != std::string::npos) {
            role.kind = ColumnRole::NearMiss;
            role.option = alias.option;
            role.suggestion = alias.label;
            return role;
        }
    }
    const std::vector<std::string> folded = Folded(header);
    size_t best = static_cast<size_t>(-1);
    for (const Name &name : names) {
        const std::vector<std::string> target = Folded(name.text);
        const size_t d = Distance(folded, target);
        if (d == 0 || (d <= TypoReach(target.size()) && d < best)) {
            best = d;
            role.kind = ColumnRole::NearMiss;
            role.option = name.option;
            role.suggestion = name.text;
            if (d == 0)
                break;
        }
    }
    return role;
}
