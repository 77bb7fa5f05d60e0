// The tall-outlet computation: the results alone, the fast field over the whole grid and
// the cell-by-cell yardstick, for three kinds of plume; and what the grid's first touch
// costs on fresh memory.
#include "model/dilution_grid.h"
#include "model/tall_outlet.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

TallRun Outlet(int which) {
    OutletInputs record{};
    ResetTallOutletInputs(record);
    TallRun in(record.tall);
    in.no1Standard = 12;
    in.outletDirection = DirectionUpward;
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

DilutionGrid gGrid;

double *Grid() {
    if (!gGrid.Obtain())
        std::abort();
    return gGrid.Cells();
}

void ResultsOnly(benchmark::State &state) {
    state.SetLabel(kNames[state.range(0)]);
    SmellParams params;
    SetDefaultSmellParams(params);
    for (auto _ : state) {
        TallRun in = Outlet(static_cast<int>(state.range(0)));
        int32_t row, column;
        double landing;
        benchmark::DoNotOptimize(
            RunTallOutletResults(in, &params, kGridRows, &row, &column, &landing));
    }
}

// A fresh block each time, as a process meets it: its pages are touched for the first
// time by the computation (state.range(0) 0) or by the warm-up before it (1).
void FirstRunOnFreshGrid(benchmark::State &state) {
    state.SetLabel(state.range(0) ? "after warm-up" : "first touch in the run");
    for (auto _ : state) {
        state.PauseTiming();
        gGrid.Release();
        if (state.range(0)) {
            gGrid.WarmUp();
            if (!gGrid.Obtain())
                std::abort();
        }
        state.ResumeTiming();
        TallRun in = Outlet(0);
        int32_t row, column;
        benchmark::DoNotOptimize(
            RunTallOutlet(in, true, kGridRows, kGridColumns, Grid(), &row, &column));
    }
}

void Fast(benchmark::State &state) {
    state.SetLabel(kNames[state.range(0)]);
    for (auto _ : state) {
        TallRun in = Outlet(static_cast<int>(state.range(0)));
        int32_t row, column;
        benchmark::DoNotOptimize(
            RunTallOutlet(in, true, kGridRows, kGridColumns, Grid(), &row, &column));
    }
}

void Reference(benchmark::State &state) {
    state.SetLabel(kNames[state.range(0)]);
    for (auto _ : state) {
        TallRun in = Outlet(static_cast<int>(state.range(0)));
        int32_t row, column;
        benchmark::DoNotOptimize(
            RunTallOutletReference(in, true, kGridRows, kGridColumns, Grid(), &row, &column));
    }
}

} // namespace

BENCHMARK(ResultsOnly)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FirstRunOnFreshGrid)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Fast)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Reference)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
