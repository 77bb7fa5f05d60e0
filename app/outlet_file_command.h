#pragma once
#include <windows.h>

#include <string>

// ファイル > 開く / 上書き保存 / 名前を付けて保存: the current outlet kept in a CSV file
// of the batch's layout, the file's name in the screens' caption, and the question whether
// to save before the outlet is left.

void OpenOutletCommand();
void SaveOutletCommand();
void SaveOutletAsCommand();

// Opens the file (from the command line); false, after telling the user why, when it cannot
// be used: the screens are then as they were.
bool OpenOutletFile(const std::wstring &path);

// The command line's argument, when there is one: a file to open; anything else is refused
// with a message and the program starts on its start menu.
void OpenCommandLineFile();

// After the screen step: what opening a file had to say (the fields not taken), over the
// screen it opened on.
void ShowOpeningMessage();

// Every way out of the program asks this: after a file was opened or saved and the outlet
// changed since, whether to save it first (はい saves, キャンセル stays); otherwise the exit
// question. True when the program may end.
bool MayLeaveProgram();

// The caption of a screen: the program's title, and " - " and the file's name while one is
// open.
void ShowOutletCaption(HWND screen);
