#include <benchmark/benchmark.h>
static void Nothing(benchmark::State &state) { for (auto _ : state) benchmark::DoNotOptimize(0); }
BENCHMARK(Nothing);
