#include "text/text_helpers.h"

#include "text/number_scan.h"

#include <cstring>
#include <string>

namespace {

struct SingleByteForm {
    const char *wide;
    const char *narrow;
};

// Full-width forms and their single-byte counterparts, as Windows' half-width mapping
// gives them: voiced and semi-voiced katakana become the letter followed by its mark.
const SingleByteForm kSingleByteForms[] = {
    {"　", " "},  {"！", "!"},  {"＂", "\""}, {"＃", "#"},  {"＄", "$"},  {"％", "%"},
    {"＆", "&"},  {"＇", "'"},  {"（", "("},  {"）", ")"},  {"＊", "*"},  {"＋", "+"},
    {"，", ","},  {"－", "-"},  {"．", "."},  {"／", "/"},  {"０", "0"},  {"１", "1"},
    {"２", "2"},  {"３", "3"},  {"４", "4"},  {"５", "5"},  {"６", "6"},  {"７", "7"},
    {"８", "8"},  {"９", "9"},  {"：", ":"},  {"；", ";"},  {"＜", "<"},  {"＝", "="},
    {"＞", ">"},  {"？", "?"},  {"＠", "@"},  {"Ａ", "A"},  {"Ｂ", "B"},  {"Ｃ", "C"},
    {"Ｄ", "D"},  {"Ｅ", "E"},  {"Ｆ", "F"},  {"Ｇ", "G"},  {"Ｈ", "H"},  {"Ｉ", "I"},
    {"Ｊ", "J"},  {"Ｋ", "K"},  {"Ｌ", "L"},  {"Ｍ", "M"},  {"Ｎ", "N"},  {"Ｏ", "O"},
    {"Ｐ", "P"},  {"Ｑ", "Q"},  {"Ｒ", "R"},  {"Ｓ", "S"},  {"Ｔ", "T"},  {"Ｕ", "U"},
    {"Ｖ", "V"},  {"Ｗ", "W"},  {"Ｘ", "X"},  {"Ｙ", "Y"},  {"Ｚ", "Z"},  {"［", "["},
    {"￥", "\\"}, {"＼", "\\"}, {"］", "]"},  {"＾", "^"},  {"＿", "_"},  {"｀", "`"},
    {"ａ", "a"},  {"ｂ", "b"},  {"ｃ", "c"},  {"ｄ", "d"},  {"ｅ", "e"},  {"ｆ", "f"},
    {"ｇ", "g"},  {"ｈ", "h"},  {"ｉ", "i"},  {"ｊ", "j"},  {"ｋ", "k"},  {"ｌ", "l"},
    {"ｍ", "m"},  {"ｎ", "n"},  {"ｏ", "o"},  {"ｐ", "p"},  {"ｑ", "q"},  {"ｒ", "r"},
    {"ｓ", "s"},  {"ｔ", "t"},  {"ｕ", "u"},  {"ｖ", "v"},  {"ｗ", "w"},  {"ｘ", "x"},
    {"ｙ", "y"},  {"ｚ", "z"},  {"｛", "{"},  {"｜", "|"},  {"｝", "}"},  {"￣", "~"},
    {"～", "~"},  {"。", "｡"},  {"「", "｢"},  {"」", "｣"},  {"、", "､"},  {"・", "･"},
    {"ヲ", "ｦ"},  {"ァ", "ｧ"},  {"ィ", "ｨ"},  {"ゥ", "ｩ"},  {"ェ", "ｪ"},  {"ォ", "ｫ"},
    {"ャ", "ｬ"},  {"ュ", "ｭ"},  {"ョ", "ｮ"},  {"ッ", "ｯ"},  {"ー", "ｰ"},  {"ア", "ｱ"},
    {"イ", "ｲ"},  {"ウ", "ｳ"},  {"ヴ", "ｳﾞ"}, {"エ", "ｴ"},  {"オ", "ｵ"},  {"カ", "ｶ"},
    {"ガ", "ｶﾞ"}, {"キ", "ｷ"},  {"ギ", "ｷﾞ"}, {"ク", "ｸ"},  {"グ", "ｸﾞ"}, {"ケ", "ｹ"},
    {"ゲ", "ｹﾞ"}, {"コ", "ｺ"},  {"ゴ", "ｺﾞ"}, {"サ", "ｻ"},  {"ザ", "ｻﾞ"}, {"シ", "ｼ"},
    {"ジ", "ｼﾞ"}, {"ス", "ｽ"},  {"ズ", "ｽﾞ"}, {"セ", "ｾ"},  {"ゼ", "ｾﾞ"}, {"ソ", "ｿ"},
    {"ゾ", "ｿﾞ"}, {"タ", "ﾀ"},  {"ダ", "ﾀﾞ"}, {"チ", "ﾁ"},  {"ヂ", "ﾁﾞ"}, {"ツ", "ﾂ"},
    {"ヅ", "ﾂﾞ"}, {"テ", "ﾃ"},  {"デ", "ﾃﾞ"}, {"ト", "ﾄ"},  {"ド", "ﾄﾞ"}, {"ナ", "ﾅ"},
    {"ニ", "ﾆ"},  {"ヌ", "ﾇ"},  {"ネ", "ﾈ"},  {"ノ", "ﾉ"},  {"ハ", "ﾊ"},  {"バ", "ﾊﾞ"},
    {"パ", "ﾊﾟ"}, {"ヒ", "ﾋ"},  {"ビ", "ﾋﾞ"}, {"ピ", "ﾋﾟ"}, {"フ", "ﾌ"},  {"ブ", "ﾌﾞ"},
    {"プ", "ﾌﾟ"}, {"ヘ", "ﾍ"},  {"ベ", "ﾍﾞ"}, {"ペ", "ﾍﾟ"}, {"ホ", "ﾎ"},  {"ボ", "ﾎﾞ"},
    {"ポ", "ﾎﾟ"}, {"マ", "ﾏ"},  {"ミ", "ﾐ"},  {"ム", "ﾑ"},  {"メ", "ﾒ"},  {"モ", "ﾓ"},
    {"ヤ", "ﾔ"},  {"ユ", "ﾕ"},  {"ヨ", "ﾖ"},  {"ラ", "ﾗ"},  {"リ", "ﾘ"},  {"ル", "ﾙ"},
    {"レ", "ﾚ"},  {"ロ", "ﾛ"},  {"ワ", "ﾜ"},  {"ン", "ﾝ"},  {"゛", "ﾞ"},  {"゜", "ﾟ"},
};

const SingleByteForm *FindForm(unsigned char lead, unsigned char trail) {
    for (const SingleByteForm &form : kSingleByteForms) {
        if (static_cast<unsigned char>(form.wide[0]) == lead &&
            static_cast<unsigned char>(form.wide[1]) == trail)
            return &form;
    }
    return nullptr;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

void TrimLeadingBlanks(char *text) {
    size_t start = 0;
    while (IsBlank(text[start]))
        ++start;
    if (start > 0)
        std::memmove(text, text + start, std::strlen(text + start) + 1);
}

void TrimBlanks(char *text) {
    TrimLeadingBlanks(text);
    size_t len = std::strlen(text);
    while (len > 0 && IsBlank(text[len - 1]))
        text[--len] = '\0';
}

bool ToSingleByte(char *text) {
    std::string out;
    for (size_t i = 0; text[i] != '\0'; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            unsigned char trail = static_cast<unsigned char>(text[i + 1]);
            const SingleByteForm *form = trail ? FindForm(c, trail) : nullptr;
            if (!form)
                return false;
            out += form->narrow;
            ++i;
        } else if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xDF)) {
            out += static_cast<char>(c);
        } else {
            return false;
        }
    }
    // A converted text is never longer than the original: each pair of bytes becomes
    // one or two bytes.
    std::memcpy(text, out.c_str(), out.size() + 1);
    return true;
}

FieldNumber ScanFieldNumber(const char *text) {
    FieldNumber n{false, 0.0, false};
    size_t used;
    if (!ScanDecimal(text, static_cast<size_t>(-1), &n.value, &used))
        return n; // no number: no word is read either
    n.hasNumber = true;
    const char *word = text + used;
    while (IsScanSpace(*word))
        ++word;
    n.wordAfter = *word != '\0';
    return n;
}

bool ParseFieldNumber(const char *text, double *value) {
    const FieldNumber n = ScanFieldNumber(text);
    *value = n.hasNumber ? n.value : -1.0;
    return !n.wordAfter;
}

void CopyText(char *dest, unsigned size, const char *src) {
    if (size == 0)
        return;
    size_t n = 0;
    while (src[n] != '\0' && n + 1 < size) {
        bool lead = IsLeadByte(static_cast<unsigned char>(src[n]));
        if (lead && (src[n + 1] == '\0' || n + 2 >= size))
            break;
        n += lead ? 2 : 1;
    }
    std::memcpy(dest, src, n);
    dest[n] = '\0';
}
