#include "model/plume_rise.h"

#include "model/quantise.h"

#include <algorithm>
#include <cmath>

MetConditions StandardMetConditions() {
    return MetConditions{1.0, 288.0, 1};
}

ComputeStatus NormaliseFlows(TallOutletInputs &in) {
    in.moisture = in.moisture / 100;
    const double w = in.moisture;
    const double D = in.outletDiameter;
    const double T = in.gasTemperature;
    const double A = 0.785 * D * D;
    if (in.dryFlow < 0 && in.wetFlow < 0) {
        const double Vs = in.exitVelocity;
        in.wetFlow = Vs * A * 273.15 / (T + 273.15);
        in.dryFlow = (1 - w) * Vs * A * 273.15 / (T + 273.15);
    } else if (!(in.exitVelocity < 0)) {
        return ComputeStatus::FlowGuard;
    } else if (in.wetFlow < 0) {
        in.dryFlow = in.dryFlow / 60;
        in.wetFlow = in.dryFlow / (1 - w);
        in.exitVelocity = (T + 273.15) * in.wetFlow / 273.15 / A;
    } else if (in.dryFlow < 0) {
        in.wetFlow = in.wetFlow / 60;
        in.dryFlow = (1 - w) * in.wetFlow;
        in.exitVelocity = (T + 273.15) * in.wetFlow / 273.15 / A;
    } else {
        return ComputeStatus::FlowGuard;
    }
    in.buildingScale = in.tallBuildingHeight;
    return ComputeStatus::Ok;
}

static void ApplyDownwash(TallRun &in, const MetConditions &met) {
    const double u = met.windSpeed;
    const double Vs = in.exitVelocity;
    const double D = in.outletDiameter;
    const double Hb = in.tallBuildingHeight;
    const double Lb = in.buildingScale;

    double d = 0.0;
    if (Quantise(Vs, 10000) < Quantise(u, 15000))
        d = (1.5 - Vs / u) * 2 * D;
    const double h1 = in.tallOutletHeight - d;

    const double B = Hb + 1.5 * Lb;
    int32_t cls;
    double h2;
    if (Quantise(h1, 10000) >= Quantise(B, 10000)) {
        cls = DownwashNone;
        h2 = h1;
    } else if (Quantise(h1, 10000) >= Quantise(Hb, 10000)) {
        cls = DownwashWeak;
        h2 = 2 * h1 - B;
    } else {
        cls = DownwashWeak;
        h2 = h1 - 1.5 * Hb;
    }
    if (Quantise(h2, 10000) < Quantise(Lb, 5000))
        cls = DownwashStrong;
    in.result.downwashClass = cls;
    in.result.downwashedHeight = h2;
}

PlumeRise ComputePlumeRise(TallRun &in, const MetConditions &met, const SmellParams &params) {
    const double u = met.windSpeed;
    const double Ta = met.ambientTemperature;
    const int c = met.stabilityClass;
    const double Vs = in.exitVelocity;
    const double D = in.outletDiameter;
    const double Ts = in.gasTemperature + 273.15;

    PlumeRise r{};
    r.F = 9.8 * Vs * D * D * (Ts - Ta) / (4 * Ts);
    r.Fm = Vs * Vs * D * D * Ta / (4 * Ts);
    r.betaJ = u / Vs + 1.0 / 3.0;
    // Fractional powers of a negative flux have no value; the rules below then always
    // take the momentum rise, which is what those undefined values would have led to.
    r.buoyancyUndefined = r.F < 0;
    double dTc;
    if (c <= 4) {
        r.xm = 4 * D * (3 * u + Vs) * (3 * u + Vs) / (u * Vs);
        if (r.F < 55) {
            dTc = 0.0297 * Ts * std::pow(Vs, 1.0 / 3.0) / std::pow(D, 2.0 / 3.0);
            if (r.buoyancyUndefined)
                r.xb = 0.0;
            else
                r.xb = (r.F == 0) ? r.xm : 49 * std::pow(r.F, 0.625);
        } else {
            dTc = 0.00575 * Ts * std::pow(Vs, 2.0 / 3.0) / std::pow(D, 1.0 / 3.0);
            r.xb = 119 * std::pow(r.F, 0.4);
        }
        r.xf = (r.xm > r.xb) ? r.xm : r.xb;
        if (r.buoyancyUndefined)
            r.dhb = 0.0;
        else
            r.dhb = (r.F < 55) ? 21.425 * std::pow(r.F, 0.75) / u : 38.71 * std::pow(r.F, 0.6) / u;
        r.dhm = 3 * D * Vs / u;
    } else {
        r.s = params.thetaGradient[c] * 9.8 / Ta;
        dTc = 0.019582 * Ts * Vs * std::sqrt(r.s);
        r.xb = 2.0715 * u / std::sqrt(r.s);
        r.dhb = r.buoyancyUndefined ? 0.0 : 2.6 * std::pow(r.F / (u * r.s), 1.0 / 3.0);
        r.xm = 1.57 * u / std::sqrt(r.s);
        r.dhm = 1.5 * std::pow(r.Fm / (std::sqrt(r.s) * u), 1.0 / 3.0);
        r.xf = (r.xm > r.xb) ? r.xm : r.xb;
    }
    r.dh = ((Ts - Ta) > dTc) ? r.dhb : r.dhm;

    ApplyDownwash(in, met);
    return r;
}

double EffectiveHeight(TallRun &in, const MetConditions &met, const PlumeRise &rise, double x) {
    const double u = met.windSpeed;
    double r;
    if (in.outletDirection > DirectionUpward) {
        r = 0.0;
    } else if (x < 0 || rise.buoyancyUndefined || !(rise.xf > x)) {
        r = rise.dh;
    } else {
        const double rb =
            1.6 * std::pow(rise.F, 1.0 / 3.0) * std::pow(std::min(x, rise.xb), 2.0 / 3.0) / u;
        double rm;
        if (met.stabilityClass <= 4) {
            rm = std::pow(3 * rise.Fm * std::min(x, rise.xm) / (rise.betaJ * rise.betaJ * u * u),
                          1.0 / 3.0);
        } else {
            const double sq = std::sqrt(rise.s);
            rm = std::pow(3 * rise.Fm * std::sin(x * sq / u) / (rise.betaJ * rise.betaJ * u * sq),
                          1.0 / 3.0);
        }
        r = std::min(std::max(std::min(rm, rise.dhm), rb), rise.dh);
    }
    const double h2 = in.result.downwashedHeight;
    double He;
    if (Quantise(h2, 10000) < Quantise(in.buildingScale, 5000))
        He = 0.0;
    else
        He = h2 + r;
    in.result.effectiveHeight = He;
    return He;
}
