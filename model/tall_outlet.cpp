#include "model/tall_outlet.h"

#include "model/dilution_field.h"
#include "model/dispersion.h"

#include <cmath>
#include <limits>
#include <vector>

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

struct RunSetup {
    SmellParams params;
    MetConditions met;
    PlumeRise rise;
    double Xb;
    ComputeStatus status;
};

RunSetup PrepareRun(TallOutletInputs &in) {
    RunSetup s;
    SetDefaultSmellParams(s.params);
    ReadSmellParams(s.params);
    s.met = StandardMetConditions();
    s.status = NormaliseFlows(in);
    if (s.status != ComputeStatus::Ok)
        return s;
    s.rise = ComputePlumeRise(in, s.met, s.params);
    s.Xb = BoundaryDistance(in);
    return s;
}

double GroundMaximum(const std::vector<double> &ground, const SmellParams &params, double Xb) {
    double Fmax = 0.0;
    for (size_t r = 0; r < ground.size(); ++r) {
        const double x = static_cast<double>(r + 1) * params.downwindStep;
        if (x >= Xb && ground[r] > Fmax)
            Fmax = ground[r];
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

// One cell's concentration as a dilution degree; *empty tells that it had none at all.
double ConvertCell(double v, double Qd, double m, double k, bool *empty) {
    if (v > 1 / Qd)
        v = 1 / Qd;
    const double p = v * Qd;
    *empty = p == 0;
    const double cell = DilutionOfRatio(p, m, k);
    return cell < 0 ? 0.0 : cell;
}

// The landing row: the nearest row at or beyond the boundary with the lowest ground-level
// dilution. A ground cell with no concentration at all ranks after every cell that has
// some, so the landing row is the row of the maximum ground-level concentration even
// where tiny concentrations give dilution degrees above the no-plume value.
class LandingSearch {
  public:
    LandingSearch(int32_t *row, int32_t *column) : row_(row), column_(column) {}
    void Consider(int r, double cell, bool empty) {
        bool better;
        if (*row_ == -1)
            better = true;
        else if (bestEmpty_ != empty)
            better = bestEmpty_;
        else
            better = cell < best_;
        if (better) {
            *row_ = r;
            *column_ = 0;
            best_ = cell;
            bestEmpty_ = empty;
        }
    }

  private:
    int32_t *row_;
    int32_t *column_;
    double best_ = 0;
    bool bestEmpty_ = false;
};

// Every cell from the plume formula, then every cell converted: the computation as its
// formulas read.
double SweepReference(TallOutletInputs &in, const RunSetup &s, bool convertToDilution, int rows,
                      int columns, double *grid, int32_t *landingRow, int32_t *landingColumn) {
    std::vector<double> ground(static_cast<size_t>(rows));
    for (int k = 1; k <= rows; ++k) {
        const double x = k * s.params.downwindStep;
        const double He = EffectiveHeight(in, s.met, s.rise, x);
        const double sy = SigmaY(in, s.met, s.params, x);
        const double sz = SigmaZ(in, s.met, s.params, x);
        double *row = grid + static_cast<int64_t>(k - 1) * columns;
        for (int i = 0; i < columns; ++i) {
            const double z = i * s.params.heightStep;
            row[i] = (std::exp(-0.5 * (z + He) * (z + He) / (sz * sz)) +
                      std::exp(-0.5 * (z - He) * (z - He) / (sz * sz))) *
                     0.5 / (3.14 * sy * sz);
        }
        ground[k - 1] = row[0];
    }
    double Fmax = GroundMaximum(ground, s.params, s.Xb);
    if (Fmax > 1 / in.dryFlow)
        Fmax = 1 / in.dryFlow;
    ComputeLimits(in, s.params, Fmax);
    if (!convertToDilution)
        return Fmax;

    const double Qd = in.dryFlow;
    const double m = s.params.indexExponent;
    const double k = s.params.indexOffset;
    LandingSearch landing(landingRow, landingColumn);
    for (int r = 0; r < rows; ++r) {
        double *row = grid + static_cast<int64_t>(r) * columns;
        bool groundEmpty = false;
        for (int c = 0; c < columns; ++c) {
            bool empty;
            row[c] = ConvertCell(row[c], Qd, m, k, &empty);
            if (c == 0)
                groundEmpty = empty;
        }
        if ((r + 1) * s.params.downwindStep >= s.Xb)
            landing.Consider(r, row[0], groundEmpty);
    }
    return Fmax;
}

// The ground column exactly as the formulas read (it decides Fmax, the limits and the
// landing point); the rest of the field in one pass straight to dilution degrees.
double SweepFast(TallOutletInputs &in, const RunSetup &s, int rows, int columns, double *grid,
                 int32_t *landingRow, int32_t *landingColumn) {
    std::vector<double> ground(static_cast<size_t>(rows));
    FillDilutionField(in, s.met, s.params, s.rise, rows, columns, grid, ground.data());

    double Fmax = GroundMaximum(ground, s.params, s.Xb);
    if (Fmax > 1 / in.dryFlow)
        Fmax = 1 / in.dryFlow;
    ComputeLimits(in, s.params, Fmax);

    const double Qd = in.dryFlow;
    const double m = s.params.indexExponent;
    const double k = s.params.indexOffset;
    LandingSearch landing(landingRow, landingColumn);
    for (int r = 0; r < rows; ++r) {
        bool empty;
        const double cell = ConvertCell(ground[r], Qd, m, k, &empty);
        grid[static_cast<int64_t>(r) * columns] = cell;
        if ((r + 1) * s.params.downwindStep >= s.Xb)
            landing.Consider(r, cell, empty);
    }
    return Fmax;
}

} // namespace

double RunTallOutletReference(TallOutletInputs &in, bool convertToDilution, int rows, int columns,
                              double *grid, int32_t *landingRow, int32_t *landingColumn) {
    *landingRow = -1;
    *landingColumn = -1;
    const RunSetup s = PrepareRun(in);
    if (s.status != ComputeStatus::Ok)
        return std::numeric_limits<double>::quiet_NaN();
    return SweepReference(in, s, convertToDilution, rows, columns, grid, landingRow, landingColumn);
}

double RunTallOutlet(TallOutletInputs &in, bool convertToDilution, int rows, int columns,
                     double *grid, int32_t *landingRow, int32_t *landingColumn) {
    *landingRow = -1;
    *landingColumn = -1;
    const RunSetup s = PrepareRun(in);
    if (s.status != ComputeStatus::Ok)
        return std::numeric_limits<double>::quiet_NaN();
    // The fast field needs a positive conversion exponent, which a site's smell.prm might
    // not give; the unconverted grid is only ever asked for by tests.
    if (!convertToDilution || !(s.params.indexExponent > 0) || columns < 1)
        return SweepReference(in, s, convertToDilution, rows, columns, grid, landingRow,
                              landingColumn);
    return SweepFast(in, s, rows, columns, grid, landingRow, landingColumn);
}
