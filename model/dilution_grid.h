#pragma once
#include <cstdint>

// The vertical section of the plume: one row per metre downwind (1 … 10000 m), one column
// per metre of height (0 … 799 m); after a run, dilution degrees. 300 and more: no plume.
constexpr int kGridRows = 10000;
constexpr int kGridColumns = 800;
constexpr double kNoPlumeThreshold = 300.0;

// Static storage for the whole process, zero at start, overwritten by every tall run.
extern double gDilutionGrid[kGridRows * kGridColumns];

inline double GridCell(const double *grid, int row, int column) {
    return grid[static_cast<int64_t>(row) * kGridColumns + column];
}
