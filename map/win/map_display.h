#pragma once
#include <windows.h>

#include "map/map_raster.h"

#include <vector>

// The dilution map on the tall-outlet screens: the map image resampled, turned into one
// display bitmap and put into the screen's picture control. At most one such bitmap exists;
// making a new one deletes the one shown before.

// The GDI calls that make and free what the map display holds, so that a test can count
// them (Wine cannot report a process's GDI objects). They start out as the real calls.
struct MapGdi {
    HDC (*openDisplay)();
    BOOL (*closeDisplay)(HDC dc);
    HBITMAP(*createBitmap)
    (HDC dc, const BITMAPINFOHEADER *header, const void *pixels, const BITMAPINFO *info);
    BOOL (*deleteBitmap)(HBITMAP bitmap);
};

extern MapGdi gMapGdi;
void RestoreMapGdi();

// A display-compatible bitmap of 24-bit bottom-up pixels (rows padded to 4 bytes). Ends the
// process with status 0 when none can be made.
HBITMAP CreateScreenBitmap(int width, int rows, const unsigned char *pixels);

// Resamples the pixels to width × rows, makes the new screen bitmap and shows it in the
// control. A screen without the control is beyond repair: beep, end with status 0.
void ShowMapImage(HWND screen, int controlId, int width, int rows,
                  const std::vector<unsigned char> &pixels);

// Sizes the screen's map control to the 400 × 212 map at the scale the screen is laid out
// at, and makes its size the one the screen's map pictures are drawn at.
void FitScreenMap(HWND screen, int controlId);
// The geometry of the picture the map control shows: its own size.
MapGeometry MapControlGeometry(HWND control);
// The map picture now in gMapImage into the screen's control.
void ShowScreenMap(HWND screen, int controlId);

// The bitmap now on screen, or none.
HBITMAP ScreenBitmap();

// The colour-bar and axis labels of the current tall-outlet screen from the map settings,
// then the screen to the front.
void UpdateMapLabels();

// The ids of the labels beside the map on the case C or the case D screen.
struct MapLabelIds {
    int colourTop, colourMiddle, colourBottom, heightAxis, distanceAxis;
};
MapLabelIds MapLabelIdsOf(HWND screen);
