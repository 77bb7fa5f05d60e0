#include "print/win/map_file.h"

#include "app/shown_map.h"
#include "map/bmp_file.h"
#include "map/map_raster.h"
#include "print/printed_map.h"

#include <vector>

namespace {

// GetTempFileNameA creates the file, which makes its name ours until it is deleted.
bool WriteInto(const char *folder, const std::vector<unsigned char> &image,
               char (&path)[MAX_PATH]) {
    if (GetTempFileNameA(folder, "kvt", 0, path) == 0)
        return false;
    if (WriteBmpFile(kMapWidth, kMapImageRows, 3, 0, image.data(), path) == 0)
        return true;
    DeleteFileA(path);
    return false;
}

} // namespace

bool WriteReportMapFile(bool colour, char (&path)[MAX_PATH]) {
    const std::vector<unsigned char> image =
        PrintedMapImage(colour, gScreenGrid.Cells(), gMapSettings, gOutletInputs);
    if (image.empty()) {
        path[0] = '\0';
        return false;
    }
    char temp[MAX_PATH] = "";
    // A value that does not fit is reported by its length, and the buffer is left alone.
    const DWORD length = GetEnvironmentVariableA("TEMP", temp, sizeof temp);
    if (length > 0 && length < sizeof temp && WriteInto(temp, image, path))
        return true;
    if (WriteInto(".", image, path))
        return true;
    path[0] = '\0';
    return false;
}
