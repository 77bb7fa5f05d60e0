#include "tools/kamorte_calc/map_files.h"

#include "map/bmp_file.h"
#include "map/map_raster.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

bool WriteMapFile(const std::string &path, bool grey) {
    ClearMapImage();
    gMapField = BuildMapField(gMapSettings.downwindRange, gMapSettings.displayHeight, kMapWidth,
                              kMapHeight);
    ColourMapImage(kMapWidth, kMapHeight, gMapField);
    DrawMapMarks(kScreenMarks, kMapWidth, kMapHeight, gMapImage);
    if (!grey)
        return WriteBmpFile(kMapWidth, kMapImageRows, 3, 0, gMapImage.data(), path.c_str()) == 0;
    std::vector<unsigned char> image = GreyMapImage(kMapWidth, kMapHeight, gMapField);
    DrawMapMarks(kPrintMarks, kMapWidth, kMapHeight, image);
    return WriteBmpFile(kMapWidth, kMapImageRows, 3, 0, image.data(), path.c_str()) == 0;
}

bool WriteGridFile(const std::string &path, const double *grid) {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = true;
    unsigned char bytes[8 * kGridColumns];
    for (int r = 0; r < kGridRows && ok; ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
            uint64_t bits;
            std::memcpy(&bits, &grid[static_cast<int64_t>(r) * kGridColumns + c], 8);
            for (int b = 0; b < 8; ++b)
                bytes[8 * c + b] = static_cast<unsigned char>(bits >> (8 * b));
        }
        ok = std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
    }
    return std::fclose(file) == 0 && ok;
}
