#pragma once
#include <cstddef>
#include <cstdint>
#include <thread>

// The vertical section of the plume: one row per metre downwind (1 … 10000 m), one column
// per metre of height (0 … 799 m); after a run, dilution degrees. 300 and more: no plume.
constexpr int kGridRows = 10000;
constexpr int kGridColumns = 800;
constexpr double kNoPlumeThreshold = 300.0;
constexpr size_t kGridBytes = sizeof(double) * kGridRows * kGridColumns;

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

// One grid: a block obtained when first needed and then kept by its owner, zero at first,
// overwritten by every run that draws a map. The program keeps one for its screens,
// kamorte-calc one per run; the computations that show no map never need one. A grid is
// not shared: two grids are two blocks.
class DilutionGrid {
  public:
    DilutionGrid() = default;
    ~DilutionGrid();
    DilutionGrid(const DilutionGrid &) = delete;
    DilutionGrid &operator=(const DilutionGrid &) = delete;

    // Makes the grid a zero grid if it is not one yet, after a warm-up has ended. False when
    // the memory was refused: Cells() stays null and a later call tries again.
    bool Obtain();

    // For an owner that keeps the grid for its whole life: obtains the block now and writes
    // its zeros on a background thread, so that the first calculation does not pay for the
    // first touch of every page. Obtain waits for that thread. A refusal is left for Obtain
    // to report.
    void WarmUp();

    // Gives the block back; Cells() becomes null.
    void Release();

    // kGridRows × kGridColumns dilution degrees, row by row; null until obtained.
    double *Cells() { return cells_; }
    const double *Cells() const { return cells_; }

  private:
    bool TakeBlock(bool *zeroed);
    void JoinWarmUp();

    GridMemory memory_ = {};        // what block_ came from
    void *block_ = nullptr;         // obtained, maybe not yet zero
    double *cells_ = nullptr;       // block_ once it is zero
    std::thread *warmUp_ = nullptr; // writing the zeros, until Obtain joins it
};

inline double GridCell(const double *grid, int row, int column) {
    return grid[static_cast<int64_t>(row) * kGridColumns + column];
}
