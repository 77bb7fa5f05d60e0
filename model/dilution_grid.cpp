#include "model/dilution_grid.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__)
constexpr size_t kHugePage = size_t{2} << 20;

size_t MappedBytes(size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

void *MapGrid(size_t bytes, bool *zeroed) {
    const size_t size = MappedBytes(bytes);
    // One huge page more than needed, so that an aligned start can be cut out of it.
    const size_t spare = size + kHugePage;
    void *raw = mmap(nullptr, spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned > start)
        munmap(raw, aligned - start);
    const uintptr_t end = start + spare;
    if (end > aligned + size)
        munmap(reinterpret_cast<void *>(aligned + size), end - (aligned + size));
#if defined(MADV_HUGEPAGE)
    madvise(reinterpret_cast<void *>(aligned), size, MADV_HUGEPAGE); // refused: small pages
#endif
    *zeroed = true;
    return reinterpret_cast<void *>(aligned);
}

void UnmapGrid(void *block, size_t bytes) {
    munmap(block, MappedBytes(bytes));
}
#else
void *MapGrid(size_t bytes, bool *zeroed) {
    // Not calloc: its zeros may be written at once, and the warm-up writes them later.
    *zeroed = false;
    return std::malloc(bytes);
}

void UnmapGrid(void *block, size_t) {
    std::free(block);
}
#endif

// The memory every grid takes its next block from.
GridMemory gMemory = {MapGrid, UnmapGrid};

void ZeroGrid(void *block) {
    std::memset(block, 0, kGridBytes);
}

} // namespace

GridMemory SystemGridMemory() {
    return {MapGrid, UnmapGrid};
}

GridMemory SetGridMemory(GridMemory memory) {
    const GridMemory previous = gMemory;
    gMemory = memory;
    return previous;
}

DilutionGrid::~DilutionGrid() {
    Release();
}

void DilutionGrid::JoinWarmUp() {
    if (!warmUp_)
        return;
    warmUp_->join();
    delete warmUp_;
    warmUp_ = nullptr;
    cells_ = static_cast<double *>(block_);
}

// Takes the block without touching it; *zeroed says whether it needs its zeros written.
bool DilutionGrid::TakeBlock(bool *zeroed) {
    if (block_)
        return true;
    block_ = gMemory.obtain(kGridBytes, zeroed);
    memory_ = gMemory;
    return block_ != nullptr;
}

bool DilutionGrid::Obtain() {
    JoinWarmUp();
    if (cells_)
        return true;
    bool zeroed = false;
    if (!TakeBlock(&zeroed))
        return false;
    if (!zeroed)
        ZeroGrid(block_);
    cells_ = static_cast<double *>(block_);
    return true;
}

void DilutionGrid::WarmUp() {
    if (block_ || warmUp_)
        return;
    bool zeroed = false;
    if (!TakeBlock(&zeroed))
        return;
    void *block = block_;
    // The thread writes the zeros even into a block that reads as zero: touching every
    // page is the point.
    try {
        warmUp_ = new std::thread([block] { ZeroGrid(block); });
        return;
    } catch (const std::system_error &) {
    } catch (const std::bad_alloc &) {
    }
    // No thread to be had: the first calculation pays for the touches after all.
    if (!zeroed)
        ZeroGrid(block);
    cells_ = static_cast<double *>(block);
}

void DilutionGrid::Release() {
    JoinWarmUp();
    if (block_)
        memory_.release(block_, kGridBytes);
    block_ = nullptr;
    cells_ = nullptr;
}
