// What a press of 計算する on a tall-outlet screen costs in the computation, the first
// time against the later times, in a fresh process as the program starts:
//   first_calculation_bench warm|cold [ms before the first press]
// warm: the grid is warmed up at start-up as the program does; cold: the grid is obtained
// at the first press. Prints the first time, the median of the later ones and their ratio.
#include "model/dilution_grid.h"
#include "model/tall_calculation.h"
#include "calc/calc_request.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// The outlet of every press, as the program keeps one.
OutletInputs currentOutlet;
// As the program keeps it for its screens.
DilutionGrid gGrid;

double PressMs() {
    OutletCase screen;
    PrepareOutlet(ExampleOutlet(), currentOutlet, &screen);
    const auto start = std::chrono::steady_clock::now();
    // As the screen calls it: the grid obtained (or its warm-up joined) inside.
    TallOutletResult result;
    if (CalculateTallOutlet(currentOutlet, screen, gGrid, &result) != ComputeStatus::Ok) {
        std::fprintf(stderr, "no memory for the grid\n");
        std::exit(1);
    }
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

} // namespace

int main(int argc, char **argv) {
    const bool warm = argc > 1 && std::strcmp(argv[1], "warm") == 0;
    const int typingMs = argc > 2 ? std::atoi(argv[2]) : 1500;
    if (warm)
        gGrid.WarmUp();
    std::this_thread::sleep_for(std::chrono::milliseconds(typingMs));
    const double first = PressMs();
    std::vector<double> later;
    for (int i = 0; i < 7; ++i)
        later.push_back(PressMs());
    std::sort(later.begin(), later.end());
    const double median = later[later.size() / 2];
    std::printf("%s: first %.1f ms, later median %.1f ms, first/later %.2f\n",
                warm ? "warm-up at start" : "no warm-up", first, median, first / median);
    return 0;
}
