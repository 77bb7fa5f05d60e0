#include "text/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Converted(const char *text, bool *ok = nullptr) {
    char buffer[256];
    CopyText(buffer, sizeof buffer, text);
    bool result = ToSingleByte(buffer);
    if (ok)
        *ok = result;
    return buffer;
}

std::string Trimmed(const char *text) {
    char buffer[256];
    CopyText(buffer, sizeof buffer, text);
    TrimBlanks(buffer);
    return buffer;
}

} // namespace

TEST(TrimBlanks, RemovesSpacesAndTabsAtBothEndsOnly) {
    EXPECT_EQ(Trimmed(" \t12.5\t "), "12.5");
    EXPECT_EQ(Trimmed("1 2"), "1 2");
    EXPECT_EQ(Trimmed(" \t \t"), "");
    EXPECT_EQ(Trimmed("　12"), "　12"); // the full-width space is not a blank
    char leading[] = "  12  ";
    TrimLeadingBlanks(leading);
    EXPECT_STREQ(leading, "12  ");
}

TEST(ToSingleByte, FullWidthAsciiBecomesSingleByte) {
    EXPECT_EQ(Converted("１５．５"), "15.5");
    EXPECT_EQ(Converted("　１２　"), " 12 ");
    EXPECT_EQ(Converted("－３"), "-3");
    EXPECT_EQ(Converted("ＡＢｃ（）＋"), "ABc()+");
    EXPECT_EQ(Converted("￥￣"), "\\~");
    EXPECT_EQ(Converted(""), "");
}

TEST(ToSingleByte, KatakanaTakesItsHalfWidthFormWithSeparateMarks) {
    EXPECT_EQ(Converted("カモルテ"), "ｶﾓﾙﾃ");
    EXPECT_EQ(Converted("ガパヴ"), "ｶﾞﾊﾟｳﾞ");
    EXPECT_EQ(Converted("ー。「」、・"), "ｰ｡｢｣､･");
    EXPECT_EQ(Converted("ｶﾞ12"), "ｶﾞ12"); // already single-byte
}

TEST(ToSingleByte, FailsWithoutChangingOnCharactersWithoutSingleByteForm) {
    bool ok = true;
    EXPECT_EQ(Converted("１２あ", &ok), "１２あ");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Converted("１２m高", &ok), "１２m高");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Converted("1\t2", &ok), "1\t2"); // a tab is a control character
    EXPECT_FALSE(ok);
    EXPECT_EQ(Converted("ヶ", &ok), "ヶ");
    EXPECT_FALSE(ok);
    char lone[] = "1\x83"; // a lead byte without its trail byte
    EXPECT_FALSE(ToSingleByte(lone));
}

TEST(ParseFieldNumber, ReadsANumberWithNothingButBlanksAfterIt) {
    double v = 0;
    EXPECT_TRUE(ParseFieldNumber("12.5", &v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(ParseFieldNumber("  12.5  ", &v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(ParseFieldNumber("1.25e1", &v));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(ParseFieldNumber("-.5", &v));
    EXPECT_EQ(v, -0.5);
    EXPECT_TRUE(ParseFieldNumber("7.", &v));
    EXPECT_EQ(v, 7.0);
    EXPECT_TRUE(ParseFieldNumber("0.1", &v));
    EXPECT_EQ(v, 0.1);
}

TEST(ParseFieldNumber, TextAfterTheNumberMakesTheFieldInvalid) {
    double v = 0;
    EXPECT_FALSE(ParseFieldNumber("12m", &v));
    EXPECT_EQ(v, 12.0);
    EXPECT_FALSE(ParseFieldNumber("12 5", &v));
    EXPECT_FALSE(ParseFieldNumber("0x10", &v)); // hexadecimal is not a number
    EXPECT_FALSE(ParseFieldNumber("1e5x", &v));
}

TEST(ParseFieldNumber, TextWithoutANumberReadsAsNotSet) {
    for (const char *text : {"", "   ", "abc", "inf", "nan", "infinity", "-", ".", "e5"}) {
        double v = 0;
        EXPECT_TRUE(ParseFieldNumber(text, &v)) << text;
        EXPECT_EQ(v, -1.0) << text;
    }
    double v = 0;
    ParseFieldNumber("1e+", &v); // an exponent without digits is no number
    EXPECT_EQ(v, -1.0);
}

TEST(CopyText, NeverSplitsADoubleByteCharacter) {
    char buffer[4];
    CopyText(buffer, sizeof buffer, "1あい");
    EXPECT_STREQ(buffer, "1あ");
    CopyText(buffer, sizeof buffer, "12あ");
    EXPECT_STREQ(buffer, "12");
}
