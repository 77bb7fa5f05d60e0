#pragma once
#include "model/compute_status.h"
#include "model/dilution_grid.h"
#include "model/outlet_results.h"
#include "model/smell_params.h"

#include <functional>
#include <string>
#include <vector>

// One value of a result, in the order the output lists them.
struct OutcomeField {
    enum Kind { Number, Text, Null, Bool } kind;
    std::string key;
    double number;    // a Bool: 1 or 0
    std::string text; // code page 932; a Bool: its word (適合, 不適合)
};
using Outcome = std::vector<OutcomeField>;

// How the tall cases fill the grid: as the program does, or cell by cell as the formulas
// read (the yardstick of the whole-process benchmark).
enum class TallSweep { Fast, CellByCell };

// Runs the case's calculation on the prepared record (the tall cases over grid, obtained
// here; the map limits listed are the defaults), puts its results in results and lists
// what the screens show. When the computation could not be made, *status says why, the
// outcome is empty and results hold none.
Outcome ComputeOutcome(const OutletInputs &in, OutletCase screen, DilutionGrid &grid,
                       OutletResults &results, ComputeStatus *status = nullptr,
                       TallSweep sweep = TallSweep::Fast);

// The same list without the grid, for a caller that draws no map: only the cells the
// results depend on are computed, and no process-wide record is read or written, so
// workers with records of their own may call it at the same time. params: the constants
// to compute with, or null to read smell.prm.
Outcome ComputeResults(const OutletInputs &in, OutletCase screen, const SmellParams *params,
                       OutletResults &results, ComputeStatus *status = nullptr);

// What kamorte-calc says of a computation that could not be made: the flow guard's line,
// nothing for a refused allocation.
const char *ComputeFailureLine(ComputeStatus status);

// Every key a result can have, tall cases first, then the low cases.
const std::vector<std::string> &OutcomeKeys();

using TextConverter = std::function<std::string(const std::string &)>;

// One JSON object; texts go through toUtf8. Numbers read back to the same double.
std::string OutcomeJson(const Outcome &outcome, const TextConverter &toUtf8);
// Lines "key: value" for people.
std::string OutcomeText(const Outcome &outcome, const TextConverter &toUtf8);
// A CSV row in the order of OutcomeKeys() plus the error column.
std::string OutcomeCsvRow(const Outcome &outcome, const std::string &errorUtf8,
                          const TextConverter &toUtf8);
std::string OutcomeCsvHeader();
std::string CsvQuote(const std::string &value);
// A JSON string of UTF-8 text, with quotes and control characters escaped.
std::string JsonString(const std::string &utf8);
