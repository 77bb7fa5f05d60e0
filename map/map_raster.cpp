#include "map/map_raster.h"
