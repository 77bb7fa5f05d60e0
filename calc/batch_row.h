#pragma once
#include "calc/calc_request.h"

#include <cstdint>
#include <map>
#include <string>

// A row of a batch file read as its case's screen reads the fields. A register has one
// column per field for all its outlets, so a value the case's screen has no field for is no
// fault: it is set aside and the note says so. Two alternatives both given, which the
// screens' radio buttons prevent, are refused; every message is worded as the screens word
// theirs and names the column by its heading.

// Option name → the heading of its column as typed (code page 932).
using ColumnHeadings = std::map<std::string, std::string>;

struct PreparedRow {
    RequestError error;
    OutletCase outletCase = CaseUndecided;
    OutletOptions used; // the options the case's screen reads, the case among them
    std::string note;   // code page 932: what was set aside and why; empty when nothing
};

// Prepares the records as PrepareOutlet does, from the row's cells (code page 932).
PreparedRow PrepareBatchRow(const OutletOptions &cells, const ColumnHeadings &headings,
                            uint64_t sheetRow, OutletInputs &in);
