#include "print/printed_map.h"

#include "map/map_raster.h"

#include <cstddef>

std::vector<unsigned char> PrintedMapImage(bool colour, const MapSettings &settings,
                                           const OutletInputs &in) {
    const MapMarks marks = MapMarksOf(settings, in);
    if (gMapImage.empty() && !ClearMapImage(marks))
        return {};
    // Without a field there is nothing to grey: the blank map is the same in both.
    if (colour || gMapField.size() != static_cast<size_t>(kMapWidth) * kMapHeight)
        return gMapImage;
    std::vector<unsigned char> grey = GreyMapImage(kMapWidth, kMapHeight, gMapField, settings);
    if (!grey.empty())
        DrawMapMarks(kPrintMarks, kMapWidth, kMapHeight, grey, marks);
    return grey;
}
