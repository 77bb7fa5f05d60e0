#pragma once
#include <cstdint>

// Length comparisons are made on 32-bit integers of v × f + 0.5 truncated toward zero,
// a resolution of 0.1 mm with f = 10000. Out-of-range values saturate; not-a-number gives 0.
int32_t Quantise(double v, double f);

// trunc(v) as a 32-bit integer, saturating at the ends of the range; not-a-number gives 0.
int32_t TruncToInt32(double v);

// How every number shown as an integer is rounded: trunc(v + 0.5).
inline int32_t RoundShown(double v) {
    return TruncToInt32(v + 0.5);
}
