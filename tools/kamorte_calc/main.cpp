// kamorte-calc: the No. 2 standard of one outlet (or of every row of a CSV file) from the
// command line, with the same checks, computation and shown texts as the program's screens.
#include "tools/kamorte_calc/arguments.h"
#include "tools/kamorte_calc/batch.h"
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/map_files.h"
#include "tools/kamorte_calc/terminal_text.h"

#include "model/dilution_grid.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: kamorte-calc [outlet options] [--case A|B|C|D] [--json] [--map FILE.bmp [--grey]]\n"
    "                    [--grid FILE]\n"
    "       kamorte-calc --example [--json] [--map FILE.bmp [--grey]] [--grid FILE]\n"
    "       kamorte-calc --batch FILE.csv\n"
    "\n"
    "outlet options (values as typed on the screens; full-width digits are accepted):\n"
    "  --height M             outlet real height\n"
    "  --building M           maximum nearby building height (not for case A)\n"
    "  --no1 INDEX            No. 1 standard, 10 to 21\n"
    "  --size small|medium|large        outlet size class (cases A and B)\n"
    "  --diameter M | --area M2         outlet size (case D)\n"
    "  --direction up|down    outlet direction (case D)\n"
    "  --temperature C        gas temperature (case D, upward outlet)\n"
    "  --dry-flow Q | --wet-flow Q | --velocity V   gas flow in m3N/min or exit velocity in m/s\n"
    "                         (--velocity only in case D)\n"
    "  --moisture PERCENT     moisture (case D; case C with --wet-flow)\n"
    "  --outlet-boundary M    outlet to site boundary (may be omitted in case C)\n"
    "  --building-boundary M  building to site boundary (may be omitted in case C)\n"
    "  --case A|B|C|D         the case; by default chosen from the two heights\n"
    "\n"
    "output:\n"
    "  --json                 one JSON object (UTF-8)\n"
    "  --map FILE.bmp         the dilution map as a 24-bit BMP (cases C and D)\n"
    "  --grey                 the map in grey with print-style marks\n"
    "  --grid FILE            the dilution grid, 10000 x 800 little-endian doubles\n"
    "  --batch FILE.csv       one outlet a row under a header of option names without\n"
    "                         dashes; one CSV result row per input row\n"
    "\n"
    "exit status: 0 computed, 1 bad input, 2 bad usage, 3 internal guard or out of memory\n";

int Usage(const std::string &problem) {
    std::fprintf(stderr, "kamorte-calc: %s\n\n%s", Cp932ToUtf8(problem).c_str(), kUsage);
    return kBadUsage;
}

int RunSingle(const Command &cmd) {
    OutletCase screen;
    RequestError error = PrepareOutlet(cmd.outlet, gOutletInputs, &screen);
    if (error.status == kBadUsage)
        return Usage(error.message);
    if (error.status) {
        std::fprintf(stderr, "%s\n", Cp932ToUtf8(error.message).c_str());
        return error.status;
    }
    const bool tall = screen == CaseC || screen == CaseD;
    if (!tall && (!cmd.mapPath.empty() || !cmd.gridPath.empty()))
        return Usage("--map and --grid apply to cases C and D");
    // Without a map or the grid only the cells the results depend on are computed.
    const bool wholeGrid = !cmd.mapPath.empty() || !cmd.gridPath.empty() || cmd.reference;
    ComputeStatus status;
    const Outcome outcome =
        !wholeGrid ? ComputeResults(gOutletInputs, screen, nullptr, &status)
                   : ComputeOutcome(gOutletInputs, screen, &status,
                                    cmd.reference ? TallSweep::CellByCell : TallSweep::Fast);
    if (status == ComputeStatus::OutOfMemory) {
        std::fprintf(stderr, "kamorte-calc: not enough memory for the dilution grid\n");
        return kOutOfMemory;
    }
    if (status != ComputeStatus::Ok) {
        std::fputs(ComputeFailureLine(status), stdout);
        return kInternalGuard;
    }
    const std::string shown =
        cmd.json ? OutcomeJson(outcome, Cp932ToUtf8) : OutcomeText(outcome, Cp932ToUtf8);
    std::fputs(shown.c_str(), stdout);
    if (!cmd.mapPath.empty()) {
        const MapFileStatus written = WriteMapFile(cmd.mapPath, cmd.grey);
        if (written == MapFileStatus::OutOfMemory) {
            std::fprintf(stderr, "kamorte-calc: not enough memory for the map\n");
            return kOutOfMemory;
        }
        if (written != MapFileStatus::Written) {
            std::fprintf(stderr, "kamorte-calc: cannot write %s\n", cmd.mapPath.c_str());
            return kBadUsage;
        }
        if (!cmd.json)
            std::printf("map: %s\n", cmd.mapPath.c_str());
    }
    if (!cmd.gridPath.empty()) {
        if (!WriteGridFile(cmd.gridPath, gDilutionGrid)) {
            std::fprintf(stderr, "kamorte-calc: cannot write %s\n", cmd.gridPath.c_str());
            return kBadUsage;
        }
        if (!cmd.json)
            std::printf("grid: %s\n", cmd.gridPath.c_str());
    }
    return kComputed;
}

} // namespace

int main(int argc, char **argv) {
    PrepareOutput();
    Command cmd;
    std::string problem;
    if (!ParseArguments(ArgumentsInCp932(argc, argv), &cmd, &problem))
        return Usage(problem);
    if (cmd.help) {
        std::fputs(kUsage, stdout);
        return kComputed;
    }
    if (cmd.grey && cmd.mapPath.empty())
        return Usage("--grey needs --map");
    if (!cmd.batchPath.empty()) {
        if (!cmd.outlet.empty() || cmd.example || !cmd.mapPath.empty() || !cmd.gridPath.empty() ||
            cmd.json || cmd.reference)
            return Usage("--batch takes no other options");
        return RunBatch(cmd.batchPath);
    }
    if (cmd.example) {
        if (!cmd.outlet.empty())
            return Usage("--example takes no outlet options");
        cmd.outlet = ExampleOutlet();
    }
    if (cmd.outlet.empty())
        return Usage("no outlet given");
    return RunSingle(cmd);
}
