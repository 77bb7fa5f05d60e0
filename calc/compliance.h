#pragma once
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "model/verdict.h"
#include "model/verdict_texts.h"

// The measured index as typed: the screens' numeric rule, full-width digits and a
// decimal allowed. Null on success, else the message to show (code page 932).
const char *ReadMeasuredIndex(const std::string &text, double *index);

// The measured index of the options into the record as the screens keep it, its value and
// its text; none when the options hold none or not a valid one.
void TakeMeasuredIndex(const OutletOptions &options, OutletInputs &in);

// When the options hold the measured index, judges it against the standard of the computed
// outlet and appends measuredIndex, measuredEmissionRate (cases C and D), complies, margin
// and requiredReduction (null when it complies) to its outcome. Without the option the
// outcome is left as it is.
RequestError JudgeMeasuredIndex(const OutletOptions &options, const OutletStandard &standard,
                                Outcome &outcome);
