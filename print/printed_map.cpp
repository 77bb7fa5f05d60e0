#include "print/printed_map.h"

#include "map/map_raster.h"

std::vector<unsigned char> PrintedMapImage(bool colour, const double *grid,
                                           const MapSettings &settings, const OutletInputs &in) {
    // As on the screen, which shows the blank map until a result exists.
    const bool result = in.tall.result.allowableOutletIndex >= 0;
    return RenderMap(result ? grid : nullptr, settings, MapMarksOf(settings, in),
                     colour ? MapStyle::Screen : MapStyle::Grey, kMapWidth, kMapHeight);
}
