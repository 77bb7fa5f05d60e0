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

void CalculateLowOutlet(OutletInputs &in, OutletCase outletCase) {
    if (outletCase == CaseA)
        in.buildingHeight = -1.0;
    double no2 = SmallOutletStandard(in.no1Index, in.outletHeight, in.representativeDiameter,
                                     in.buildingHeight);
    if (in.no1Index > no2)
        no2 = in.no1Index;
    in.lowResult.no2Index = no2;
    in.lowResult.dilution = no2 - in.no1Index;
}
