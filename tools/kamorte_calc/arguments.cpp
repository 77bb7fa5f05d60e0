#include "tools/kamorte_calc/arguments.h"

#include "model/field_table.h"

#include <algorithm>

namespace {

// The report header's name an option names (--author, --office, --facility, as the print
// information's fields are called), or nullptr.
std::string *NameOption(const std::string &name, ReportNames *names) {
    for (Field field : {Field::AuthorName, Field::OfficeName, Field::FacilityName})
        if (name == FieldRowOf(field).name)
            return &NameOf(*names, field);
    return nullptr;
}

} // namespace

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
        const bool other = name == "map" || name == "grid" || name == "batch" || name == "format" ||
                           name == "solve" || name == "sweep" || name == "plot" ||
                           name == "output" || name == "input-encoding" ||
                           name == "output-encoding" || name == "columns" || name == "report";
        std::string *reportName = NameOption(name, &cmd->names);
        if (!outletOption && !other && reportName == nullptr) {
            *problem = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size()) {
            *problem = arg + " needs a value";
            return false;
        }
        const std::string &value = args[++i];
        if (name == "format") {
            if (value != "text" && value != "kv" && value != "json") {
                *problem = "--format takes text, kv or json";
                return false;
            }
            cmd->format = value == "json" ? OutputFormat::Json
                          : value == "kv" ? OutputFormat::KeyValue
                                          : OutputFormat::Text;
        } else if (name == "solve") {
            if (value != "height") {
                *problem = "--solve takes height";
                return false;
            }
            cmd->solve = value;
        } else if (name == "sweep") {
            if (value.compare(0, 7, "height=") != 0) {
                *problem = "--sweep takes height=FROM:TO:STEP";
                return false;
            }
            cmd->sweep = value.substr(7);
        } else if (name == "plot") {
            cmd->plotPath = value;
        } else if (name == "map")
            cmd->mapPath = value;
        else if (name == "grid")
            cmd->gridPath = value;
        else if (name == "batch")
            cmd->batchPath = value;
        else if (name == "output")
            cmd->outputPath = value;
        else if (name == "input-encoding")
            cmd->inputEncoding = value;
        else if (name == "output-encoding")
            cmd->outputEncoding = value;
        else if (name == "columns")
            cmd->columns = value;
        else if (name == "report")
            cmd->reportPath = value;
        else if (reportName != nullptr) {
            if (!reportName->empty() || value.empty()) {
                *problem = arg + (value.empty() ? " needs a text" : " given twice");
                return false;
            }
            *reportName = value;
            cmd->named = true;
        } else if (cmd->outlet.count(name)) {
            *problem = arg + " given twice";
            return false;
        } else {
            cmd->outlet[name] = value;
        }
    }
    return true;
}
