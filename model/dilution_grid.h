#pragma once
#include <cstddef>
#include <cstdint>

// The vertical section of the plume: one row per metre downwind (1 … 10000 m), one column
// per metre of height (0 … 799 m); after a run, dilution degrees. 300 and more: no plume.
constexpr int kGridRows = 10000;
constexpr int kGridColumns = 800;
constexpr double kNoPlumeThreshold = 300.0;
constexpr size_t kGridBytes = sizeof(double) * kGridRows * kGridColumns;

// One block for the whole process, obtained when first needed and then kept: zero at
// first, overwritten by every run that draws a map. Null until ObtainDilutionGrid has
// succeeded; the computations that show no map never need it.
extern double *gDilutionGrid;

// Where the block comes from. obtain returns at least bytes of memory (null when refused)
// and says whether they already read as zero; release gives back what obtain returned.
// Tests put in one that refuses.
struct GridMemory {
    void *(*obtain)(size_t bytes, bool *zeroed);
    void (*release)(void *block, size_t bytes);
};
// Natively an anonymous mapping aligned to 2 MB with huge pages advised (64 MB of first
// touches one 4 KB page at a time cost more than the computation), ordinary pages where
// that advice is refused; elsewhere the C heap.
GridMemory SystemGridMemory();
// Puts in the memory to take the block from (for the next obtaining); returns the previous.
GridMemory SetGridMemory(GridMemory memory);

// Makes gDilutionGrid point at a zero grid if it does not yet, after a warm-up has ended.
// False when the memory was refused: the grid stays null and a later call tries again.
bool ObtainDilutionGrid();

// For a program that keeps the grid for its whole life: obtains the block now and writes
// its zeros on a background thread, so that the first calculation does not pay for the
// first touch of every page. ObtainDilutionGrid waits for that thread. A refusal is left
// for ObtainDilutionGrid to report.
void WarmUpDilutionGrid();

// Gives the block back; gDilutionGrid becomes null. Tests use it; the program never does.
void ReleaseDilutionGrid();

inline double GridCell(const double *grid, int row, int column) {
    return grid[static_cast<int64_t>(row) * kGridColumns + column];
}
