#include "model/tall_outlet.h"

#include "model/dispersion.h"

#include <cmath>

double DilutionOfRatio(double p, double m, double k) {
    if (p == 0)
        return 10 * std::log10(2e30) - 10 * k / m;
    const double H = std::pow(p, -1 / m);
    if (std::isinf(H))
        return -(10 / m) * std::log10(p) - 10 * k / m;
    return 10 * std::log10(H) - 10 * k / m;
}

double BoundaryDistance(const TallOutletInputs &in) {
    if (in.result.downwashClass != DownwashNone && in.buildingToBoundary <= in.outletToBoundary)
        return in.buildingToBoundary;
    return in.outletToBoundary;
}

namespace {

double SweepConcentrations(TallOutletInputs &in, const MetConditions &met,
                           const SmellParams &params, const PlumeRise &rise, int rows, int columns,
                           double *grid, double Xb) {
    double Fmax = 0.0;
    for (int k = 1; k <= rows; ++k) {
        const double x = k * params.downwindStep;
        const double He = EffectiveHeight(in, met, rise, x);
        const double sy = SigmaY(in, met, params, x);
        const double sz = SigmaZ(in, met, params, x);
        double *row = grid + static_cast<int64_t>(k - 1) * columns;
        for (int i = 0; i < columns; ++i) {
            const double z = i * params.heightStep;
            row[i] = (std::exp(-0.5 * (z + He) * (z + He) / (sz * sz)) +
                      std::exp(-0.5 * (z - He) * (z - He) / (sz * sz))) *
                     0.5 / (3.14 * sy * sz);
        }
        if (x >= Xb && row[0] > Fmax)
            Fmax = row[0];
    }
    return Fmax;
}

void ComputeLimits(TallOutletInputs &in, const SmellParams &params, double Fmax) {
    const double Qd = in.dryFlow;
    const double m = params.indexExponent;
    const double k = params.indexOffset;
    const double I1 = in.no1Standard;
    const double q =
        std::pow(Qd, 1 - 1 / m) * std::pow(Fmax, -1 / m) * std::pow(10.0, I1 / 10 - k / m);
    in.result.allowableOutletIndex = 10 * std::log10(q / Qd);
    in.result.allowableEmissionRate = q * 60;
    in.result.dilutionDegree = DilutionOfRatio(Qd * Fmax, m, k);
}

// Second pass: every cell to a dilution degree, and the landing row, the nearest row at
// or beyond the boundary with the lowest ground-level dilution. A ground cell with no
// concentration at all ranks after every cell that has some, so the landing row is the
// row of the maximum ground-level concentration even where tiny concentrations give
// dilution degrees above the no-plume value.
void ConvertToDilution(const TallOutletInputs &in, const SmellParams &params, int rows, int columns,
                       double *grid, double Xb, int32_t *landingRow, int32_t *landingColumn) {
    const double Qd = in.dryFlow;
    const double m = params.indexExponent;
    const double k = params.indexOffset;
    bool landingIsEmpty = false;
    for (int r = 0; r < rows; ++r) {
        const double x = (r + 1) * params.downwindStep;
        double *row = grid + static_cast<int64_t>(r) * columns;
        bool groundIsEmpty = false;
        for (int c = 0; c < columns; ++c) {
            double v = row[c];
            if (v > 1 / Qd)
                v = 1 / Qd;
            const double p = v * Qd;
            if (c == 0)
                groundIsEmpty = p == 0;
            const double cell = DilutionOfRatio(p, m, k);
            row[c] = cell < 0 ? 0.0 : cell;
        }
        if (x < Xb)
            continue;
        bool better;
        if (*landingRow == -1)
            better = true;
        else if (landingIsEmpty != groundIsEmpty)
            better = landingIsEmpty;
        else
            better = row[0] < grid[static_cast<int64_t>(*landingRow) * columns];
        if (better) {
            *landingRow = r;
            *landingColumn = 0;
            landingIsEmpty = groundIsEmpty;
        }
    }
}

} // namespace

double RunTallOutlet(TallOutletInputs &in, bool convertToDilution, int rows, int columns,
                     double *grid, int32_t *landingRow, int32_t *landingColumn) {
    *landingRow = -1;
    *landingColumn = -1;
    SmellParams params;
    SetDefaultSmellParams(params);
    ReadSmellParams(params);
    const MetConditions met = StandardMetConditions();
    NormaliseFlows(in);
    const PlumeRise rise = ComputePlumeRise(in, met, params);

    const double Xb = BoundaryDistance(in);
    double Fmax = SweepConcentrations(in, met, params, rise, rows, columns, grid, Xb);
    if (Fmax > 1 / in.dryFlow)
        Fmax = 1 / in.dryFlow;
    ComputeLimits(in, params, Fmax);
    if (convertToDilution)
        ConvertToDilution(in, params, rows, columns, grid, Xb, landingRow, landingColumn);
    return Fmax;
}
