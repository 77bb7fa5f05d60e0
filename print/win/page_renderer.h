#pragma once
#include "print/page_description.h"

#include <windows.h>

// A font of the report: the given face and height, normal weight, Shift-JIS; width, the
// average glyph width, 0 for the face's own proportions.
HFONT CreateReportFont(const char *face, int height, int width = 0);

// Draws the whole bitmap stretched into the rectangle: a resource of this program, or with
// fromFile the BMP file at path. Draws nothing when the bitmap cannot be loaded.
void DrawBitmapScaled(HDC dc, int resourceId, const char *path, bool fromFile, int x, int y,
                      int width, int height);

// Draws every item of the page in order. The map picture comes from mapFile; without one
// its place stays empty. Leaves the device context's font and pen as it found them.
void DrawPage(HDC dc, const PageDescription &page, const char *mapFile);
