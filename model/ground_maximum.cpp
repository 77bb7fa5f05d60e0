#include "model/ground_maximum.h"

#include "model/quantise.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace {

// What decides a row's formulas: the building wake's rule (0 outside a wake, 1 near, 2
// growing, 3 beyond ten wake lengths) and the Pasquill segments of the distances the
// spreads are taken at. Each part only grows with the distance, so two rows with the same
// key enclose rows with that key.
struct SegmentKey {
    int wake, y, z;
    bool operator==(const SegmentKey &o) const { return wake == o.wake && y == o.y && z == o.z; }
};

struct Probe {
    double He, sy, sz, F;
};

// A stretch of rows a … b (both computed) whose rows between hold at most `bound`.
struct Stretch {
    double bound;
    int a, b;
    Probe pa, pb;
    bool operator<(const Stretch &o) const { return bound < o.bound; }
};

int PasquillZSegment(const SmellParams &p, double x) {
    int s = 0;
    while (s < 5 && x > p.sigmaZBreak[s])
        ++s;
    return s;
}

class NearMaximum {
  public:
    NearMaximum(TallRun &in, const MetConditions &met, const SmellParams &params,
                const PlumeRise &rise)
        : in_(in), met_(met), p_(params), rise_(rise), spread_(PrepareSpread(in, met, params)) {}

    bool Run(int firstRow, int rows, std::vector<GroundCell> *cells);

  private:
    double X(int r) const { return static_cast<double>(r + 1) * p_.downwindStep; }

    SegmentKey KeyAt(int r) const {
        const double x = X(r);
        if (!spread_.wake)
            return {0, x >= 1000 ? 1 : 0, PasquillZSegment(p_, x)};
        const int32_t qx = Quantise(x, 10000);
        if (qx < spread_.nearEnd)
            return {1, 0, 0};
        if (qx < spread_.middleEnd)
            return {2, 0, 0};
        const double Lw = spread_.wakeLength;
        const double yAt = spread_.virtualY - 10 * Lw + x;
        const double zAt = spread_.virtualZ - 10 * Lw + x;
        return {3, yAt >= 1000 ? 1 : 0, PasquillZSegment(p_, zAt)};
    }

    // Whether both spreads grow (or stay) with the distance across the segment.
    bool SpreadsGrow(const SegmentKey &k, int a) const {
        if (k.wake == 1 || k.wake == 2)
            return true;
        const int c = spread_.stabilityClass;
        const double yc = p_.sigmaYCoefficient[c][k.y], ye = p_.sigmaYExponent[c][k.y];
        const double zc = p_.sigmaZCoefficient[c][k.z], ze = p_.sigmaZExponent[c][k.z];
        if (!(yc > 0 && ye >= 0 && zc > 0 && ze >= 0) || std::isinf(yc) || std::isinf(ye) ||
            std::isinf(zc) || std::isinf(ze))
            return false;
        if (k.wake == 0)
            return true;
        // Beyond the wake the spreads are taken at a distance shifted by the virtual source,
        // which must lie downwind of it.
        const double Lw = spread_.wakeLength;
        const double x = X(a);
        return spread_.virtualY - 10 * Lw + x > 0 && spread_.virtualZ - 10 * Lw + x > 0;
    }

    // The row as the sweep computes it, kept among the cells.
    Probe At(int r) {
        const double x = X(r);
        Probe q;
        q.He = EffectiveHeight(in_, met_, rise_, x);
        q.sy = SpreadY(spread_, p_, x);
        q.sz = SpreadZ(spread_, p_, x);
        q.F = PlumeConcentration(0 * p_.heightStep, q.He, q.sy, q.sz);
        cells_.push_back({r, q.F});
        if (q.F > best_)
            best_ = q.F;
        if (std::isnan(q.F))
            sound_ = false;
        return q;
    }

    // At most the concentration of any row between a and b. The margins cover the rounding
    // of the computed spreads, heights and exponentials, which is some 10⁻¹² at worst.
    Stretch Between(int a, const Probe &pa, int b, const Probe &pb) const {
        // The axis no lower than at a, the vertical spread no wider than at b, both spreads
        // no narrower than at a.
        const double He = pa.He >= 0 ? pa.He : pb.He <= 0 ? -pb.He : 0.0;
        const double g = He == 0 ? 1.0 : std::exp(-0.5 * He * He / (pb.sz * pb.sz));
        double bound = g / (3.14 * pa.sy * pa.sz) * (1 + 1e-9);
        if (std::isnan(bound))
            bound = HUGE_VAL;
        // With the axis at one height, φ = ln F bends down by at most K: φ(x) lies below
        // max(φ(a), φ(b)) + K·(b − a)²/8. Near the maximum that is what tells rows apart.
        const double larger = std::max(pa.F, pb.F);
        const double K = LeastCurvature(a, pa);
        if (larger > 1e-290 && K >= 0) {
            const double w = X(b) - X(a);
            const double bent = larger * std::exp(K * w * w / 8) * (1 + 1e-9);
            if (bent < bound)
                bound = bent;
        }
        return {bound, a, b, pa, pb};
    }

