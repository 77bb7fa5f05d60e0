#include "model/dilution_field.h"

#include "model/dispersion.h"
#include "model/softplus_tail.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <immintrin.h>
#include <system_error>
#include <thread>
#include <vector>

namespace {

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

// The row kernel twice: 256-bit vectors where the processor has them, 128-bit otherwise.
#define KAMORTE_WIDE_VECTORS 0
namespace narrow {
#include "model/dilution_row_kernel.inc"
}
#undef KAMORTE_WIDE_VECTORS
#define KAMORTE_WIDE_VECTORS 1
#pragma GCC push_options
#pragma GCC target("avx2")
namespace wide {
#include "model/dilution_row_kernel.inc"
}
#pragma GCC pop_options
#undef KAMORTE_WIDE_VECTORS

using RowFiller = void (*)(const RowConstants &, int, double *);

RowFiller ChooseRowFiller() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? wide::FillRow : narrow::FillRow;
}

struct FieldJob {
    TallRun in; // each worker its own: EffectiveHeight records its last value
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
    static const RowFiller fillRow = ChooseRowFiller();
    RowConstants c;
    c.tailScale = (10 / m) * log10e;
    c.floor = std::max(-10 * k / m, 0.0);
    c.empty = 10 * std::log10(2e30) - 10 * k / m;
    c.heightStep = p.heightStep;
    const SpreadConstants spread = PrepareSpread(job.in, *job.met, p);
    for (int r = job.firstRow; r < job.lastRow; ++r) {
        const double x = (r + 1) * p.downwindStep;
        const double He = EffectiveHeight(job.in, *job.met, *job.rise, x);
        const double sy = SpreadY(spread, p, x);
        const double sz = SpreadZ(spread, p, x);
        job.ground[r] = PlumeConcentration(0 * p.heightStep, He, sy, sz);
        const double prefactor = 0.5 / (3.14 * sy * sz);
        c.He = He;
        c.offset = -(10 / m) * std::log10(Qd * prefactor) - 10 * k / m;
        c.quadratic = c.tailScale / (2 * sz * sz);
        c.decay = 2 * He / (sz * sz);
        // exp(−0.5·d²/σz²) is 0 in double precision beyond about 745.
        c.emptyLimit = 2 * 745.2 * sz * sz;
        fillRow(c, job.columns, job.grid + static_cast<int64_t>(r) * job.columns);
    }
    _mm_sfence(); // the streamed stores are weakly ordered
}

} // namespace

void FillDilutionField(TallRun &in, const MetConditions &met, const SmellParams &params,
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
