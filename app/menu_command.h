#pragma once
#include <windows.h>

// The menu bar's commands and the term labels' clicks: the about box, the help topics, the
// two documents, the outlet's file and the batch run of a CSV file. Every screen passes the
// commands it does not answer itself; the low word is the command.
void MenuCommand(WPARAM command);

// Opens a document of the program folder with its default program; tells the user when it
// cannot be shown. The working directory is the same afterwards.
void OpenDocument(const char *fileName, const char *failureText);