    // An upper bound of −φ″ over the segment from row a on where the axis height no longer
    // changes; −1 where it may. With σz = c·Z^e (Z the distance or the shifted one),
    // −φ″ = He²·e(2e + 1)/(σz²Z²) − e/Z² − ey/Y², at most its first term at a; in the wake's
    // growing part (σ linear, slope 0.067) at most 3·He²·0.067²/σz⁴; 0 where σ is constant.
    double LeastCurvature(int a, const Probe &pa) const {
        const double x = X(a);
        const bool level = in_.outletDirection > DirectionUpward || rise_.buoyancyUndefined ||
                           !(rise_.xf > x) || in_.result.downwashClass == DownwashStrong;
        if (!level || !std::isfinite(pa.He) || !(pa.sz > 0) || !std::isfinite(pa.sz))
            return -1;
        const SegmentKey k = KeyAt(a);
        const double He2 = pa.He * pa.He;
        double K;
        if (k.wake == 1) {
            K = 0;
        } else if (k.wake == 2) {
            const double sz2 = pa.sz * pa.sz;
            K = 3 * He2 * 0.067 * 0.067 / (sz2 * sz2);
        } else {
            const double e = p_.sigmaZExponent[spread_.stabilityClass][k.z];
            const double Z = k.wake == 0 ? x : spread_.virtualZ - 10 * spread_.wakeLength + x;
            K = He2 * e * (2 * e + 1) / (pa.sz * pa.sz * Z * Z);
        }
        return std::isfinite(K) ? K * (1 + 1e-6) : -1;
    }

    // The least concentration a row left out may have had: 10⁻⁶ below the best so far, which
    // is at most the maximum, with room for rounding.
    double Least() const { return best_ * (1 - 1e-6) * (1 - 1e-9); }

    // Where a stretch is halved: the spreads are powers of the distance, so a stretch that
    // spans a wide ratio of distances is halved in ratio, not in length.
    int Split(int a, int b) const {
        const double from = a + 1.0, to = b + 1.0;
        int m = a + (b - a) / 2;
        if (to > 4 * from)
            m = static_cast<int>(std::sqrt(from * to)) - 1;
        return std::min(std::max(m, a + 1), b - 1);
    }

    void Segments(int a, int b, std::vector<std::pair<int, int>> &out) const {
        if (KeyAt(a) == KeyAt(b)) {
            // Halving leaves neighbours of one key apart; they are one segment.
            if (!out.empty() && out.back().second == a - 1 && KeyAt(out.back().first) == KeyAt(a))
                out.back().second = b;
            else
                out.push_back({a, b});
            return;
        }
        const int m = a + (b - a) / 2;
        Segments(a, m, out);
        Segments(m + 1, b, out);
    }

    TallRun &in_;
    const MetConditions &met_;
    const SmellParams &p_;
    const PlumeRise &rise_;
    const SpreadConstants spread_;
    std::vector<GroundCell> cells_;
    double best_ = 0;
    bool sound_ = true;
};

// The axis height rises with the distance (or stays): the gradual rise is made of growing
// powers of the distance capped by the final rise, which applies beyond. That holds for
// the unstable and neutral classes with fluxes of a sign.
bool AxisRises(const TallRun &in, const MetConditions &met, const PlumeRise &rise) {
    if (in.outletDirection > DirectionUpward || rise.buoyancyUndefined)
        return true;
    return met.stabilityClass <= 4 && met.windSpeed > 0 && rise.F >= 0 && rise.Fm >= 0 &&
           rise.betaJ > 0 && std::isfinite(rise.F) && std::isfinite(rise.Fm) &&
           std::isfinite(rise.betaJ) && std::isfinite(rise.dh) && std::isfinite(rise.dhm);
}

bool NearMaximum::Run(int firstRow, int rows, std::vector<GroundCell> *cells) {
    if (firstRow >= rows)
        return true;
    if (!AxisRises(in_, met_, rise_) || !(p_.downwindStep > 0))
        return false;
    std::vector<std::pair<int, int>> segments;
    Segments(firstRow, rows - 1, segments);
    std::priority_queue<Stretch> open;
    for (const auto &[a, b] : segments) {
        const Probe pa = At(a);
        const Probe pb = b != a ? At(b) : pa;
        if (SpreadsGrow(KeyAt(a), a)) {
            if (b - a >= 2)
                open.push(Between(a, pa, b, pb));
        } else {
            for (int r = a + 1; r < b; ++r)
                At(r);
        }
    }
    while (!open.empty() && sound_) {
        const Stretch s = open.top();
        if (s.bound < Least())
            break; // every stretch left holds less
        open.pop();
        const int m = Split(s.a, s.b);
        const Probe pm = At(m);
        if (m - s.a >= 2)
            open.push(Between(s.a, s.pa, m, pm));
        if (s.b - m >= 2)
            open.push(Between(m, pm, s.b, s.pb));
    }
    if (!sound_)
        return false;
    // Only rows near the largest can matter to the caller; the largest is among them.
    const double least = Least();
    cells_.erase(std::remove_if(cells_.begin(), cells_.end(),
                                [least](const GroundCell &c) { return c.F < least; }),
                 cells_.end());
    std::sort(cells_.begin(), cells_.end(),
              [](const GroundCell &l, const GroundCell &r) { return l.row < r.row; });
    *cells = std::move(cells_);
    return true;
}

} // namespace

bool GroundCellsNearMaximum(TallRun &in, const MetConditions &met, const SmellParams &params,
                            const PlumeRise &rise, int firstRow, int rows,
                            std::vector<GroundCell> *cells) {
    cells->clear();
    NearMaximum search(in, met, params, rise);
    return search.Run(firstRow, rows, cells);
}
