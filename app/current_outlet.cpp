#include "app/current_outlet.h"

OutletInputs gOutletInputs;
PrintInfo gPrintInfo = {};
