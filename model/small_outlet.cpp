#include "model/small_outlet.h"

#include "model/quantise.h"

#include <cmath>
#include <limits>

double RepresentativeDiameter(int32_t sizeClass) {
    switch (sizeClass) {
    case SizeMedium: return 0.75;
    case SizeLarge: return 1.2;
    default: return 0.4;
    }
}

double SmallOutletStandard(double I1, double hs, double d, double Hb) {
    double K;
    if (d < 0.6)
        K = 0.69;
    else if (d < 0.9)
        K = 0.2;
    else
        K = 0.1;

    double He;
    if (SmallOutletBuildingBelow10m(Hb))
        He = SmallOutletAtLeast67m(hs) ? 10.0 : 1.5 * hs;
    else
        He = !BuildingBelow15TimesOutlet(Hb, hs) ? 1.5 * hs : Hb;

    const double product = std::pow(10.0, I1 / 10) * K * He * He;
    if (product == 0)
        return -std::numeric_limits<double>::infinity();
    return 10 * std::log10(product);
}

LowOutletResult CalculateLowOutlet(const OutletInputs &in, OutletCase outletCase) {
    const double building = outletCase == CaseA ? -1.0 : in.buildingHeight;
    double no2 =
        SmallOutletStandard(in.no1Index, in.outletHeight, in.representativeDiameter, building);
    if (in.no1Index > no2)
        no2 = in.no1Index;
    return {no2, no2 - in.no1Index};
}
