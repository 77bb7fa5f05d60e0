// Any bytes opened as an outlet file, as 開く... and the command line open one: every row of
// the sheet (up to a few hundred) opened into the records, saved as an outlet file and opened
// again gives the same case and the same texts, and a row's case agrees with its opening.
// The saved file's row, read as kamorte-calc reads an outlet, computes what the screens show.
#include "tests/fuzz/fuzz_support.h"

#include "calc/calc_request.h"
#include "calc/outlet_file.h"
#include "tools/kamorte_calc/batch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 16384)
        return 0;
    const std::string content(reinterpret_cast<const char *>(data), size);
    OutletSheet sheet;
    std::string problem;
    if (!ReadOutletSheet(content, PlatformCodec(), &sheet, &problem)) {
        FUZZ_CHECK(!problem.empty());
        return 0;
    }
    FUZZ_CHECK(!sheet.rows.empty() && sheet.rows.size() <= kMaxSheetRows);
    uint64_t lastRow = 1;
    for (size_t r = 0; r < sheet.rows.size() && r < 300; ++r) {
        const OutletRow &row = sheet.rows[r];
        FUZZ_CHECK(row.sheetRow > lastRow);
        FUZZ_CHECK(row.kept.size() <= sheet.keptNames.size());
        lastRow = row.sheetRow;
        OutletInputs outlet{};
        PrintInfo info{};
        const OpenedOutlet opened = OpenSheetRow(sheet, row, outlet, info);
        FUZZ_CHECK(opened.outletCase == CaseUndecided || opened.outletCase == CaseOfRow(row) ||
                   CaseOfRow(row) == CaseUndecided);
        for (const char *name : {info.authorName, info.officeName, info.facilityName})
            FUZZ_CHECK(std::char_traits<char>::length(name) < kPrintInfoSize);
        const OutletTexts texts = TextsOfOutlet(outlet, opened.outletCase, info);
        OutletSheet saved;
        if (!ReadOutletSheet(OutletFileText(texts), {}, &saved, &problem)) {
            FUZZ_CHECK(texts == OutletTexts{});
            continue;
        }
        FUZZ_CHECK(saved.rows.size() == 1);
        OutletInputs again{};
        PrintInfo againInfo{};
        const OpenedOutlet reopened = OpenSheetRow(saved, saved.rows[0], again, againInfo);
        FUZZ_CHECK(reopened.outletCase == opened.outletCase);
        FUZZ_CHECK(TextsOfOutlet(again, reopened.outletCase, againInfo) == texts);
        OutletInputs prepared{};
        OutletCase preparedCase = CaseUndecided;
        if (PrepareOutlet(saved.rows[0].options, prepared, &preparedCase).status != kComputed)
            continue;
        OutletResults results;
        ComputeStatus status;
        const Outcome outcome =
            ComputeResults(prepared, preparedCase, &BuiltInSmellParams(), results, &status);
        if (status == ComputeStatus::Ok)
            CheckShownOutcome(outcome);
    }
    return 0;
}
