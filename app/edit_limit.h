#pragma once
#include <windows.h>

// Stops typing and pasting into an edit control at a number of bytes of code page 932, as
// the program's fields count them. The edit control of the common controls 6 counts its
// limit (EM_LIMITTEXT, set here too) in characters, so that 63 double-byte characters would
// make 126 bytes: what is typed or pasted beyond the bytes is refused, a paste cut to whole
// characters that fit. A text set by the program (WM_SETTEXT) is not limited, as before.
void LimitEditBytes(HWND edit, int bytes);
