#pragma once
#include "map/map_raster.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/outlet_results.h"

#include <vector>

// The map the screens share: the grid of the last calculation on a tall-outlet screen (the
// cursor readout and the adjustment dialog read it; printing draws the report's map from
// it), the settings the adjustment dialog changes, and the picture on the screen.
extern DilutionGrid gScreenGrid;
extern MapSettings gMapSettings;
extern std::vector<unsigned char> gMapImage;
// The size gMapImage is drawn at: the map control's on the screen now open (400 × 212 at
// 96 dpi, larger on a screen laid out larger).
extern MapGeometry gShownMapGeometry;

// The picture of the screens' grid under gMapSettings with the marks of result r of outlet
// in; empty when its memory was refused.
std::vector<unsigned char> ScreenMapPicture(const OutletInputs &in, const TallOutletResult &r);
// Puts the blank map in gMapImage, for a screen with no result (empty when refused), with
// the marks r leaves on it.
void BlankScreenMap(const OutletInputs &in, const TallOutletResult &r);
