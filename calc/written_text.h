#pragma once
#include "calc/batch_run.h"

#include <string>

// UTF-8 text as code page 932 for a result: each character code page 932 has no place for
// (or a byte that is not UTF-8) becomes "?" and sets *lost, so that no character is ever
// written as the bytes of others.
std::string WrittenCp932(const TextCodec &codec, const std::string &utf8, bool *lost);
