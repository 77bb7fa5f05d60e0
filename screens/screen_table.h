#pragma once
#include "app/shell.h"

// The program's screens, indexed by ScreenId, as main.cpp hands them to the shell.
extern const ScreenTemplate kScreenTemplates[5];
