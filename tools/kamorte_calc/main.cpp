// kamorte-calc: the No. 2 standard of one outlet (or of every row of a CSV file) from the
// command line, with the same checks, computation and shown texts as the program's screens.
#include "tools/kamorte_calc/batch.h"
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/map_files.h"
#include "tools/kamorte_calc/smell_prm_report.h"
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
    "  --json                 one JSON object (UTF-8); in cases C and D with smellPrm: the\n"
    "                         model constants in effect and whether smell.prm supplied them\n"
    "  --map FILE.bmp         the dilution map as a 24-bit BMP (cases C and D)\n"
    "  --grey                 the map in grey with print-style marks\n"
    "  --grid FILE            the dilution grid, 10000 x 800 little-endian doubles\n"
    "  --batch FILE.csv       one outlet a row under a header of option names without\n"
    "                         dashes; one CSV result row per input row\n"
    "\n"
    "exit status: 0 computed, 1 bad input, 2 bad usage, 3 internal guard or out of memory\n";

struct Command {
    OutletOptions outlet;
    bool json = false;
    bool grey = false;
    bool example = false;
    bool help = false;
    bool reference = false; // the whole grid cell by cell: the benchmarks' yardstick
    std::string mapPath;
    std::string gridPath;
    std::string batchPath;
};

int Usage(const std::string &problem) {
    std::fprintf(stderr, "kamorte-calc: %s\n\n%s", Cp932ToUtf8(problem).c_str(), kUsage);
    return kBadUsage;
}

bool ParseArguments(const std::vector<std::string> &args, Command *cmd, std::string *problem) {
    const std::vector<std::string> &names = OutletOptionNames();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--json") {
            cmd->json = true;
            continue;
        }
        if (arg == "--grey") {
            cmd->grey = true;
            continue;
        }
        if (arg == "--example") {
            cmd->example = true;
            continue;
        }
        if (arg == "--reference") {
            cmd->reference = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            cmd->help = true;
            continue;
        }
        if (arg.compare(0, 2, "--") != 0) {
            *problem = "unexpected argument " + arg;
            return false;
        }
        const std::string name = arg.substr(2);
        const bool outletOption = std::find(names.begin(), names.end(), name) != names.end();
        if (!outletOption && name != "map" && name != "grid" && name != "batch") {
            *problem = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            *problem = arg + " needs a value";
            return false;
        }
        const std::string &value = args[++i];
        if (name == "map")
            cmd->mapPath = value;
        else if (name == "grid")
            cmd->gridPath = value;
        else if (name == "batch")
            cmd->batchPath = value;
        else if (cmd->outlet.count(name)) {
            *problem = arg + " given twice";
            return false;
        } else {
            cmd->outlet[name] = value;
        }
    }
    return true;
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
    // The tall cases' constants may come from smell.prm; say so whenever a file is there.
    const SmellPrmReport prm = tall ? ReadSmellPrmReport() : SmellPrmReport{};
    std::fputs(SmellPrmLine(prm).c_str(), stderr);
    // Without a map or the grid only the cells the results depend on are computed.
    const bool wholeGrid = !cmd.mapPath.empty() || !cmd.gridPath.empty() || cmd.reference;
    ComputeStatus status;
    const Outcome outcome =
        !wholeGrid ? ComputeResults(gOutletInputs, screen, tall ? &prm.params : nullptr, &status)
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
    std::string shown =
        cmd.json ? OutcomeJson(outcome, Cp932ToUtf8) : OutcomeText(outcome, Cp932ToUtf8);
    if (cmd.json && tall)
        shown = WithJsonMember(shown, "smellPrm", SmellPrmJson(prm));
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

// Results that never reached standard output (a full disk, a closed pipe) must not end
// with the status of a computed outlet.
int Flushed(int status) {
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return status;
    std::fprintf(stderr, "kamorte-calc: cannot write the results to standard output\n");
    return status == kComputed ? kBadUsage : status;
}

int Run(int argc, char **argv) {
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

} // namespace

int main(int argc, char **argv) {
    return Flushed(Run(argc, argv));
}
