#include "app/shell.h"
#include "model/dilution_grid.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The grid's pages are touched while the user is still typing, not at the first 計算する.
    WarmUpDilutionGrid();
    return RunShell(instance);
}
