#pragma once
#include "calc/calc_output.h"

#include <string>

// The result as the screens and the printed report word it, one labelled line a value,
// the values aligned in a column on a terminal of fixed-width cells (a double-byte
// character of code page 932 takes two). UTF-8; the flow unit reads "m³N/min" where the
// terminal can show ³ and "m3N/min" where it cannot.
std::string OutcomeReport(const Outcome &outcome, bool superscriptThree,
                          const TextConverter &toUtf8);

// Terminal cells of a code page 932 text: two for a double-byte character, one otherwise.
int DisplayWidth(const std::string &cp932);
