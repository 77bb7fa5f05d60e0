// kamorte-calc: the No. 2 standard of one outlet (or of every row of a CSV file) from the
// command line, with the same checks, computation and shown texts as the program's screens.
#include "tools/kamorte_calc/arguments.h"
#include "tools/kamorte_calc/batch.h"
#include "calc/batch_columns.h"
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "calc/compliance.h"
#include "calc/outcome_report.h"
#include "tools/kamorte_calc/height_commands.h"
#include "tools/kamorte_calc/map_files.h"
#include "tools/kamorte_calc/output_message.h"
#include "tools/kamorte_calc/report_file.h"
#include "tools/kamorte_calc/smell_prm_report.h"
#include "tools/kamorte_calc/terminal_text.h"

#include "model/dilution_grid.h"
#include "model/field_table.h"
#include "model/map_settings.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The usage text after the outlet options, in two parts around the height option.
const char kOutputUsage[] =
    "\n"
    "output:\n"
    "  --format text          the result in Japanese as the screens word it (the default)\n"
    "  --format kv            one \"key: value\" line a value\n"
    "  --format json, --json  one JSON object (UTF-8); in cases C and D with smellPrm: the\n"
    "                         model constants in effect and whether smell.prm supplied them\n"
    "  --map FILE.bmp         the dilution map as a 24-bit BMP (cases C and D)\n"
    "  --grey                 the map in grey with print-style marks; with --report the\n"
    "                         pages as a printer without colour prints them\n"
    "  --grid FILE            the dilution grid, 10000 x 800 little-endian doubles\n"
    "  --report FILE.pdf      the printed report as a PDF of A4 pages; with --batch one\n"
    "                         page a row that computes, as the program's batch printing\n"
    "                         prints them (the Windows build: print from the program)\n"
    "  --author TEXT, --office TEXT, --facility TEXT   the report header's names; with\n"
    "                         --batch a row's own cell wins\n"
    "  --solve height         the lowest real height, from ";
const char kScanUsage[] =
    " up to 400 m in steps of\n"
    "                         0.1 m, at which the measured index complies; the case follows\n"
    "                         the height, and the options of every case it reaches may be given\n"
    "  --sweep height=FROM:TO:STEP   the standard at each height as CSV\n"
    "  --plot FILE.svg        with --sweep: the standard against the height as a chart\n"
    "  --batch FILE.csv       one outlet a row under a header of option names without\n"
    "                         dashes (or the screens' labels below); other columns are\n"
    "                         passed through ahead of the results; - reads standard input\n"
    "  --output FILE.csv      the batch result to a file instead of standard output;\n"
    "                         FILE.xlsx: an Excel workbook (texts as typed, numbers\n"
    "                         as numbers; at most 1,048,575 rows)\n"
    "  --columns all          the batch result with every result key (default: the inputs\n"
    "                         and the standard, verdict and messages under Japanese headings)\n"
    "  --input-encoding E     auto (default: UTF-8 if the whole file is, else cp932;\n"
    "                         standard input is UTF-8), utf-8 or cp932\n"
    "  --output-encoding E    utf-8-bom, utf-8 or cp932 (default: cp932 for a cp932\n"
    "                         file, otherwise utf-8-bom)\n"
    "\n"
    "exit status: 0 computed, 1 bad input, 2 bad usage, 3 internal guard or out of memory\n";

// The usage text; the outlet options' lines come from the field table.
std::string BuildUsageText() {
    const std::string measured = DashedOption(Field::MeasuredIndex) + " N";
    return "usage: kamorte-calc [outlet options] [" + DashedOption(Field::Case) + " A|B|C|D] [" +
           measured +
           "]\n"
           "                    [--json | --format text|kv|json] [--map FILE.bmp [--grey]] "
           "[--grid FILE]\n"
           "                    [--report FILE.pdf]\n"
           "       kamorte-calc --example [" +
           measured +
           "] [--json | --format text|kv|json]\n"
           "                    [--map FILE.bmp [--grey]] [--grid FILE] [--report FILE.pdf]\n"
           "       kamorte-calc [outlet options] " +
           measured +
           " --solve height\n"
           "                    [--json | --format text|kv|json]\n"
           "       kamorte-calc [outlet options] [" +
           measured +
           "] --sweep height=FROM:TO:STEP\n"
           "                    [--plot FILE.svg]\n"
           "       kamorte-calc --batch FILE.csv|- [--output FILE.csv|FILE.xlsx]\n"
           "                    [--report FILE.pdf [--grey]] [--input-encoding auto|utf-8|cp932]\n"
           "                    [--output-encoding utf-8-bom|utf-8|cp932]\n"
           "\n"
           "outlet options (values as typed on the screens; full-width digits are accepted):\n" +
           OptionUsageLines() + kOutputUsage + DashedOption(Field::OutletHeight) + kScanUsage;
}

const std::string &UsageText() {
    static const std::string text = BuildUsageText();
    return text;
}

