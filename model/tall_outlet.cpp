#include "model/tall_outlet.h"

#include "model/dilution_field.h"
#include "model/dispersion.h"
#include "model/ground_maximum.h"

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

double BoundaryDistance(const TallRun &in) {
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

RunSetup PrepareRun(TallRun &in, const SmellParams *params) {
    RunSetup s;
    if (params) {
        s.params = *params;
    } else {
        SetDefaultSmellParams(s.params);
        ReadSmellParams(s.params);
    }
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

void ComputeLimits(TallRun &in, const SmellParams &params, double Fmax) {
    const double Qd = in.dryFlow;
    const double m = params.indexExponent;
    const double k = params.indexOffset;
    const double I1 = in.no1Standard;
    double q = std::pow(Qd, 1 - 1 / m) * std::pow(Fmax, -1 / m) * std::pow(10.0, I1 / 10 - k / m);
    // A site's small index exponent can overflow one power while another underflows; their
    // logarithms still add up.
    if (std::isnan(q))
        q = std::pow(10.0, (1 - 1 / m) * std::log10(Qd) - std::log10(Fmax) / m + I1 / 10 - k / m);
    in.result.allowableOutletIndex = 10 * std::log10(q / Qd);
    in.result.allowableEmissionRate = q * 60;
    in.result.dilutionDegree = DilutionOfRatio(Qd * Fmax, m, k);
}

// Fmax of the ground column at or beyond the boundary, never above the outlet's own
// concentration, and the limits that follow from it. Returns Fmax.
double LimitsFromGround(TallRun &in, const RunSetup &s, const std::vector<double> &ground) {
    double Fmax = GroundMaximum(ground, s.params, s.Xb);
    if (Fmax > 1 / in.dryFlow)
        Fmax = 1 / in.dryFlow;
    ComputeLimits(in, s.params, Fmax);
    return Fmax;
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
double SweepReference(TallRun &in, const RunSetup &s, bool convertToDilution, int rows, int columns,
                      double *grid, int32_t *landingRow, int32_t *landingColumn) {
    std::vector<double> ground(static_cast<size_t>(rows));
    for (int k = 1; k <= rows; ++k) {
        const double x = k * s.params.downwindStep;
        const double He = EffectiveHeight(in, s.met, s.rise, x);
        const double sy = SigmaY(in, s.met, s.params, x);
        const double sz = SigmaZ(in, s.met, s.params, x);
        double *row = grid + static_cast<int64_t>(k - 1) * columns;
        for (int i = 0; i < columns; ++i) {
            row[i] = PlumeConcentration(i * s.params.heightStep, He, sy, sz);
        }
        ground[k - 1] = row[0];
    }
    const double Fmax = LimitsFromGround(in, s, ground);
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
double SweepFast(TallRun &in, const RunSetup &s, int rows, int columns, double *grid,
                 int32_t *landingRow, int32_t *landingColumn) {
    std::vector<double> ground(static_cast<size_t>(rows));
    FillDilutionField(in, s.met, s.params, s.rise, rows, columns, grid, ground.data());

    const double Fmax = LimitsFromGround(in, s, ground);

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

// The smallest ground concentration a row needs to be a candidate for the landing row. The
// conversion (a power and a logarithm) falls as the concentration rises, so a row clearly
// below the maximum has a clearly higher dilution degree: 10⁻⁶ below it is some 4·10⁻⁶
// units above, a million times what rounding can move. Where that does not hold (rows
// capped to dilution 0 tie, unusual constants, values that are not numbers) every row is a
// candidate.
double LeastLandingConcentration(bool anyNaN, double Fmax, double Qd, double m, double k) {
    const double everyRow = -HUGE_VAL;
    if (!(m >= 0.25 && m <= 4 && std::fabs(k) <= 100) || !(Fmax > 0) || anyNaN)
        return everyRow;
    bool empty;
    if (!(ConvertCell(Fmax, Qd, m, k, &empty) > 1e-3))
        return everyRow;
    return Fmax * (1 - 1e-6);
}

// The first row at or beyond the boundary: the rows' distances only grow.
int FirstCountingRow(const RunSetup &s, int rows) {
    int low = 0, high = rows;
    while (low < high) {
        const int r = low + (high - low) / 2;
        if (static_cast<double>(r + 1) * s.params.downwindStep >= s.Xb)
            high = r;
        else
            low = r + 1;
    }
    return low;
}

// Every ground cell of the rows at or beyond the boundary.
std::vector<GroundCell> EveryGroundCell(TallRun &in, const RunSetup &s, int rows) {
    std::vector<GroundCell> cells;
    const SpreadConstants spread = PrepareSpread(in, s.met, s.params);
    for (int r = 0; r < rows; ++r) {
        const double x = static_cast<double>(r + 1) * s.params.downwindStep;
        if (!(x >= s.Xb))
            continue;
        const double He = EffectiveHeight(in, s.met, s.rise, x);
        const double sy = SpreadY(spread, s.params, x);
        const double sz = SpreadZ(spread, s.params, x);
        cells.push_back({r, PlumeConcentration(0 * s.params.heightStep, He, sy, sz)});
    }
    return cells;
}

// The largest of the cells, the nearest of equal ones, as the sweep finds it.
double LargestGround(const std::vector<GroundCell> &cells, bool *anyNaN) {
    double Fmax = 0.0;
    *anyNaN = false;
    for (const GroundCell &c : cells) {
        *anyNaN |= std::isnan(c.F);
        if (c.F > Fmax)
            Fmax = c.F;
    }
    return Fmax;
}

// Only the ground cells of the rows that can hold the maximum: the same values, the same
// limits and the same landing point as a sweep of the whole grid. Where the search cannot
// tell which rows those are, every row at or beyond the boundary is computed.
double SweepResults(TallRun &in, const RunSetup &s, int rows, int32_t *landingRow,
                    int32_t *landingColumn, double *landingDilution) {
    const double Qd = in.dryFlow;
    const double m = s.params.indexExponent;
    const double k = s.params.indexOffset;
    std::vector<GroundCell> cells;
    bool anyNaN = false;
    double Fmax = 0;
    const bool near = GroundCellsNearMaximum(in, s.met, s.params, s.rise, FirstCountingRow(s, rows),
                                             rows, &cells);
    if (near) {
        Fmax = LargestGround(cells, &anyNaN);
    }
    // Rows capped at the outlet's concentration, or too close to tell apart by their
    // dilution, are all candidates for the landing row.
    if (!near || !(Fmax <= 1 / Qd) ||
        LeastLandingConcentration(anyNaN, Fmax, Qd, m, k) == -HUGE_VAL) {
        cells = EveryGroundCell(in, s, rows);
        Fmax = LargestGround(cells, &anyNaN);
    }
    // The record keeps the axis height of the last row, whether or not it counted.
    if (rows > 0)
        EffectiveHeight(in, s.met, s.rise, rows * s.params.downwindStep);

    if (Fmax > 1 / Qd)
        Fmax = 1 / Qd;
    ComputeLimits(in, s.params, Fmax);

    LandingSearch landing(landingRow, landingColumn);
    double landed = 0;
    const double least = LeastLandingConcentration(anyNaN, Fmax, Qd, m, k);
    for (const GroundCell &c : cells) {
        if (c.F < least)
            continue;
        bool empty;
        const double cell = ConvertCell(c.F, Qd, m, k, &empty);
        const int32_t before = *landingRow;
        landing.Consider(c.row, cell, empty);
        if (*landingRow != before)
            landed = cell;
    }
    *landingDilution = landed;
    return Fmax;
}

} // namespace

double RunTallOutletResults(TallRun &in, const SmellParams *params, int rows, int32_t *landingRow,
                            int32_t *landingColumn, double *landingDilution) {
    *landingRow = -1;
    *landingColumn = -1;
    const RunSetup s = PrepareRun(in, params);
    if (s.status != ComputeStatus::Ok)
        return std::numeric_limits<double>::quiet_NaN();
    return SweepResults(in, s, rows, landingRow, landingColumn, landingDilution);
}

double RunTallOutletReference(TallRun &in, bool convertToDilution, int rows, int columns,
                              double *grid, int32_t *landingRow, int32_t *landingColumn) {
    *landingRow = -1;
    *landingColumn = -1;
    const RunSetup s = PrepareRun(in, nullptr);
    if (s.status != ComputeStatus::Ok)
        return std::numeric_limits<double>::quiet_NaN();
    return SweepReference(in, s, convertToDilution, rows, columns, grid, landingRow, landingColumn);
}

double RunTallOutlet(TallRun &in, bool convertToDilution, int rows, int columns, double *grid,
                     int32_t *landingRow, int32_t *landingColumn) {
    *landingRow = -1;
    *landingColumn = -1;
    const RunSetup s = PrepareRun(in, nullptr);
    if (s.status != ComputeStatus::Ok)
        return std::numeric_limits<double>::quiet_NaN();
    // The fast field needs a positive conversion exponent and heights from the ground up,
    // which a site's smell.prm might not give; the unconverted grid is only ever asked for by
    // tests.
    if (!convertToDilution || !(s.params.indexExponent > 0) || !(s.params.heightStep >= 0) ||
        columns < 1)
        return SweepReference(in, s, convertToDilution, rows, columns, grid, landingRow,
                              landingColumn);
    return SweepFast(in, s, rows, columns, grid, landingRow, landingColumn);
}
