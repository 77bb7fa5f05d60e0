#pragma once
#include <windows.h>

// The scale of a window's monitor and the scale each dialog is laid out at. Windows 10's
// per-monitor functions are looked up at run time: the program must still load on systems
// and Wine versions whose user32 lacks them.

constexpr int kBaseDpi = 96;

// The dots per inch a window is drawn at: the window's own where Windows tells it, else the
// screen's (system awareness), else 96.
int WindowDpi(HWND window);

// A length of the 96-dpi layout in pixels at dpi, rounded to the nearest pixel.
int ScaleToDpi(int pixels96, int dpi);

// The one place that says the scale a dialog is laid out at: the DPI it was made at, or the
// one it was last laid out again for. window may be the dialog or one of its controls.
// Every pixel count of a dialog (pictures, the map, owner drawing) follows it, so that a
// dialog laid out smaller gets everything smaller with it.
int LayoutDpi(HWND window);
// A length of the 96-dpi layout in window's pixels.
int ScaleToLayout(HWND window, int pixels96);

// The scale of the next dialog made on this thread, before it records its own: the
// monitor's DPI times its font's share of its template's, for a dialog made with a smaller
// font to fit its monitor (app/dialog_fit.h); 0 for none.
void SetNextLayoutDpi(int dpi);

// Called once a dialog is made, with the template it was made from: records its
// scale and takes over what Windows would do when the dialog moves to a monitor of another
// scale. WM_DPICHANGED then lays the dialog out again from its template at the new DPI,
// taken from wParam, and moves it to the rectangle Windows proposes, before the dialog's
// own procedure sees the message (to draw its own pixels again).
void BeginDpiLayout(HWND dialog, int templateId);
// The same at once, as WM_DPICHANGED does it (suggested may be null: the dialog keeps its
// top-left corner).
void LayOutForDpi(HWND dialog, int dpi, const RECT *suggested);
// Dialog units of the dialog's template in its pixels at the scale it is laid out at
// (MapDialogRect of a dialog laid out again for a new DPI).
void MapLayoutRect(HWND dialog, RECT *rect);
