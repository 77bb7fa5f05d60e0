#include "map/map_raster.h"

#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/outlet_inputs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The outlet these cases work on, one after the other.
OutletInputs currentOutlet;

// A plume centred 60 m up that widens and thins downwind; far from its axis the values
// pass 300, as a real run's do above the plume.
void FillPlumeGrid() {
    if (!ObtainDilutionGrid())
        std::abort();
    for (int i = 0; i < kGridRows; ++i) {
        const double spread = 2.0 + 0.08 * i;
        for (int j = 0; j < kGridColumns; ++j) {
            const double off = (j - 60.0) / spread;
            const double v = 15.0 + 10.0 * std::log10(1.0 + 0.5 * i) + 4.0 * off * off;
            gDilutionGrid[static_cast<size_t>(i) * kGridColumns + j] = std::min(v, 350.0);
        }
    }
}

// What a keystroke in the adjustment dialog costs: the window of range × height is
// limited, resampled, coloured and marked.
void MapRedraw(benchmark::State &state) {
    FillPlumeGrid();
    gMapSettings = {static_cast<int32_t>(state.range(0)), 20.0, 70.0,
                    static_cast<int32_t>(state.range(1))};
    currentOutlet.tall.result.landingRow = static_cast<int32_t>(state.range(0) / 3);
    currentOutlet.tall.result.downwashClass = 1;
    currentOutlet.tall.outletToBoundary = state.range(0) / 5.0;
    currentOutlet.tall.buildingToBoundary = state.range(0) / 4.0;
    std::strcpy(currentOutlet.outletToBoundaryText, "1");
    std::strcpy(currentOutlet.buildingToBoundaryText, "1");
    ClearMapImage(MapMarksOf(gMapSettings, currentOutlet));
    for (auto _ : state) {
        gMapField = BuildMapField(gDilutionGrid, gMapSettings.downwindRange,
                                  gMapSettings.displayHeight, kMapWidth, kMapHeight);
        std::vector<unsigned char> &image =
            ColourMapImage(kMapWidth, kMapHeight, gMapField, gMapSettings);
        DrawMapMarks(kScreenMarks, kMapWidth, kMapHeight, image,
                     MapMarksOf(gMapSettings, currentOutlet));
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(MapRedraw)->Args({10000, 800})->Args({100, 50})->Unit(benchmark::kMillisecond);

} // namespace
