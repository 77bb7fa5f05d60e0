#include "model/tall_calculation.h"

#include "model/dilution_grid.h"
#include "model/quantise.h"
#include "model/tall_outlet.h"

#include <cmath>

void AdjustTallResults(TallOutletInputs &t) {
    TallOutletResult &r = t.result;
    if (r.dilutionDegree < 0)
        r.dilutionDegree = 0;
    if (r.allowableOutletIndex < 10)
        r.allowableOutletIndex = 10;
    const int64_t shownSum =
        static_cast<int64_t>(RoundShown(r.dilutionDegree)) + RoundShown(t.no1Standard);
    if (RoundShown(r.allowableOutletIndex) != shownSum)
        r.allowableOutletIndex = static_cast<double>(shownSum);
}

namespace {

// A run that could not be made leaves no result and every input as accepted (the dry flow
// too, which withdrawing a result would otherwise clear).
void WithdrawRun(OutletInputs &in, double acceptedDryFlow) {
    ClearTallOutletResults(in);
    in.tall.dryFlow = acceptedDryFlow;
}

// The case's preparation of the record, the run, the adjustment and the restoring of the
// accepted inputs, around whichever run the caller needs (run returns Fmax, not a number
// when the flows were refused).
template <typename Run>
ComputeStatus AroundTallRun(OutletInputs &in, OutletCase outletCase, double *Fmax, Run run) {
    TallOutletInputs &t = in.tall;
    const double keptDiameter = t.outletDiameter;
    const double keptDryFlow = t.dryFlow;
    const double keptWetFlow = t.wetFlow;
    const double keptVelocity = t.exitVelocity;
    const double keptMoisture = t.moisture;
    const double keptTemperature = t.gasTemperature;

    if (outletCase == CaseC && t.gasTemperature < 15.0)
        t.gasTemperature = 15.0;
    if (outletCase == CaseD && in.sizeMode == SizeByArea)
        t.outletDiameter = 2 * std::sqrt(t.outletArea / 3.14159265358979323846);

    const double runFmax = run(t);
    if (Fmax != nullptr)
        *Fmax = runFmax;
    if (std::isnan(runFmax)) {
        // The normalisation made the moisture a fraction before it refused the flows.
        t.moisture = keptMoisture;
        t.wetFlow = keptWetFlow;
        t.exitVelocity = keptVelocity;
        t.gasTemperature = keptTemperature;
        t.outletDiameter = keptDiameter;
        WithdrawRun(in, keptDryFlow);
        return ComputeStatus::FlowGuard;
    }
    AdjustTallResults(t);

    t.moisture = keptMoisture;
    t.wetFlow = keptWetFlow;
    t.exitVelocity = keptVelocity;
    if (outletCase == CaseC)
        t.gasTemperature = keptTemperature;
    if (in.flowMode == FlowDry)
        t.dryFlow = keptDryFlow;
    else
        t.dryFlow = t.dryFlow * 60;
    return ComputeStatus::Ok;
}

} // namespace

ComputeStatus CalculateTallOutlet(OutletInputs &in, OutletCase outletCase, DilutionGrid &grid,
                                  double *Fmax) {
    if (!grid.Obtain()) {
        WithdrawRun(in, in.tall.dryFlow);
        return ComputeStatus::OutOfMemory;
    }
    double *cells = grid.Cells();
    return AroundTallRun(in, outletCase, Fmax, [cells](TallOutletInputs &t) {
        return RunTallOutlet(t, true, kGridRows, kGridColumns, cells, &t.result.landingRow,
                             &t.result.landingColumn);
    });
}

ComputeStatus CalculateTallOutletCellByCell(OutletInputs &in, OutletCase outletCase,
                                            DilutionGrid &grid) {
    if (!grid.Obtain()) {
        WithdrawRun(in, in.tall.dryFlow);
        return ComputeStatus::OutOfMemory;
    }
    double *cells = grid.Cells();
    return AroundTallRun(in, outletCase, nullptr, [cells](TallOutletInputs &t) {
        return RunTallOutletReference(t, true, kGridRows, kGridColumns, cells, &t.result.landingRow,
                                      &t.result.landingColumn);
    });
}

ComputeStatus CalculateTallOutletResults(OutletInputs &in, OutletCase outletCase,
                                         const SmellParams *params, double *landingDilution) {
    return AroundTallRun(in, outletCase, nullptr, [params, landingDilution](TallOutletInputs &t) {
        return RunTallOutletResults(t, params, kGridRows, &t.result.landingRow,
                                    &t.result.landingColumn, landingDilution);
    });
}
