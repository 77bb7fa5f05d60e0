#include "app/shown_map.h"

#include "map/map_raster.h"

DilutionGrid gScreenGrid;
MapSettings gMapSettings = kInitialMapSettings;
std::vector<unsigned char> gMapImage;
MapGeometry gShownMapGeometry = kMapGeometry;

std::vector<unsigned char> ScreenMapPicture(const OutletInputs &in, const TallOutletResult &r) {
    return RenderMap(gScreenGrid.Cells(), gMapSettings, MapMarksOf(gMapSettings, in, r),
                     MapStyle::Screen, gShownMapGeometry);
}

void BlankScreenMap(const OutletInputs &in, const TallOutletResult &r) {
    gMapImage = RenderMap(nullptr, gMapSettings, MapMarksOf(gMapSettings, in, r), MapStyle::Screen,
                          gShownMapGeometry);
}
