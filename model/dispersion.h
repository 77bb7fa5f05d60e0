#pragma once
#include "model/outlet_inputs.h"
#include "model/plume_rise.h"
#include "model/smell_params.h"

// Horizontal and vertical dispersion parameters at downwind distance x (m), with the
// building-wake rules under weak or strong downwash.
double SigmaY(const TallOutletInputs &in, const MetConditions &met, const SmellParams &params,
              double x);
double SigmaZ(const TallOutletInputs &in, const MetConditions &met, const SmellParams &params,
              double x);
