#pragma once
#include <windows.h>

// The parts of RunShell, so that tests can start the shell and turn the loop themselves.

// Start-up: strings, program folder, reset inputs, help topics; no window yet.
void StartShell(HINSTANCE instance);

enum class ShellPass { Message, Idle, Quit };
// One pass of the loop: handles one waiting message, or runs the screen step when none is
// waiting. Quit when a quit message was confirmed.
ShellPass RunShellPass();
