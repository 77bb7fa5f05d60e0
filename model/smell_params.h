#pragma once
#include <cstdio>

// Constants of the dispersion model: built-in defaults, optionally overwritten from
// smell.prm at the start of every tall-outlet computation. 129 doubles in file order.
struct SmellParams {
    double downwindStep;
    double heightStep;
    double indexExponent; // m
    double indexOffset;   // k
    double thetaGradient[7];
    double sigmaZBreak[6];
    double sigmaZExponent[7][6];
    double sigmaZCoefficient[7][6];
    double sigmaYExponent[7][2];
    double sigmaYCoefficient[7][2];
};
static_assert(sizeof(SmellParams) == 129 * sizeof(double), "smell.prm holds 129 values");

void SetDefaultSmellParams(SmellParams &params);
// Overwrites from "smell.prm" in the current directory every value the file supplies.
// Silent: a missing file, a value that does not convert, or one the model cannot compute
// with (not finite; zero or negative where the model divides by it or raises to it; a
// negative temperature gradient) keeps the default.
void ReadSmellParams(SmellParams &params);
// The same from an open file (read as bytes; CR LF counts as one line end).
void ReadSmellParamsFrom(SmellParams &params, std::FILE *file);
