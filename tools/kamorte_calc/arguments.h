#pragma once
#include "calc/calc_request.h"
#include "print/report_rules.h"
#include "tools/kamorte_calc/height_commands.h"

#include <string>
#include <vector>

// What the command line asks for.
struct Command {
    OutletOptions outlet;
    bool json = false;
    OutputFormat format = OutputFormat::Text;
    bool grey = false;
    bool example = false;
    bool help = false;
    bool reference = false; // the whole grid cell by cell: the benchmarks' yardstick
    std::string mapPath;
    std::string gridPath;
    std::string batchPath;
    std::string outputPath;
    std::string inputEncoding;
    std::string outputEncoding;
    std::string columns; // the batch's layout: "all", or empty for the default
    std::string solve;
    std::string sweep; // FROM:TO:STEP
    std::string plotPath;
    std::string reportPath; // the printed report as a PDF
    ReportNames names;      // its header's names (code page 932)
    bool named = false;     // one of them was given
};

// Reads the arguments (after the program's name, in code page 932) into *cmd; false with
// *problem naming the argument when they cannot be read. Combinations are judged by main.
bool ParseArguments(const std::vector<std::string> &args, Command *cmd, std::string *problem);
