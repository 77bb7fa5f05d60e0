#include "map/map_raster.h"

#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/outlet_inputs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A plume centred 60 m up that widens and thins downwind; far from its axis the values
// pass 300, as a real run's do above the plume.
void FillPlumeGrid(DilutionGrid &grid) {
    if (!grid.Obtain())
        std::abort();
    for (int i = 0; i < kGridRows; ++i) {
        const double spread = 2.0 + 0.08 * i;
        for (int j = 0; j < kGridColumns; ++j) {
            const double off = (j - 60.0) / spread;
            const double v = 15.0 + 10.0 * std::log10(1.0 + 0.5 * i) + 4.0 * off * off;
            grid.Cells()[static_cast<size_t>(i) * kGridColumns + j] = std::min(v, 350.0);
        }
    }
}

// What a keystroke in the adjustment dialog costs: the window of range × height is
// limited, resampled, coloured and marked.
void MapRedraw(benchmark::State &state) {
    DilutionGrid grid;
    FillPlumeGrid(grid);
    const MapSettings settings = {static_cast<int32_t>(state.range(0)), 20.0, 70.0,
                                  static_cast<int32_t>(state.range(1))};
    OutletInputs in{};
    TallOutletResult result = kNoTallResult;
    result.landingRow = static_cast<int32_t>(state.range(0) / 3);
    result.downwashClass = 1;
    in.tall.outletToBoundary = state.range(0) / 5.0;
    in.tall.buildingToBoundary = state.range(0) / 4.0;
    std::strcpy(in.outletToBoundaryText, "1");
    std::strcpy(in.buildingToBoundaryText, "1");
    for (auto _ : state) {
        const std::vector<unsigned char> image =
            RenderMap(grid.Cells(), settings, MapMarksOf(settings, in, result), MapStyle::Screen,
                      kMapWidth, kMapHeight);
        benchmark::DoNotOptimize(image.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(MapRedraw)->Args({10000, 800})->Args({100, 50})->Unit(benchmark::kMillisecond);

} // namespace
