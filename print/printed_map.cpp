#include "print/printed_map.h"

#include "map/map_raster.h"

std::vector<unsigned char> PrintedMapImage(bool colour, const double *grid,
                                           const MapSettings &settings, const OutletInputs &in,
                                           const TallOutletResult &r) {
    // As on the screen, which shows the blank map until a result exists.
    return RenderMap(HasResult(r) ? grid : nullptr, settings, MapMarksOf(settings, in, r),
                     colour ? MapStyle::Screen : MapStyle::Grey, kMapWidth, kMapHeight);
}
