#include "model/quantise.h"

#include <cmath>

int32_t TruncToInt32(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT32_MAX;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

int32_t Quantise(double v, double f) {
    return TruncToInt32(v * f + 0.5);
}

bool SmallOutletAtLeast67m(double outletHeight) {
    return Quantise(outletHeight, 10000) >= 67000;
}

bool SmallOutletBuildingBelow10m(double buildingHeight) {
    return Quantise(buildingHeight, 10000) < 100000;
}

bool BuildingBelow15TimesOutlet(double buildingHeight, double outletHeight) {
    return Quantise(buildingHeight, 10000) < Quantise(outletHeight, 15000);
}
