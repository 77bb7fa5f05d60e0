#include "model/dispersion.h"

#include "model/quantise.h"

#include <cmath>

namespace {

double WakeLength(const TallOutletInputs &in) {
    if (BuildingBelow15TimesOutlet(in.tallBuildingHeight, in.tallOutletHeight))
        return in.tallBuildingHeight;
    return 1.5 * in.tallOutletHeight;
}

double PasquillY(const SmellParams &p, int c, double x) {
    const int s = (x >= 1000) ? 1 : 0;
    return p.sigmaYCoefficient[c][s] * std::pow(x, p.sigmaYExponent[c][s]);
}

double PasquillZ(const SmellParams &p, int c, double x) {
    int s = 0;
    while (s < 5 && x > p.sigmaZBreak[s])
        ++s;
    return p.sigmaZCoefficient[c][s] * std::pow(x, p.sigmaZExponent[c][s]);
}

} // namespace

double SigmaY(const TallOutletInputs &in, const MetConditions &met, const SmellParams &p,
              double x) {
    const int c = met.stabilityClass;
    if (in.result.downwashClass < 1)
        return PasquillY(p, c, x);
    const double Lw = WakeLength(in);
    if (Quantise(x, 10000) < Quantise(Lw, 30000))
        return 0.35 * Lw;
    if (Quantise(x, 10000) < Quantise(Lw, 100000))
        return 0.35 * Lw + 0.067 * (x - 3 * Lw);
    const double sigma0 = 0.319 * Lw + 0.5 * Lw;
    double xv = std::pow(sigma0 / p.sigmaYCoefficient[c][0], 1 / p.sigmaYExponent[c][0]);
    if (!(xv < 1000))
        xv = std::pow(sigma0 / p.sigmaYCoefficient[c][1], 1 / p.sigmaYExponent[c][1]);
    return PasquillY(p, c, xv - 10 * Lw + x);
}

double SigmaZ(const TallOutletInputs &in, const MetConditions &met, const SmellParams &p,
              double x) {
    const int c = met.stabilityClass;
    if (in.result.downwashClass < 1)
        return PasquillZ(p, c, x);
    const double Lw = WakeLength(in);
    if (Quantise(x, 10000) < Quantise(Lw, 30000))
        return 0.7 * Lw;
    if (Quantise(x, 10000) < Quantise(Lw, 100000))
        return 0.7 * Lw + 0.067 * (x - 3 * Lw);
    const double sigma0 = 1.169 * Lw;
    double xv = 0.0;
    for (int s = 0; s < 6; ++s) {
        xv = std::pow(sigma0 / p.sigmaZCoefficient[c][s], 1 / p.sigmaZExponent[c][s]);
        if (!(xv > p.sigmaZBreak[s]))
            break;
    }
    return PasquillZ(p, c, xv - 10 * Lw + x);
}
