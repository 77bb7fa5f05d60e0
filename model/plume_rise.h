#pragma once
#include "model/compute_status.h"
#include "model/outlet_results.h"
#include "model/smell_params.h"

// The weather of the computation is fixed: 1 m/s wind, 288 K air, stability class B.
struct MetConditions {
    double windSpeed;
    double ambientTemperature;
    int stabilityClass; // 0..6 = Pasquill A..G
};
MetConditions StandardMetConditions();

struct PlumeRise {
    double F;     // buoyancy flux, m⁴/s³
    double Fm;    // momentum flux, m⁴/s²
    double betaJ; // jet entrainment coefficient
    double s;     // stability parameter (classes F and G)
    double xb, xm, xf;
    double dhb, dhm, dh;
    // Gas colder than the air: the buoyant quantities (xb, xf, dhb) have no value, and the
    // final rise applies at every distance.
    bool buoyancyUndefined;
};

// Turns the one flow the user gave into dry flow and wet flow (m³N/s) and exit velocity
// (m/s); moisture becomes a fraction. FlowGuard, with the moisture already a fraction and
// nothing else changed, when the record holds two flows or a flow and the velocity.
[[nodiscard]] ComputeStatus NormaliseFlows(TallOutletInputs &in);

// Briggs plume rise, stack-tip and building downwash. Writes downwashClass and
// downwashedHeight into the result part of the record.
PlumeRise ComputePlumeRise(TallRun &in, const MetConditions &met, const SmellParams &params);

// Height of the plume axis at downwind distance x; stored in effectiveHeight too.
double EffectiveHeight(TallRun &in, const MetConditions &met, const PlumeRise &rise, double x);
