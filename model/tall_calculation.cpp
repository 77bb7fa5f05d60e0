#include "model/tall_calculation.h"

#include "model/dilution_grid.h"
#include "model/quantise.h"
#include "model/tall_outlet.h"

#include <cmath>
#include <vector>

void AdjustTallResults(TallOutletResult &r, double no1Standard) {
    if (r.dilutionDegree < 0)
        r.dilutionDegree = 0;
    if (r.allowableOutletIndex < 10)
        r.allowableOutletIndex = 10;
    const int64_t shownSum =
        static_cast<int64_t>(RoundShown(r.dilutionDegree)) + RoundShown(no1Standard);
    if (RoundShown(r.allowableOutletIndex) != shownSum)
        r.allowableOutletIndex = static_cast<double>(shownSum);
}

namespace {

// The record as the screen's case computes it, on a copy the run may normalise: case C's
// gas no colder than 15 °C, case D's outlet given by its area turned into a diameter.
TallRun AsComputed(const OutletInputs &in, OutletCase outletCase) {
    TallRun t(in.tall);
    if (outletCase == CaseC && t.gasTemperature < 15.0)
        t.gasTemperature = 15.0;
    if (outletCase == CaseD && in.sizeMode == SizeByArea)
        t.outletDiameter = 2 * std::sqrt(t.outletArea / 3.14159265358979323846);
    return t;
}

// The run the caller needs (it returns Fmax, not a number when the flows were refused) on
// the record as computed, and the adjustment of its results.
template <typename Run>
ComputeStatus RunAsComputed(const OutletInputs &in, OutletCase outletCase, TallOutletResult *result,
                            double *Fmax, Run run) {
    TallRun t = AsComputed(in, outletCase);
    const double runFmax = run(t);
    if (Fmax != nullptr)
        *Fmax = runFmax;
    if (std::isnan(runFmax)) {
        *result = kNoTallResult;
        return ComputeStatus::FlowGuard;
    }
    AdjustTallResults(t.result, t.no1Standard);
    // The run turned the flow it was given into m³N/s.
    t.result.dryFlow = in.flowMode == FlowDry ? in.tall.dryFlow : t.dryFlow * 60;
    *result = t.result;
    return ComputeStatus::Ok;
}

} // namespace

ComputeStatus CalculateTallOutlet(const OutletInputs &in, OutletCase outletCase, DilutionGrid &grid,
                                  TallOutletResult *result, double *Fmax) {
    if (!grid.Obtain()) {
        *result = kNoTallResult;
        return ComputeStatus::OutOfMemory;
    }
    double *cells = grid.Cells();
    return RunAsComputed(in, outletCase, result, Fmax, [cells](TallRun &t) {
        return RunTallOutlet(t, true, kGridRows, kGridColumns, cells, &t.result.landingRow,
                             &t.result.landingColumn);
    });
}

ComputeStatus CalculateTallOutletCellByCell(const OutletInputs &in, OutletCase outletCase,
                                            DilutionGrid &grid, TallOutletResult *result) {
    if (!grid.Obtain()) {
        *result = kNoTallResult;
        return ComputeStatus::OutOfMemory;
    }
    double *cells = grid.Cells();
    return RunAsComputed(in, outletCase, result, nullptr, [cells](TallRun &t) {
        return RunTallOutletReference(t, true, kGridRows, kGridColumns, cells, &t.result.landingRow,
                                      &t.result.landingColumn);
    });
}

ComputeStatus CalculateTallOutletGroundCellByCell(const OutletInputs &in, OutletCase outletCase,
                                                  TallOutletResult *result,
                                                  double *landingDilution) {
    std::vector<double> ground(kGridRows);
    *landingDilution = 0;
    return RunAsComputed(in, outletCase, result, nullptr, [&ground, landingDilution](TallRun &t) {
        const double Fmax = RunTallOutletReference(t, true, kGridRows, 1, ground.data(),
                                                   &t.result.landingRow, &t.result.landingColumn);
        if (t.result.landingRow >= 0)
            *landingDilution = ground[static_cast<size_t>(t.result.landingRow)];
        return Fmax;
    });
}

ComputeStatus CalculateTallOutletResults(const OutletInputs &in, OutletCase outletCase,
                                         const SmellParams *params, TallOutletResult *result,
                                         double *landingDilution) {
    return RunAsComputed(in, outletCase, result, nullptr, [params, landingDilution](TallRun &t) {
        return RunTallOutletResults(t, params, kGridRows, &t.result.landingRow,
                                    &t.result.landingColumn, landingDilution);
    });
}
