#pragma once
#include <windows.h>

// The pictures of the screens and help topics at the scale of their window. Each picture a
// window shows is drawn at 100, 125, 150 and 200 % (resources/resource.h, IDB_AT_SCALE);
// a window between two of them gets the larger one scaled down, a window above 200 % the
// 200 % one scaled up, so a picture is always its 100 % size times dpi / 96, rounded.

// A new bitmap of the picture (its 100 % id) for a window at dpi, owned by the caller;
// nullptr when the picture cannot be loaded.
HBITMAP LoadPictureForDpi(int resourceId, int dpi);

// Shows the picture in the dialog's picture control (SS_BITMAP) at dpi, freeing the one it
// replaces. The control frees what it holds when it is destroyed.
void ShowPicture(HWND dialog, int controlId, int resourceId, int dpi);

// Picks every picture of the dialog again for dpi: each picture control whose id is its
// picture's (the templates name them so) and each one ShowPicture filled. Others, the map
// among them, are left alone. At 96 dpi a picture the template loaded stays as it is.
void ShowPicturesForDpi(HWND dialog, int dpi);
