#include "tools/kamorte_calc/batch.h"

#include "tools/kamorte_calc/calc_output.h"
#include "tools/kamorte_calc/calc_request.h"
#include "tools/kamorte_calc/terminal_text.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

std::vector<std::string> SplitCsvLine(const std::string &line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cells.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

static std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

int RunBatch(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "kamorte-calc: cannot read %s\n", path.c_str());
        return kBadUsage;
    }
    std::string line;
    if (!std::getline(file, line)) {
        std::fprintf(stderr, "kamorte-calc: %s has no header\n", path.c_str());
        return kBadUsage;
    }
    line = WithoutLineEnd(line);
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    const std::vector<std::string> header = SplitCsvLine(line);
    const std::vector<std::string> &known = OutletOptionNames();
    for (const std::string &name : header) {
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            std::fprintf(stderr, "kamorte-calc: unknown column %s in %s\n", name.c_str(),
                         path.c_str());
            return kBadUsage;
        }
    }

    std::fputs(OutcomeCsvHeader().c_str(), stdout);
    int status = kComputed;
    while (std::getline(file, line)) {
        line = WithoutLineEnd(line);
        if (line.empty())
            continue;
        const std::vector<std::string> cells = SplitCsvLine(TerminalToCp932(line));
        OutletOptions options;
        for (size_t i = 0; i < header.size() && i < cells.size(); ++i) {
            if (!cells[i].empty())
                options[header[i]] = cells[i];
        }
        OutletCase screen;
        const RequestError error = PrepareOutlet(options, gOutletInputs, &screen);
        if (error.status) {
            std::fputs(OutcomeCsvRow({}, Cp932ToUtf8(error.message), Cp932ToUtf8).c_str(), stdout);
            status = kBadInput;
            continue;
        }
        ComputeStatus computed;
        const Outcome outcome = ComputeOutcome(gOutletInputs, screen, &computed);
        if (computed != ComputeStatus::Ok) {
            std::string line = ComputeFailureLine(computed);
            if (!line.empty())
                line.pop_back();
            std::fputs(
                OutcomeCsvRow({}, line.empty() ? "out of memory" : line, Cp932ToUtf8).c_str(),
                stdout);
            status = kInternalGuard;
            continue;
        }
        std::fputs(OutcomeCsvRow(outcome, "", Cp932ToUtf8).c_str(), stdout);
        std::fflush(stdout);
    }
    return status;
}
