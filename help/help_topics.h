#pragma once
#include <windows.h>

// The eighteen term-help dialogs: one window per topic, unowned, kept open across
// screen changes.
constexpr int kHelpTopicCount = 18;

extern HWND gHelpWindows[kHelpTopicCount];
extern int gOpeningTopic;

// Index 0 … 17 of the topic of a menu command, or −1.
int HelpTopicIndex(int command);
// Empties the slots and fills the topic table (start-up).
void InitHelpTopics();
// The topic of a menu command opened (see ProgramParts); false for any other command.
bool OpenHelpTopicOfMenuCommand(int command);
// Opens the topic's dialog, or brings its open window to the front.
void OpenHelpTopic(int index);
