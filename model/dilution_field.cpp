#include "model/dilution_field.h"

#include "model/dispersion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// ln(1 + e^(−u)) on [0, kTailEnd) as degree-7 polynomials over intervals of a half,
// within 3e-12 (a dilution degree within 2e-11); beyond, the term is below 1e-17 and
// counts as 0.
constexpr int kDegree = 7;
constexpr double kWidth = 0.5;
constexpr double kTailEnd = 40.0;
constexpr int kIntervals = static_cast<int>(kTailEnd / kWidth);

struct TailTable {
    double coefficient[kIntervals][kDegree + 1]; // in t = (u − centre) / (kWidth / 2)
};

TailTable BuildTailTable() {
    TailTable table;
    const double pi = 3.14159265358979323846;
    constexpr int n = kDegree + 1;
    for (int j = 0; j < kIntervals; ++j) {
        const double centre = (j + 0.5) * kWidth;
        double nodeValue[n], node[n];
        for (int k = 0; k < n; ++k) {
            node[k] = std::cos(pi * (k + 0.5) / n);
            nodeValue[k] = std::log1p(std::exp(-(centre + 0.5 * kWidth * node[k])));
        }
        // Chebyshev interpolation, then its monomial form.
        double chebyshev[n];
        for (int m = 0; m < n; ++m) {
            double sum = 0;
            for (int k = 0; k < n; ++k)
                sum += nodeValue[k] * std::cos(m * pi * (k + 0.5) / n);
            chebyshev[m] = (m == 0 ? 1.0 : 2.0) * sum / n;
        }
        double previous[n] = {1}, current[n] = {0, 1}, monomial[n] = {};
        monomial[0] = chebyshev[0];
        for (int p = 0; p < n; ++p)
            monomial[p] += chebyshev[1] * current[p];
        for (int m = 2; m < n; ++m) {
            double next[n] = {};
            for (int p = 0; p < n; ++p) {
                next[p] = (p > 0 ? 2 * current[p - 1] : 0.0) - previous[p];
            }
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

const TailTable &Tail() {
    static const TailTable table = BuildTailTable();
    return table;
}

struct RowConstants {
    double He;
    double offset;     // −(10/m)·log10(Qd·prefactor) − 10·k/m
    double quadratic;  // (10/m)·log10(e) / (2σz²)
    double tailScale;  // (10/m)·log10(e)
    double decay;      // 2·He / σz²
    double floor;      // the smallest dilution degree a cell can hold
    double emptyLimit; // (z − He)² beyond which the concentration underflows to 0
    double empty;      // the dilution degree of a cell without concentration
    double heightStep;
};

// Columns [first, last) whose tail lies in one interval (poly), or past the table.
template <bool kWithTail>
inline void FillChunkBody(const RowConstants &k, const double *poly, double centre, int first,
                          int last, double *__restrict row) {
    const double toT = 2.0 / kWidth;
    double c[kDegree + 1] = {};
    if (kWithTail)
        for (int q = 0; q <= kDegree; ++q)
            c[q] = poly[q];
    for (int i = first; i < last; ++i) {
        const double z = i * k.heightStep;
        const double d = z - k.He;
        const double dd = d * d;
        double cell = k.offset + k.quadratic * dd;
        if (kWithTail) {
            const double t = (k.decay * z - centre) * toT;
            double p = c[kDegree];
            for (int q = kDegree - 1; q >= 0; --q)
                p = p * t + c[q];
            cell -= k.tailScale * p;
        }
        cell = cell < k.floor ? k.floor : cell;
        row[i] = dd > k.emptyLimit ? k.empty : cell;
    }
}

// The same loop twice: 256-bit vectors where the processor has them, 128-bit otherwise.
__attribute__((target("avx2"))) void FillChunkWide(const RowConstants &k, const double *poly,
                                                   double centre, int first, int last,
                                                   double *row) {
    if (poly)
        FillChunkBody<true>(k, poly, centre, first, last, row);
    else
        FillChunkBody<false>(k, poly, centre, first, last, row);
}

void FillChunkNarrow(const RowConstants &k, const double *poly, double centre, int first, int last,
                     double *row) {
    if (poly)
        FillChunkBody<true>(k, poly, centre, first, last, row);
    else
        FillChunkBody<false>(k, poly, centre, first, last, row);
}

using ChunkFiller = void (*)(const RowConstants &, const double *, double, int, int, double *);

ChunkFiller ChooseChunkFiller() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? FillChunkWide : FillChunkNarrow;
}

void FillChunk(const RowConstants &k, const double *poly, double centre, int first, int last,
               double *row) {
    static const ChunkFiller fill = ChooseChunkFiller();
    fill(k, poly, centre, first, last, row);
}

void FillRowAboveGround(const RowConstants &k, int columns, double *row) {
    const TailTable &table = Tail();
    int i = 1;
    while (i < columns) {
        const double u = k.decay * (i * k.heightStep);
        if (!(u < kTailEnd)) {
            FillChunk(k, nullptr, 0, i, columns, row);
            return;
        }
        const int j = std::max(0, static_cast<int>(u / kWidth));
        int last = columns;
        if (k.decay > 0) {
            const double end = (j + 1) * kWidth / (k.decay * k.heightStep);
            if (end < columns)
                last = std::max(i + 1, static_cast<int>(std::ceil(end)));
        }
        FillChunk(k, table.coefficient[j], (j + 0.5) * kWidth, i, last, row);
        i = last;
    }
}

struct FieldJob {
    TallOutletInputs in; // each worker its own: EffectiveHeight records its last value
    const MetConditions *met;
    const SmellParams *params;
    const PlumeRise *rise;
    int firstRow, lastRow, columns;
    double *grid;
    double *ground;
};

void FillRows(FieldJob &job) {
    const SmellParams &p = *job.params;
    const double Qd = job.in.dryFlow;
    const double m = p.indexExponent;
    const double k = p.indexOffset;
    const double log10e = 0.43429448190325182765;
    RowConstants c;
    c.tailScale = (10 / m) * log10e;
    c.floor = std::max(-10 * k / m, 0.0);
    c.empty = 10 * std::log10(2e30) - 10 * k / m;
    c.heightStep = p.heightStep;
    for (int r = job.firstRow; r < job.lastRow; ++r) {
        const double x = (r + 1) * p.downwindStep;
        const double He = EffectiveHeight(job.in, *job.met, *job.rise, x);
        const double sy = SigmaY(job.in, *job.met, p, x);
        const double sz = SigmaZ(job.in, *job.met, p, x);
        const double z0 = 0 * p.heightStep;
        job.ground[r] = (std::exp(-0.5 * (z0 + He) * (z0 + He) / (sz * sz)) +
                         std::exp(-0.5 * (z0 - He) * (z0 - He) / (sz * sz))) *
                        0.5 / (3.14 * sy * sz);
        const double prefactor = 0.5 / (3.14 * sy * sz);
        c.He = He;
        c.offset = -(10 / m) * std::log10(Qd * prefactor) - 10 * k / m;
        c.quadratic = c.tailScale / (2 * sz * sz);
        c.decay = 2 * He / (sz * sz);
        // exp(−0.5·d²/σz²) is 0 in double precision beyond about 745.
        c.emptyLimit = 2 * 745.2 * sz * sz;
        FillRowAboveGround(c, job.columns, job.grid + static_cast<int64_t>(r) * job.columns);
    }
}

} // namespace

double SoftplusTail(double u) {
    if (!(u < kTailEnd))
        return 0.0;
    const int j = std::max(0, static_cast<int>(u / kWidth));
    const double *poly = Tail().coefficient[j];
    const double t = (u - (j + 0.5) * kWidth) * (2.0 / kWidth);
    double p = poly[kDegree];
    for (int q = kDegree - 1; q >= 0; --q)
        p = p * t + poly[q];
    return p;
}

void FillDilutionField(TallOutletInputs &in, const MetConditions &met, const SmellParams &params,
                       const PlumeRise &rise, int rows, int columns, double *grid, double *ground) {
    Tail(); // built before the workers start
    const unsigned cores = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    const int workers =
        static_cast<int>(std::min<unsigned>(cores, static_cast<unsigned>(rows / 64 + 1)));
    std::vector<FieldJob> jobs;
    for (int w = 0; w < workers; ++w) {
        const int first = static_cast<int>(static_cast<int64_t>(rows) * w / workers);
        const int last = static_cast<int>(static_cast<int64_t>(rows) * (w + 1) / workers);
        jobs.push_back({in, &met, &params, &rise, first, last, columns, grid, ground});
    }
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w) {
        try {
            threads.emplace_back(FillRows, std::ref(jobs[w]));
        } catch (const std::system_error &) {
            FillRows(jobs[w]); // no thread to be had: do the share here
        }
    }
    FillRows(jobs[0]);
    for (std::thread &t : threads)
        t.join();
    in.result.effectiveHeight = jobs.back().in.result.effectiveHeight;
}
