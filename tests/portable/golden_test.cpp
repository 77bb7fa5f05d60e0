// The outlets with known results, through the same front the command line uses.
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tests/portable/golden_outlets.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

// The outlet these cases work on, one after the other.
OutletInputs currentOutlet;

} // namespace

TEST(Golden, EveryKnownOutletGivesItsResults) {
    const std::vector<GoldenOutlet> outlets = LoadGolden();
    ASSERT_EQ(outlets.size(), 8u);
    DilutionGrid grid; // one for every outlet, as a loop over many outlets keeps it
    for (const GoldenOutlet &g : outlets) {
        SCOPED_TRACE(g.what);
        OutletOptions options;
        for (size_t i = 0; i + 1 < g.args.size(); i += 2)
            options[g.args[i].substr(2)] = TerminalToCp932(g.args[i + 1]);
        OutletCase screen;
        RequestError error = PrepareOutlet(options, currentOutlet, &screen);
        ASSERT_EQ(error.status, 0) << Cp932ToUtf8(error.message);
        OutletResults results;
        const Outcome outcome = ComputeOutcome(currentOutlet, screen, grid, results);
        size_t checked = 0;
        for (const OutcomeField &f : outcome) {
            if (g.expectedNumber.count(f.key)) {
                ASSERT_EQ(f.kind, OutcomeField::Number) << f.key;
                const double want = g.expectedNumber.at(f.key);
                EXPECT_NEAR(f.number, want, 1e-12 * std::fabs(want)) << f.key;
                ++checked;
            } else if (g.expectedText.count(f.key)) {
                EXPECT_EQ(Cp932ToUtf8(f.text), g.expectedText.at(f.key)) << f.key;
                ++checked;
            }
        }
        EXPECT_EQ(checked, g.expectedNumber.size() + g.expectedText.size());
    }
}
