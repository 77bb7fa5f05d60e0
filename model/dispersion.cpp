#include "model/dispersion.h"

#include "model/quantise.h"

#include <cmath>

namespace {

double WakeLength(const TallRun &in) {
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

using Pasquill = double (*)(const SmellParams &p, int c, double x);

// One spread of both: in the building's wake it starts at a share of the wake length and
// grows by 0.067 a metre from three wake lengths; from ten it is Pasquill's again, measured
// from the virtual source that gives the wake's spread there.
double Spread(const SpreadConstants &k, const SmellParams &p, double x, Pasquill pasquill,
              double nearShare, double virtualDistance) {
    const int c = k.stabilityClass;
    if (!k.wake)
        return pasquill(p, c, x);
    const double Lw = k.wakeLength;
    const int32_t qx = Quantise(x, 10000);
    if (qx < k.nearEnd)
        return nearShare * Lw;
    if (qx < k.middleEnd)
        return nearShare * Lw + 0.067 * (x - 3 * Lw);
    return pasquill(p, c, virtualDistance - 10 * Lw + x);
}

} // namespace

SpreadConstants PrepareSpread(const TallRun &in, const MetConditions &met, const SmellParams &p) {
    SpreadConstants k{};
    const int c = met.stabilityClass;
    k.stabilityClass = c;
    k.wake = in.result.downwashClass >= 1;
    if (!k.wake)
        return k;
    const double Lw = WakeLength(in);
    k.wakeLength = Lw;
    k.nearEnd = Quantise(Lw, 30000);
    k.middleEnd = Quantise(Lw, 100000);
    const double sigma0Y = 0.319 * Lw + 0.5 * Lw;
    k.virtualY = std::pow(sigma0Y / p.sigmaYCoefficient[c][0], 1 / p.sigmaYExponent[c][0]);
    if (!(k.virtualY < 1000))
        k.virtualY = std::pow(sigma0Y / p.sigmaYCoefficient[c][1], 1 / p.sigmaYExponent[c][1]);
    const double sigma0Z = 1.169 * Lw;
    for (int s = 0; s < 6; ++s) {
        k.virtualZ = std::pow(sigma0Z / p.sigmaZCoefficient[c][s], 1 / p.sigmaZExponent[c][s]);
        if (!(k.virtualZ > p.sigmaZBreak[s]))
            break;
    }
    return k;
}

double SpreadY(const SpreadConstants &k, const SmellParams &p, double x) {
    return Spread(k, p, x, PasquillY, 0.35, k.virtualY);
}

double SpreadZ(const SpreadConstants &k, const SmellParams &p, double x) {
    return Spread(k, p, x, PasquillZ, 0.7, k.virtualZ);
}

double SigmaY(const TallRun &in, const MetConditions &met, const SmellParams &p, double x) {
    return SpreadY(PrepareSpread(in, met, p), p, x);
}

double SigmaZ(const TallRun &in, const MetConditions &met, const SmellParams &p, double x) {
    return SpreadZ(PrepareSpread(in, met, p), p, x);
}

namespace {

// exp(−d²/2σz²): 1 on the axis even where σz has shrunk to 0 (a site's negative σ exponents).
double Gaussian(double d, double sz) {
    return d == 0 ? 1.0 : std::exp(-0.5 * d * d / (sz * sz));
}

} // namespace

double PlumeConcentration(double z, double He, double sy, double sz) {
    // A spread grown to infinity (a site's large σ exponents, far downwind) dilutes the plume
    // to nothing, whatever the other spread.
    if (std::isinf(sy) || std::isinf(sz))
        return 0.0;
    const double direct = Gaussian(z - He, sz);
    // At the ground the reflected term is the same number.
    const double reflected = z == 0 ? direct : Gaussian(z + He, sz);
    // Where the plume does not reach there is nothing, even when the spreads have become too
    // small to divide by.
    if (reflected + direct == 0)
        return 0.0;
    return (reflected + direct) * 0.5 / (3.14 * sy * sz);
}