// The batch columns' other names and the words their cells may hold, as --help lists them.
std::string ColumnAliasHelp() {
    std::string text = "\nbatch columns may be headed by the screens' labels:\n";
    for (const ColumnAlias &alias : ColumnAliases()) {
        std::string line = "  " + std::string(alias.option);
        line.resize(22, ' ');
        text += line + Cp932ToUtf8(alias.label) + "\n";
    }
    text += "and their cells may hold the screens' words:\n";
    for (const ValueWord &word : ValueWords()) {
        std::string line = "  " + std::string(word.option) + " " + word.value;
        line.resize(22, ' ');
        text += line + Cp932ToUtf8(word.word) + "\n";
    }
    return text;
}

int Usage(const std::string &problem) {
    std::fprintf(stderr, "kamorte-calc: %s\n\n%s", Cp932ToUtf8(problem).c_str(),
                 UsageText().c_str());
    return kBadUsage;
}

// The page the case's screen prints for the outlet, with the map of its default settings and
// the verdict on a measured index; the names given in its header.
int ReportOfOutlet(const Command &cmd, OutletCase screen, OutletInputs &in,
                   const OutletResults &results, const DilutionGrid &grid) {
    TakeMeasuredIndex(cmd.outlet, in);
    const bool tall = screen == CaseC || screen == CaseD;
    const MapSettings map =
        tall ? DefaultMapSettings(in.tall, results.tall, grid.Cells()) : kInitialMapSettings;
    Report made = MakeReport(screen, in, results, grid.Cells(), map, PrintInfo{}, !cmd.grey);
    made.info = cmd.names;
    made.title = kReportTitle;
    made.printedAt = ReportDate();
    const int status = WriteOutletReport(cmd.reportPath, screen, made);
    if (status == kComputed && !cmd.json)
        std::printf("report: %s\n", cmd.reportPath.c_str());
    return status;
}

int RunSingle(const Command &cmd) {
    OutletCase screen;
    OutletInputs in{};
    RequestError error = PrepareOutlet(cmd.outlet, in, &screen);
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
    // Without a map, the grid or a report only the cells the results depend on are computed.
    const bool wholeGrid = !cmd.mapPath.empty() || !cmd.gridPath.empty() || cmd.reference ||
                           (tall && !cmd.reportPath.empty());
    ComputeStatus status;
    DilutionGrid grid;
    OutletResults results;
    Outcome outcome =
        !wholeGrid ? ComputeResults(in, screen, tall ? &prm.params : nullptr, results, &status)
                   : ComputeOutcome(in, screen, grid, results, &status,
                                    cmd.reference ? TallSweep::CellByCell : TallSweep::Fast);
    if (status == ComputeStatus::OutOfMemory) {
        std::fprintf(stderr, "kamorte-calc: not enough memory for the dilution grid\n");
        return kOutOfMemory;
    }
    if (status != ComputeStatus::Ok) {
        std::fputs(ComputeFailureLine(status), stdout);
        return kInternalGuard;
    }
    const RequestError judged =
        JudgeMeasuredIndex(cmd.outlet, StandardOf(screen, results), outcome);
    if (judged.status) {
        std::fprintf(stderr, "%s\n", Cp932ToUtf8(judged.message).c_str());
        return judged.status;
    }
    std::string shown = cmd.json ? OutcomeJson(outcome, Cp932ToUtf8)
                        : cmd.format == OutputFormat::KeyValue
                            ? OutcomeText(outcome, Cp932ToUtf8)
                            : OutcomeReport(outcome, TerminalShowsSuperscriptThree(), Cp932ToUtf8);
    if (cmd.json && tall)
        shown = WithJsonMember(shown, "smellPrm", SmellPrmJson(prm));
    std::fputs(shown.c_str(), stdout);
    if (!cmd.mapPath.empty()) {
        const MapSettings map = DefaultMapSettings(in.tall, results.tall, grid.Cells());
        const MapFileStatus written =
            WriteMapFile(cmd.mapPath, cmd.grey, grid.Cells(), map, in, results.tall);
        if (written == MapFileStatus::OutOfMemory) {
            std::fprintf(stderr, "kamorte-calc: not enough memory for the map\n");
            return kOutOfMemory;
        }
        if (written != MapFileStatus::Written) {
            ReportUnwritten(cmd.mapPath, written == MapFileStatus::ReadOnly
                                             ? OutputProblem::ReadOnly
                                             : OutputProblem::CannotWrite);
            return kBadUsage;
        }
        if (!cmd.json)
            std::printf("map: %s\n", cmd.mapPath.c_str());
    }
    if (!cmd.gridPath.empty()) {
        const OutputProblem problem = WriteGridFile(cmd.gridPath, grid.Cells());
        if (problem != OutputProblem::None) {
            ReportUnwritten(cmd.gridPath, problem);
            return kBadUsage;
        }
        if (!cmd.json)
            std::printf("grid: %s\n", cmd.gridPath.c_str());
    }
    if (!cmd.reportPath.empty())
        return ReportOfOutlet(cmd, screen, in, results, grid);
    return kComputed;
}

