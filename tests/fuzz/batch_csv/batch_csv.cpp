// Any bytes as a batch file through RunBatch, as kamorte-calc and the program read one: the
// first byte chooses the input and output encodings, the rest is the file. (The same bytes
// opened as an outlet file are the outlet_file entry's.)
#include "tests/fuzz/fuzz_support.h"

#include "calc/batch_run.h"
#include "tools/kamorte_calc/batch.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 16384)
        return 0;
    BatchSettings settings;
    settings.inputEncoding = static_cast<InputEncoding>(data[0] % 3);
    settings.outputEncoding = static_cast<OutputEncoding>((data[0] >> 2) % 4);
    settings.codec = PlatformCodec();
    settings.params = &BuiltInSmellParams();
    std::istringstream in(std::string(reinterpret_cast<const char *>(data) + 1, size - 1));
    std::ostringstream out;
    uint64_t lastRows = 0;
    const BatchSummary summary = RunBatch(in, out, settings, [&](const BatchProgress &p) {
        FUZZ_CHECK(p.rowsDone >= lastRows);
        FUZZ_CHECK(p.bytesTotal == 0 || p.bytesRead <= p.bytesTotal);
        lastRows = p.rowsDone;
    });
    FUZZ_CHECK(summary.status >= 0 && summary.status <= 3);
    FUZZ_CHECK(!summary.cancelled);
    FUZZ_CHECK(!summary.writeFailed);
    if (summary.status == 2) {
        // An unusable file says why and computes nothing.
        FUZZ_CHECK(!summary.problem.empty());
        FUZZ_CHECK(summary.rowsComputed == 0);
    } else {
        FUZZ_CHECK(summary.rowsRefused == 0 || summary.firstErrorRow >= 2);
        FUZZ_CHECK((summary.rowsRefused == 0) == (summary.status == 0));
        FUZZ_CHECK(!out.str().empty());
    }
    FUZZ_CHECK(!BatchSummaryText(summary).empty());
    if (summary.rowsComputed > 0)
        CountComputed();
    return 0;
}
