// The tall-outlet computation over the whole grid: the fast field against the
// cell-by-cell yardstick, for three kinds of plume.
#include "model/dilution_grid.h"
#include "model/tall_outlet.h"

#include <benchmark/benchmark.h>

namespace {

TallOutletInputs Outlet(int which) {
    OutletInputs record{};
    ResetTallOutletInputs(record);
    TallOutletInputs in = record.tall;
    in.no1Standard = 12;
    in.outletDirection = 0;
    in.moisture = 10;
    in.gasTemperature = 80;
    in.outletToBoundary = 50;
    in.buildingToBoundary = 20;
    switch (which) {
    case 0: // low plume with weak downwash
        in.tallOutletHeight = 20;
        in.tallBuildingHeight = 12;
        in.outletDiameter = 1;
        in.exitVelocity = 10;
        break;
    case 1: // high plume, no downwash
        in.tallOutletHeight = 100;
        in.tallBuildingHeight = 10;
        in.outletDiameter = 3;
        in.exitVelocity = 20;
        in.gasTemperature = 200;
        break;
    default: // strong downwash
        in.tallOutletHeight = 16;
        in.tallBuildingHeight = 15;
        in.outletDiameter = 1;
        in.dryFlow = 300;
        break;
    }
    return in;
}

const char *kNames[] = {"low plume, weak downwash", "high plume", "strong downwash"};

void Fast(benchmark::State &state) {
    state.SetLabel(kNames[state.range(0)]);
    for (auto _ : state) {
        TallOutletInputs in = Outlet(static_cast<int>(state.range(0)));
        int32_t row, column;
        benchmark::DoNotOptimize(
            RunTallOutlet(in, true, kGridRows, kGridColumns, gDilutionGrid, &row, &column));
    }
}

void Reference(benchmark::State &state) {
    state.SetLabel(kNames[state.range(0)]);
    for (auto _ : state) {
        TallOutletInputs in = Outlet(static_cast<int>(state.range(0)));
        int32_t row, column;
        benchmark::DoNotOptimize(RunTallOutletReference(in, true, kGridRows, kGridColumns,
                                                        gDilutionGrid, &row, &column));
    }
}

} // namespace

BENCHMARK(Fast)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Reference)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