// Results that never reached standard output (a full disk, a closed pipe) must not end
// with the status of a computed outlet. A run that failed has said why already.
int Flushed(int status) {
    if (status != kComputed || (std::fflush(stdout) == 0 && std::ferror(stdout) == 0))
        return status;
    std::fprintf(stderr, "kamorte-calc: standard output: the result could not be written\n");
    return kBadUsage;
}

int Run(int argc, char **argv) {
    PrepareOutput();
    Command cmd;
    std::string problem;
    if (!ParseArguments(ArgumentsInCp932(argc, argv), &cmd, &problem))
        return Usage(problem);
    if (cmd.help) {
        std::fputs(UsageText().c_str(), stdout);
        std::fputs(ColumnAliasHelp().c_str(), stdout);
        return kComputed;
    }
    if (cmd.format == OutputFormat::Json)
        cmd.json = true;
    if (cmd.json)
        cmd.format = OutputFormat::Json;
    if (cmd.grey && cmd.mapPath.empty() && cmd.reportPath.empty())
        return Usage("--grey needs --map or --report");
    if (cmd.named && cmd.reportPath.empty())
        return Usage("--author, --office and --facility name the report's header: give --report");
    if (!cmd.reportPath.empty())
        if (const int refused = RefuseReportHere())
            return refused;
    if (!cmd.batchPath.empty()) {
        if (!cmd.outlet.empty() || cmd.example || !cmd.mapPath.empty() || !cmd.gridPath.empty() ||
            cmd.json || cmd.reference || !cmd.solve.empty() || !cmd.sweep.empty() ||
            !cmd.plotPath.empty())
            return Usage("--batch takes no other options than --output, --columns, --report with "
                         "its names and --grey, and the encodings");
        if (!cmd.reportPath.empty() && cmd.batchPath == "-")
            return Usage("--report reads the register twice: give its file, not -");
        BatchCommand batch;
        batch.path = cmd.batchPath;
        batch.outputPath = cmd.outputPath;
        if (cmd.inputEncoding == "utf-8")
            batch.inputEncoding = InputEncoding::Utf8;
        else if (cmd.inputEncoding == "cp932")
            batch.inputEncoding = InputEncoding::Cp932;
        else if (!cmd.inputEncoding.empty() && cmd.inputEncoding != "auto")
            return Usage("--input-encoding takes auto, utf-8 or cp932");
        if (cmd.outputEncoding == "utf-8-bom")
            batch.outputEncoding = OutputEncoding::Utf8Bom;
        else if (cmd.outputEncoding == "utf-8")
            batch.outputEncoding = OutputEncoding::Utf8;
        else if (cmd.outputEncoding == "cp932")
            batch.outputEncoding = OutputEncoding::Cp932;
        else if (!cmd.outputEncoding.empty())
            return Usage("--output-encoding takes utf-8-bom, utf-8 or cp932");
        if (cmd.columns == "all")
            batch.layout = BatchLayout::All;
        else if (!cmd.columns.empty())
            return Usage("--columns takes all");
        const int status = RunBatchCommand(batch);
        if (cmd.reportPath.empty() || status == kBadUsage)
            return status;
        return std::max(status,
                        WriteRegisterReport(cmd.reportPath, cmd.batchPath, cmd.names, !cmd.grey));
    }
    if (!cmd.outputPath.empty() || !cmd.inputEncoding.empty() || !cmd.outputEncoding.empty() ||
        !cmd.columns.empty())
        return Usage("--output, --columns and the encodings apply to --batch");
    if (cmd.example) {
        // A measured index is no part of the outlet: the example can be judged too.
        OutletOptions example = ExampleOutlet();
        for (const auto &option : cmd.outlet) {
            if (option.first != OptionOf(Field::MeasuredIndex))
                return Usage("--example takes no outlet options");
            example.insert(option);
        }
        // Under a scan the case follows the height.
        if (!cmd.solve.empty() || !cmd.sweep.empty())
            example.erase(OptionOf(Field::Case));
        cmd.outlet = example;
    }
    if (cmd.outlet.empty())
        return Usage("no outlet given");
    if (!cmd.plotPath.empty() && cmd.sweep.empty())
        return Usage("--plot needs --sweep");
    if (!cmd.solve.empty() || !cmd.sweep.empty()) {
        if (!cmd.solve.empty() && !cmd.sweep.empty())
            return Usage("give --solve or --sweep, not both");
        if (!cmd.mapPath.empty() || !cmd.gridPath.empty() || cmd.reference ||
            !cmd.reportPath.empty())
            return Usage("--solve and --sweep draw no map and write no grid or report");
        if (!cmd.sweep.empty() && cmd.format != OutputFormat::Text)
            return Usage("--sweep writes CSV: give no --json or --format");
        return !cmd.solve.empty()
                   ? RunSolveHeight(cmd.outlet, cmd.format, UsageText().c_str())
                   : RunSweepHeight(cmd.outlet, cmd.sweep, cmd.plotPath, UsageText().c_str());
    }
    return RunSingle(cmd);
}

} // namespace

int main(int argc, char **argv) {
    return Flushed(Run(argc, argv));
}
