#include "tools/kamorte_calc/map_files.h"

#include "calc/output_file.h"
#include "map/bmp_file.h"
#include "map/map_raster.h"
#include "model/dilution_grid.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

MapFileStatus WriteMapFile(const std::string &path, bool grey, const double *grid,
                           const MapSettings &settings, const OutletInputs &in,
                           const TallOutletResult &r) {
    const std::vector<unsigned char> image =
        RenderMap(grid, settings, MapMarksOf(settings, in, r),
                  grey ? MapStyle::Grey : MapStyle::Screen, kMapWidth, kMapHeight);
    if (image.empty())
        return MapFileStatus::OutOfMemory;
    const unsigned char *pixels = image.data();
    OutputFile out(path);
    if (out.Stream() == nullptr)
        return out.Problem() == OutputProblem::ReadOnly ? MapFileStatus::ReadOnly
                                                        : MapFileStatus::CannotWrite;
    switch (WriteBmpStream(kMapWidth, kMapImageRows, 3, 0, pixels, out.Stream())) {
    case 0: return out.Commit() ? MapFileStatus::Written : MapFileStatus::CannotWrite;
    case kBmpOutOfMemory: return MapFileStatus::OutOfMemory;
    default: return MapFileStatus::CannotWrite;
    }
}

OutputProblem WriteGridFile(const std::string &path, const double *grid) {
    OutputFile out(path);
    std::FILE *file = out.Stream();
    if (!file)
        return out.Problem();
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
    return ok && out.Commit() ? OutputProblem::None : OutputProblem::CannotWrite;
}
