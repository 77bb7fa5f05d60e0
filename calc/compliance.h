#pragma once
#include "calc/calc_output.h"
#include "calc/calc_request.h"

// The verdict on an odor index measured at the outlet, judged as the regulation judges
// each case: in cases A and B the index against the shown No. 2 standard (a whole index);
// in cases C and D, whose standard is an emission rate, the measured rate (dry flow at
// standard conditions × 10^(N/10)) against the allowable rate as computed.

struct Compliance {
    double measuredIndex = 0;
    double measuredEmissionRate = -1; // cases C and D; −1 in cases A and B
    bool complies = false;
    // Index units to spare (negative: by how much the outlet exceeds). Infinite when the
    // allowable rate has no limit.
    double margin = 0;
};

// The measured index as typed: the screens' numeric rule, full-width digits and a
// decimal allowed. Null on success, else the message to show (code page 932).
const char *ReadMeasuredIndex(const std::string &text, double *index);

// Judges a computed outcome (its case, no2Index or allowableEmissionRate and dryFlow).
// False when the outcome does not hold what the case needs.
bool JudgeOutcome(const Outcome &outcome, double measuredIndex, Compliance *verdict);

// When the options hold the measured index, judges the outcome and appends measuredIndex,
// measuredEmissionRate (cases C and D), complies and margin. Without the option the outcome
// is left as it is.
RequestError JudgeMeasuredIndex(const OutletOptions &options, Outcome &outcome);

// The verdict's word, code page 932: "適合" or "不適合".
const char *ComplianceWord(bool complies);
