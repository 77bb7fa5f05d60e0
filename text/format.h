#pragma once
#include <string>

// The text printf makes of a format and its values, whatever its length. GNU's rules on
// both builds: the Windows build links MinGW's own printf (__USE_MINGW_ANSI_STDIO).
std::string Format(const char *format, ...) __attribute__((format(gnu_printf, 1, 2)));
