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

double CalculateTallOutlet(OutletInputs &in, OutletCase outletCase, double *grid) {
    TallOutletInputs &t = in.tall;
    const double keptDryFlow = t.dryFlow;
    const double keptWetFlow = t.wetFlow;
    const double keptVelocity = t.exitVelocity;
    const double keptMoisture = t.moisture;
    const double keptTemperature = t.gasTemperature;

    if (outletCase == CaseC && t.gasTemperature < 15.0)
        t.gasTemperature = 15.0;
    if (outletCase == CaseD && in.sizeMode == 1)
        t.outletDiameter = 2 * std::sqrt(t.outletArea / 3.14159265358979323846);

    const double Fmax = RunTallOutlet(t, true, kGridRows, kGridColumns, grid, &t.result.landingRow,
                                      &t.result.landingColumn);
    AdjustTallResults(t);

    t.moisture = keptMoisture;
    t.wetFlow = keptWetFlow;
    t.exitVelocity = keptVelocity;
    if (outletCase == CaseC)
        t.gasTemperature = keptTemperature;
    if (in.flowMode == 0)
        t.dryFlow = keptDryFlow;
    else
        t.dryFlow = t.dryFlow * 60;
    return Fmax;
}
