#pragma once
#include <string>
#include <vector>

// Conversions between the terminal and the program's code page 932 text.

// The command-line arguments in code page 932.
std::vector<std::string> ArgumentsInCp932(int argc, char **argv);
// A text of the terminal's encoding (a batch file, for example) in code page 932.
std::string TerminalToCp932(const std::string &text);
// Code page 932 text as UTF-8, the encoding of everything the command writes.
std::string Cp932ToUtf8(const std::string &text);
// UTF-8 text in code page 932; unconvertible bytes are kept.
std::string Utf8ToCp932(const std::string &text);
// Prepares standard output for UTF-8 (the Windows console needs telling).
void PrepareOutput();
// Standard input and output carry bytes as they are (a batch file's CR LF stays CR LF).
void UseBinaryStandardStreams();
bool StandardErrorIsTerminal();
// Whether the terminal can show ³ (a console of code page 932 cannot).
bool TerminalShowsSuperscriptThree();
