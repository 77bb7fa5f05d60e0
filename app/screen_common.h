#pragma once
#include <windows.h>

// The steps every screen takes first and last in its initialisation; the screen fills its
// controls and resets its term labels in between.
void BeginScreenInit(HWND screen); // program icon, input method off
void EndScreenInit(HWND screen);   // placement, arrow pointer, CompleteScreenInit

// A form's refusal: the focus on the refused field when the verdict asks it, the fault beep
// and the parameter-error box, with the modality each screen's box has (MB_TOPMOST or
// MB_TASKMODAL).
void ShowRefusal(HWND screen, int control, bool focus, int beepMilliseconds, const char *message,
                 UINT modality);
// A form's question: the fault beep and the Yes/No box; on No the focus goes to the field.
// True for Yes.
bool AskQuestion(HWND screen, int control, int beepMilliseconds, const char *question);

// The cancel command (終了, Esc, close box) and menu command 105 of every screen: the save
// question when a file's outlet changed, else the exit question.
void ConfirmExit(HWND screen);

void ShowArrowPointer();
