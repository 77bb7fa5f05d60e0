#include "model/dilution_grid.h"

alignas(64) double gDilutionGrid[kGridRows * kGridColumns];
