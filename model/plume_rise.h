#pragma once
#include "model/outlet_inputs.h"
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
// (m/s); moisture becomes a fraction. Ends the process on an impossible combination.
void NormaliseFlows(TallOutletInputs &in);

// Briggs plume rise, stack-tip and building downwash. Writes downwashClass and
// downwashedHeight into the result part of the record.
PlumeRise ComputePlumeRise(TallOutletInputs &in, const MetConditions &met,
                           const SmellParams &params);

// Height of the plume axis at downwind distance x; stored in effectiveHeight too.
double EffectiveHeight(TallOutletInputs &in, const MetConditions &met, const PlumeRise &rise,
                       double x);

// Ends the process after the flow guard's line: a caller passed both flows or a flow and
// the velocity. Status 3, not 0: this is a failure.
[[noreturn]] void FailFlowGuard();
