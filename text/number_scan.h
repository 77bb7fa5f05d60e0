#pragma once
#include <cstddef>

// The one scanner of decimal numbers that both builds use, so that fields and smell.prm
// read the same way whatever the C library: optional sign, digits, optional point and
// fraction, optional exponent. "inf", "nan" and hexadecimal spellings are not numbers.
//
// Like a "%lf" conversion: leading white space is skipped (not counted in maxChars), then
// the longest prefix of at most maxChars characters that can begin a number is taken.
// Returns false when that prefix is not a whole number (nothing, "-", ".", "1e+").
// *consumed is the number of characters used, white space included, also on failure.
bool ScanDecimal(const char *text, size_t maxChars, double *value, size_t *consumed);

// The same for a single-precision "%f" conversion.
bool ScanDecimalFloat(const char *text, size_t maxChars, float *value, size_t *consumed);

bool IsScanSpace(char c);
