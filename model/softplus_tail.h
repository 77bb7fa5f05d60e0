#pragma once

// ln(1 + e^(−u)) for u ≥ 0, the smooth part of a dilution degree, within 1e-12:
// below kSeriesStart from polynomials over intervals of an eighth, each fitted over a
// quarter so that four neighbouring columns can share one; from there its series in
// t = e^(−u); from kTailEnd on it is below 1e-17 and counts as 0.
constexpr double kSeriesStart = 6.0;
constexpr double kTailEnd = 40.0;
constexpr double kIntervalWidth = 0.125;
constexpr double kFitWidth = 0.25;
constexpr int kTailDegree = 6;
constexpr int kTailIntervals = static_cast<int>(kSeriesStart / kIntervalWidth);

struct TailTable {
    // Interval j starts at j / 8; its polynomial is in s = (u − j/8) · 8 − 1.
    double coefficient[kTailIntervals][kTailDegree + 1];
};

const TailTable &Tail();

// ln(1 + t) for t ≤ e^(−6), by its series.
inline double SmallLog1p(double t) {
    return t * (1 + t * (-0.5 + t * (1.0 / 3 + t * -0.25)));
}

double SoftplusTail(double u);
