#pragma once
#include <string>

// Numbers as spreadsheets write them for formatted cells: "1,200" (thousands separators)
// and, where the field is a percentage, "10%". The text (code page 932) as the numeric rule
// reads it: the plain number when the text is one of these forms, else as it stands.
std::string PlainNumber(const std::string &text, bool percent);

// The number a cell holds alone, plain and single-byte ("1,200" → "1200", "１２" → "12"),
// or empty when it holds anything else.
std::string CellNumber(const std::string &text, bool percent);
