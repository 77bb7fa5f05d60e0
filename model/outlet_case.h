#pragma once
#include <cstdint>

// Which of the four cases of the No. 2 standard an outlet falls under, decided by its real
// height and the height of the highest nearby building. CaseUndecided stands for an outlet
// whose case needs a building height nobody has asked for yet (the start menu asks it).
enum OutletCase : int32_t { CaseUndecided = 0, CaseA = 1, CaseB = 2, CaseC = 3, CaseD = 4 };
