#pragma once
#include "model/outlet_case.h"

// How a case and its result are named to the user (code page 932). Each case has two
// headings: the screens' (and kamorte-calc's), as the templates set them, and the printed
// page's, in full-width digits.

// CaseA … CaseD; any other value is taken for CaseD.
const char *CaseScreenHeading(OutletCase c);
const char *CasePageHeading(OutletCase c);

// 無, 弱 or 強 for the downwash classes; empty for any other value.
const char *DownwashWord(int downwashClass);
