#pragma once

// Helpers on single-byte code page 932 text, in place. Portable: no Windows headers.

// Removes leading spaces and tabs (not the full-width space).
void TrimLeadingBlanks(char *text);
// Removes leading and trailing spaces and tabs.
void TrimBlanks(char *text);
// Replaces every double-byte character that has a single-byte form (full-width ASCII,
// full-width katakana and their punctuation) by that form. Fails, leaving the text
// unchanged, on a character without one (kanji, hiragana) or on a control character.
bool ToSingleByte(char *text);
// The numeric-field rule, "%lf%s": a number, then nothing but blanks.
struct FieldNumber {
    bool hasNumber; // the text begins (after blanks) with a number
    double value;   // the number when there is one
    bool wordAfter; // something other than blanks follows the number: the field is invalid
};
FieldNumber ScanFieldNumber(const char *text);
// The same rule with −1.0 for a text that holds no number. Returns whether the field is
// valid (no word after the number).
bool ParseFieldNumber(const char *text, double *value);

bool IsLeadByte(unsigned char c);

// Copies at most size − 1 bytes and always terminates; never ends inside a double-byte
// character.
void CopyText(char *dest, unsigned size, const char *src);
