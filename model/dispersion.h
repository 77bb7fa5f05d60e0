#pragma once
#include "model/outlet_results.h"
#include "model/plume_rise.h"
#include "model/smell_params.h"

#include <cstdint>

// Horizontal and vertical dispersion parameters at downwind distance x (m), with the
// building-wake rules under weak or strong downwash.
double SigmaY(const TallRun &in, const MetConditions &met, const SmellParams &params, double x);
double SigmaZ(const TallRun &in, const MetConditions &met, const SmellParams &params, double x);

// What SigmaY and SigmaZ need of an outlet apart from the distance, worked out once for a
// sweep of many distances; SpreadY and SpreadZ then give the same values as SigmaY and
// SigmaZ, bit for bit.
struct SpreadConstants {
    int stabilityClass;
    bool wake; // weak or strong downwash: the building-wake rules
    double wakeLength;
    int32_t nearEnd;           // Quantise(wakeLength, 30000): below, the near-wake spread
    int32_t middleEnd;         // Quantise(wakeLength, 100000): below, the growing wake
    double virtualY, virtualZ; // virtual distances that continue the wake beyond 10 × its length
};
SpreadConstants PrepareSpread(const TallRun &in, const MetConditions &met,
                              const SmellParams &params);
double SpreadY(const SpreadConstants &k, const SmellParams &params, double x);
double SpreadZ(const SpreadConstants &k, const SmellParams &params, double x);

// Normalised concentration (s/m³) on the plume's centre line at height z, with the
// ground's reflection, for axis height He and spreads σy, σz: the one formula behind the
// field and the ground-level maximum (π as 3.14, wind 1 m/s).
double PlumeConcentration(double z, double He, double sy, double sz);
