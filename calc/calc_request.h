#pragma once
#include "model/outlet_inputs.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// One outlet as given on the command line or in a batch row: option name (without
// dashes) → the text typed, in code page 932.
using OutletOptions = std::map<std::string, std::string>;

enum ExitStatus {
    kComputed = 0,
    kBadInput = 1,
    kBadUsage = 2,
    kInternalGuard = 3,
    kOutOfMemory = 3 // as the internal guard: scripts have always seen 3 for both
};

struct RequestError {
    int status = kComputed; // kBadInput or kBadUsage when set
    std::string message;    // code page 932
};

// The option names that describe an outlet, in the order of the field table.
const std::vector<std::string> &OutletOptionNames();

// The options the screen of a case has a field or a choice for (the case and the measured
// index apply to every case besides).
const std::set<std::string> &CaseOptionNames(OutletCase outletCase);

// The built-in example outlet: case D, 30 m, building 10 m, No. 1 standard 12,
// diameter 1 m, upward, 80 °C, dry flow 300 m³N/min, moisture 10 %, 50 m and 20 m.
OutletOptions ExampleOutlet();

// The numbers of the options as spreadsheets write them ("1,200"; "10%" for the moisture)
// made plain for the numeric rule; other texts as they stand.
OutletOptions WithPlainNumbers(const OutletOptions &options);

// The case: as given, or chosen from the two heights as the start menu chooses it.
RequestError ChooseCase(const OutletOptions &options, OutletInputs &in, OutletCase *outletCase);

// Checks the options as the case's screen checks its fields and fills the records.
// On success *outletCase is the case and the records hold the accepted inputs.
RequestError PrepareOutlet(const OutletOptions &options, OutletInputs &in, OutletCase *outletCase);
