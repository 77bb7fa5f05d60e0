#include "print/printed_map.h"

#include "map/map_raster.h"

std::vector<unsigned char> PrintedMapImage(bool colour) {
    if (gMapImage.empty())
        ClearMapImage();
    if (colour)
        return gMapImage;
    std::vector<unsigned char> grey = GreyMapImage(kMapWidth, kMapHeight, gMapField);
    DrawMapMarks(kPrintMarks, kMapWidth, kMapHeight, grey);
    return grey;
}
