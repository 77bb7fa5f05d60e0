#pragma once
#include <windows.h>

#include <vector>

// Windows of the program that fit the screen they appear on. A template whose window would be
// larger than the work area of its monitor (a laptop at 125–200 % scale, a small display) is
// made with a smaller dialog font, so that its layout, and with it the pictures and the map
// that take their size from the controls, shrink together. A window that does not fit even
// at the smallest font is placed at the work area's top left, where it can be moved.

// The smallest dialog font: as large as 8 points are at 96 dots per inch (points × dpi).
constexpr int kSmallestPointsTimesDpi = 8 * 96;

// A dialog template of the program's resources, copied so that its font can be changed.
struct DialogTemplate {
    std::vector<BYTE> bytes;
    size_t pointsAt = 0; // offset of the font's point size; 0 when the template sets no font
    int points = 0;
    int charset = 0;
    wchar_t face[LF_FACESIZE] = L"";
    bool hasMenu = false;
};

// False when the resource is missing or not an extended template.
bool LoadDialogTemplate(int templateId, DialogTemplate *out);

// The outer size the template's window takes at this font size and screen scale, as the
// dialog manager lays it out.
SIZE DialogWindowSize(const DialogTemplate &t, int points, int dpi);

// The largest font size from the template's own down to the smallest that lets the window fit
// a work area of the given size; the smallest when none does.
int FittingPoints(const DialogTemplate &t, int dpi, SIZE workArea);

// The work area of the monitor the window is on (the primary monitor's without a window).
RECT WorkAreaOf(HWND window);

// Moves a window, keeping its size, so that it lies inside the work area of its monitor; one
// wider or taller than the work area is placed at the work area's top left.
void KeepInWorkArea(HWND window);

// CreateDialogParamA and DialogBoxParamA of a program template at a fitting font size, for the
// monitor of `beside` (a screen, the owner), or the primary one without it. The modeless window
// is kept inside the work area once made; a modal one's procedure keeps its own there.
HWND CreateFittedDialog(int templateId, HWND owner, HWND beside, DLGPROC procedure, LPARAM param);
INT_PTR FittedDialogBox(int templateId, HWND owner, DLGPROC procedure, LPARAM param);
