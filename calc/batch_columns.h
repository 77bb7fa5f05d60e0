#pragma once
#include <string>
#include <vector>

// The columns of a batch file: option names, the screens' own labels for them, and
// everything else, which is carried through to the result untouched.

struct ColumnAlias {
    const char *option; // option name without dashes
    const char *label;  // code page 932: the label the screens show for the field
};

// Every label a column may be headed by instead of the option name.
const std::vector<ColumnAlias> &ColumnAliases();

// The words the screens show for a choice, accepted in its column for the option's value.
struct ValueWord {
    const char *option;
    const char *word; // code page 932
    const char *value;
};
const std::vector<ValueWord> &ValueWords();

// The value of `option` for the cell's text: a screen word replaced by its option value,
// anything else as it stands, without the apostrophe a result file put before it.
std::string OptionValue(const std::string &option, const std::string &cell);

struct ColumnRole {
    enum Kind {
        Option,      // `option` is the option the column feeds
        PassThrough, // not an option: written back as read
        NearMiss,    // close to `option`'s name or label (`suggestion`): a likely typo
        Unknown      // names an option this program does not have
    } kind = PassThrough;
    std::string option;
    std::string suggestion; // code page 932
};

// What a header cell (code page 932) names. `known` are the options the computation takes.
ColumnRole ClassifyColumn(const std::string &header, const std::vector<std::string> &known);

// A heading as the batch compares headings (code page 932): full-width letters, digits and
// brackets made half-width, blanks removed, a trailing unit in brackets ("（m）", "（℃）",
// "（%）", "（m3N/min）" and the like) dropped.
std::string NormalisedHeading(const std::string &heading);

// Edit distance between two texts counted in code page 932 characters.
size_t CharacterDistance(const std::string &a, const std::string &b);
