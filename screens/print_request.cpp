#include "screens/print_request.h"

// Printing is not built yet: nothing opens, and the screen that asked stays usable.
HWND OpenPrintInformation(HWND, ScreenId) {
    return nullptr;
}
