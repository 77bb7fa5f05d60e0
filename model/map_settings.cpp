#include "model/map_settings.h"

#include "model/dilution_grid.h"
#include "model/quantise.h"

#include <algorithm>

namespace {

int32_t DownwindRangeFor(int32_t landingRow) {
    if (landingRow >= 4000)
        return 10000;
    if (landingRow >= 2000)
        return 5000;
    if (landingRow >= 800)
        return 2000;
    if (landingRow >= 400)
        return 1000;
    if (landingRow >= 200)
        return 500;
    if (landingRow >= 80)
        return 200;
    return 100;
}

int32_t DisplayHeightFor(double outletHeight, double buildingHeight) {
    const int32_t h = 2 * std::max(TruncToInt32(outletHeight), TruncToInt32(buildingHeight));
    if (h > 400)
        return 800;
    if (h > 200)
        return 400;
    if (h > 100)
        return 200;
    if (h > 50)
        return 100;
    return 50;
}

} // namespace

MapSettings DefaultMapSettings(const TallOutletInputs &in, const TallOutletResult &r,
                               const double *grid) {
    return LandingMapSettings(in, r, LandingDilution(r, grid));
}

MapSettings LandingMapSettings(const TallOutletInputs &in, const TallOutletResult &r,
                               double landingDilution) {
    MapSettings s;
    if (r.landingRow < 0 || r.landingColumn < 0) {
        // No landing point: the limits of a map with no plume anywhere.
        s.redLimit = 0.0;
        s.whiteLimit = 300.0;
    } else {
        const double g = landingDilution;
        float L = static_cast<float>(RoundShown(g) / 10 * 10);
        if (L < 0)
            L = 0;
        if (L > 300)
            L = 300;
        float U = static_cast<float>(RoundShown(2 * g) / 10 * 10);
        if (L > U)
            U = L;
        if (TruncToInt32(U) - TruncToInt32(L) < 50)
            U = L + 50;
        if (U > 300)
            U = 300;
        if (U == L)
            L = 0;
        s.redLimit = L;
        s.whiteLimit = U;
    }
    s.downwindRange = DownwindRangeFor(r.landingRow);
    s.displayHeight = DisplayHeightFor(in.tallOutletHeight, in.tallBuildingHeight);
    return s;
}
