// Any bytes as smell.prm: the parameter reader, then the example outlet and a case C outlet
// computed on the results-only path with what it read.
#include "tests/fuzz/fuzz_support.h"

#include "calc/calc_request.h"
#include "model/smell_params.h"

#include <cstdio>

namespace {

struct Prepared {
    OutletInputs in;
    OutletCase outletCase;
};

Prepared Prepare(const OutletOptions &options) {
    Prepared p{};
    const RequestError error = PrepareOutlet(options, p.in, &p.outletCase);
    FUZZ_CHECK(error.status == kComputed);
    return p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const Prepared outlets[] = {
        Prepare(ExampleOutlet()),
        Prepare({{"height", "20"}, {"building", "18"}, {"no1", "15"}, {"dry-flow", "50"}}),
    };
    SmellParams params;
    SetDefaultSmellParams(params);
    std::FILE *file = fmemopen(const_cast<uint8_t *>(data), size, "rb");
    if (file == nullptr)
        return 0; // an empty buffer: fmemopen refuses it, and the defaults stay
    ReadSmellParamsFrom(params, file);
    std::fclose(file);
    const Prepared &chosen = outlets[size % 2];
    OutletInputs in = chosen.in;
    ComputeStatus status;
    OutletResults results;
    const Outcome outcome = ComputeResults(in, chosen.outletCase, &params, results, &status);
    if (status == ComputeStatus::Ok)
        CheckShownOutcome(outcome);
    return 0;
}
