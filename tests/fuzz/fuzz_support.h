#pragma once
// What every fuzz entry shares: the entry's signature, splitting the input into texts, and
// a check that stops the run loudly (the fuzzer keeps the input that stopped it).
#include "calc/calc_output.h"
#include "model/smell_params.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// The input cut at every separator byte; a missing tail part is an empty text.
std::vector<std::string> SplitInput(const uint8_t *data, size_t size, char separator,
                                    size_t minimumParts);

[[noreturn]] void FuzzFailure(const char *what, const char *file, int line);
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(#condition, __FILE__, __LINE__);                                           \
    } while (0)

// Counts an input that got as far as a computed result (the replay says how many did, so a
// corpus that never reaches the computation shows).
void CountComputed();
size_t ComputedCount();

// The results a screen shows: the numbers it prints are finite and no text spells a
// non-finite value; counted as computed.
void CheckShownOutcome(const Outcome &outcome);

// The built-in constants of the dispersion model, made once: the entries compute with them
// rather than read smell.prm.
const SmellParams &BuiltInSmellParams();
