#pragma once
#include "calc/batch_run.h"

#include <string>

// Code page 932 and UTF-8 through the system's own tables. A byte that does not convert (a
// broken sequence, a character code page 932 lacks) is kept as it is: a cell of a batch
// file must never lose a character silently.
std::string Cp932ToUtf8Keeping(const std::string &text);
std::string Utf8ToCp932Keeping(const std::string &text);
TextCodec WindowsTextCodec();
// A path the system gave in UTF-16, as the output writer takes it: UTF-8 behind
// kUtf8PathMark, or else in the ANSI code page (where a character it lacks becomes "?").
std::string NarrowPath(const std::wstring &wide, bool utf8);
