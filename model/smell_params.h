#pragma once
#include <cstdio>

// Constants of the dispersion model: built-in defaults, optionally overwritten from
// smell.prm at the start of every tall-outlet computation. 129 doubles in file order.
constexpr int kSmellParamCount = 129;

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
static_assert(sizeof(SmellParams) == kSmellParamCount * sizeof(double),
              "smell.prm holds 129 values");

void SetDefaultSmellParams(SmellParams &params);
// What a read of smell.prm found, for a caller that tells the user; the program does not.
struct SmellParamsSource {
    enum State { Absent, Unreadable, Read } state = Absent;
    int valuesRead = 0; // values the file supplied; the others kept what they held
};

// Overwrites from "smell.prm" in the current directory every value the file supplies.
// Silent: a missing file, a value that does not convert, or one that would make a shown
// result no number or infinite (not finite; a downwind step of 0 or below; an index exponent
// of 0 or so near 0 that dividing by it overflows; a σ coefficient of 0 or below of the class
// computed) keeps the default. Every other value is used as written.
void ReadSmellParams(SmellParams &params);
// How many of the 129 constants differ from the built-in defaults.
int ChangedSmellParams(const SmellParams &params);
// The same from the named file, saying what was found.
SmellParamsSource ReadSmellParamsFile(SmellParams &params, const char *path);
// The same from an open file (read as bytes; CR LF counts as one line end). Returns the
// number of values the file supplied.
int ReadSmellParamsFrom(SmellParams &params, std::FILE *file);
