#pragma once
#include "calc/batch_run.h"

#include <string>

// Code page 932 and UTF-8 through the system's own tables. A byte that does not convert (a
// broken sequence, a character code page 932 lacks) is kept as it is: a cell of a batch
// file must never lose a character silently.
std::string Cp932ToUtf8Keeping(const std::string &text);
std::string Utf8ToCp932Keeping(const std::string &text);
TextCodec WindowsTextCodec();
