// Any argument vector through kamorte-calc's parser; an outlet it reads is prepared as the
// command line prepares it, and computed on the results-only path when accepted.
// Input: the arguments separated by NUL bytes, in code page 932.
#include "tests/fuzz/fuzz_support.h"

#include "tools/kamorte_calc/arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 4096)
        return 0;
    std::vector<std::string> args = SplitInput(data, size, '\0', 0);
    if (size == 0)
        args.clear();
    Command cmd;
    std::string problem;
    if (!ParseArguments(args, &cmd, &problem)) {
        FUZZ_CHECK(!problem.empty());
        return 0;
    }
    if (cmd.outlet.empty())
        return 0;
    static OutletInputs in;
    OutletCase outletCase = CaseUndecided;
    const RequestError error = PrepareOutlet(cmd.outlet, in, &outletCase);
    if (error.status != kComputed) {
        FUZZ_CHECK(!error.message.empty());
        return 0;
    }
    FUZZ_CHECK(outletCase >= CaseA && outletCase <= CaseD);
    ComputeStatus status;
    OutletResults results;
    const Outcome outcome = ComputeResults(in, outletCase, nullptr, results, &status);
    FUZZ_CHECK(status == ComputeStatus::Ok);
    CheckShownOutcome(outcome);
    return 0;
}
