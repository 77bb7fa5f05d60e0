#include "app/current_outlet.h"

OutletInputs gOutletInputs;
OutletResults gOutletResults;
PrintInfo gPrintInfo = {};
