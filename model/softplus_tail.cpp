#include "model/softplus_tail.h"

#include <cmath>

namespace {

TailTable BuildTailTable() {
    TailTable table;
    const double pi = 3.14159265358979323846;
    constexpr int n = kTailDegree + 1;
    for (int j = 0; j < kTailIntervals; ++j) {
        const double start = j * kIntervalWidth;
        double value[n];
        for (int k = 0; k < n; ++k) {
            const double node = std::cos(pi * (k + 0.5) / n);
            value[k] = std::log1p(std::exp(-(start + 0.5 * kFitWidth * (node + 1))));
        }
        // Chebyshev interpolation at the nodes, then its monomial form.
        double chebyshev[n];
        for (int m = 0; m < n; ++m) {
            double sum = 0;
            for (int k = 0; k < n; ++k)
                sum += value[k] * std::cos(m * pi * (k + 0.5) / n);
            chebyshev[m] = (m == 0 ? 1.0 : 2.0) * sum / n;
        }
        double previous[n] = {1}, current[n] = {0, 1}, monomial[n] = {};
        monomial[0] = chebyshev[0];
        monomial[1] = chebyshev[1];
        for (int m = 2; m < n; ++m) {
            double next[n] = {};
            for (int p = 0; p < n; ++p)
                next[p] = (p > 0 ? 2 * current[p - 1] : 0.0) - previous[p];
            for (int p = 0; p < n; ++p) {
                previous[p] = current[p];
                current[p] = next[p];
                monomial[p] += chebyshev[m] * next[p];
            }
        }
        for (int p = 0; p < n; ++p)
            table.coefficient[j][p] = monomial[p];
    }
    return table;
}

} // namespace

const TailTable &Tail() {
    static const TailTable table = BuildTailTable();
    return table;
}

double SoftplusTail(double u) {
    if (!(u < kTailEnd))
        return 0.0;
    if (u >= kSeriesStart)
        return SmallLog1p(std::exp(-u));
    const int j = static_cast<int>(u / kIntervalWidth);
    const double *c = Tail().coefficient[j];
    const double s = (u - j * kIntervalWidth) * (2 / kFitWidth) - 1;
    double p = c[kTailDegree];
    for (int q = kTailDegree - 1; q >= 0; --q)
        p = p * s + c[q];
    return p;
}
