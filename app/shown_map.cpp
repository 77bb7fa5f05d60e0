#include "app/shown_map.h"

#include "map/map_raster.h"

DilutionGrid gScreenGrid;
MapSettings gMapSettings = kInitialMapSettings;
std::vector<unsigned char> gMapImage;

std::vector<unsigned char> ScreenMapPicture(const OutletInputs &in) {
    return RenderMap(gScreenGrid.Cells(), gMapSettings, MapMarksOf(gMapSettings, in),
                     MapStyle::Screen, kMapWidth, kMapHeight);
}

void BlankScreenMap(const OutletInputs &in) {
    gMapImage = RenderMap(nullptr, gMapSettings, MapMarksOf(gMapSettings, in), MapStyle::Screen,
                          kMapWidth, kMapHeight);
}
