#pragma once
#include <algorithm>
#include <cmath>

// The four samples of n that cubic resampling combines at a position, clamped at both ends,
// and the fraction past the second. The map raster resamples in double precision and the
// screen's picture in single: each keeps its own.
template <typename Real> struct CubicTaps {
    int index[4];
    Real fraction;
};

template <typename Real> CubicTaps<Real> CubicTapsAt(Real position, int n) {
    const Real whole = std::trunc(position);
    const int i = std::min(std::max(static_cast<int>(whole), 0), n - 1);
    const Real fraction = position - whole;
    CubicTaps<Real> t{{i - 1, i, i + 1, i + 2}, fraction};
    if (i == 0)
        t = {{0, 0, 1, 2}, fraction};
    else if (i == n - 1)
        t = {{n - 2, n - 1, n - 1, n - 1}, fraction};
    else if (i == n - 2)
        t = {{n - 3, n - 2, n - 1, n - 1}, fraction};
    // Only a source of one or two samples reaches outside.
    for (int &k : t.index)
        k = std::min(std::max(k, 0), n - 1);
    return t;
}
