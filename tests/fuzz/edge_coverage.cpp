// Edge coverage for afl-fuzz from GCC's own -fsanitize-coverage=trace-pc: the compiler calls
// this at every basic block, and the pair (previous block, this block) marks a cell of the
// map that afl-compiler-rt shares with the fuzzer. The fuzzed code is then compiled by the
// same g++ with the same character-set flags as the shipped build, with no compiler plugin
// (the Debian plugin refuses a point release of GCC other than the one it was built for).
#include <cstdint>

extern "C" uint8_t *__afl_area_ptr;
static thread_local uintptr_t previousBlock;

extern "C" __attribute__((no_sanitize("address", "undefined"), no_sanitize_coverage)) void
__sanitizer_cov_trace_pc() {
    const uintptr_t pc = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    const uintptr_t block = (pc * 0x9E3779B97F4A7C15ull) >> 48;
    __afl_area_ptr[block ^ previousBlock]++;
    previousBlock = block >> 1;
}
