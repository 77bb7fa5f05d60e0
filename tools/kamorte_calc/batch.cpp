#include "tools/kamorte_calc/batch.h"

#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/terminal_text.h"

#include "model/smell_params.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <memory>
#include <system_error>
#include <thread>

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

namespace {

// One row of the batch: its cells going in, what it gave coming out.
struct BatchRow {
    std::vector<std::string> cells; // code page 932
    Outcome outcome;
    std::string error; // code page 932; empty when computed
    int status = kComputed;
};

// Rows are independent: each worker takes the next row not yet taken and computes it on a
// record of its own, with the constants read once for the whole batch.
void ComputeRows(std::vector<BatchRow> &rows, const std::vector<std::string> &header,
                 const SmellParams &params) {
    std::atomic<size_t> next{0};
    const auto work = [&] {
        std::unique_ptr<OutletInputs> record(new OutletInputs());
        for (size_t i = next++; i < rows.size(); i = next++) {
            BatchRow &row = rows[i];
            OutletOptions options;
            for (size_t c = 0; c < header.size() && c < row.cells.size(); ++c) {
                if (!row.cells[c].empty())
                    options[header[c]] = row.cells[c];
            }
            OutletCase screen;
            const RequestError error = PrepareOutlet(options, *record, &screen);
            if (error.status) {
                row.error = error.message;
                row.status = kBadInput;
                continue;
            }
            ComputeStatus computed;
            row.outcome = ComputeResults(*record, screen, &params, &computed);
            if (computed != ComputeStatus::Ok) {
                std::string line = ComputeFailureLine(computed);
                if (!line.empty())
                    line.pop_back();
                row.error = line.empty() ? "out of memory" : line;
                row.status = kInternalGuard;
            }
        }
    };
    const unsigned cores = std::max(1u, std::min(16u, std::thread::hardware_concurrency()));
    const size_t helpers = std::min<size_t>(cores - 1, rows.size() / 4);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error &) {
            break; // fewer workers, the same rows
        }
    }
    work();
    for (std::thread &t : threads)
        t.join();
}

// Writes the rows in input order; the exit status of the worst of them: 3 when one could
// not be computed, 1 when one was refused.
int WriteRows(const std::vector<BatchRow> &rows) {
    int status = kComputed;
    for (const BatchRow &row : rows) {
        status = std::max(status, row.status);
        if (!row.error.empty()) {
            std::fputs(OutcomeCsvRow({}, Cp932ToUtf8(row.error), Cp932ToUtf8).c_str(), stdout);
        } else {
            std::fputs(OutcomeCsvRow(row.outcome, "", Cp932ToUtf8).c_str(), stdout);
        }
    }
    std::fflush(stdout);
    return status;
}

// Rows computed together: enough to keep every core busy, few enough to show progress
// and to hold a file of any length.
constexpr size_t kRowsPerPart = 1024;

} // namespace

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

    SmellParams params;
    SetDefaultSmellParams(params);
    ReadSmellParams(params);

    std::fputs(OutcomeCsvHeader().c_str(), stdout);
    int status = kComputed;
    std::vector<BatchRow> rows;
    bool more = true;
    while (more) {
        rows.clear();
        while (rows.size() < kRowsPerPart && (more = static_cast<bool>(std::getline(file, line)))) {
            line = WithoutLineEnd(line);
            if (!line.empty())
                rows.push_back({SplitCsvLine(TerminalToCp932(line)), {}, {}});
        }
        ComputeRows(rows, header, params);
        status = std::max(status, WriteRows(rows));
    }
    return status;
}
