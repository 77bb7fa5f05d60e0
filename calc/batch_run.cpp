#include "calc/batch_run.h"

#include "calc/batch_columns.h"
#include "calc/batch_layout.h"
#include "calc/batch_row.h"
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "calc/compliance.h"
#include "calc/csv_text.h"
#include "calc/written_text.h"
#include "model/field_table.h"
#include "text/sheet_number.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <thread>

namespace {

// Rows computed together: enough to keep every core busy, few enough to show progress and
// to hold a file of any length in a few of them.
constexpr size_t kRowsPerPart = 1024;
// Tall outlets take a thousand times longer than low ones: parts start small and grow while
// they are quick, so that progress and a cancel are seen within a fraction of a second
// whatever the rows hold.
constexpr size_t kFirstPartRows = 16;

// The summary names this many rows written with "?", and counts the rest.
constexpr size_t kUnwritableRowsNamed = 5;

size_t NextPartSize(size_t rows, std::chrono::steady_clock::duration took) {
    if (took < std::chrono::milliseconds(100))
        return std::min(kRowsPerPart, rows * 2);
    if (took > std::chrono::milliseconds(400))
        return std::max(kFirstPartRows, rows / 2);
    return rows;
}

using Convert = std::function<std::string(const std::string &)>;

Convert Through(const std::function<std::string(const std::string &)> &f) {
    if (f)
        return f;
    return [](const std::string &text) { return text; };
}

// One row of the batch: its cells going in, what it gave coming out.
struct BatchRow {
    uint64_t sheetRow = 0;           // the header is row 1, whatever line breaks the cells hold
    bool blank = false;              // left blank in the result too
    std::vector<std::string> kept;   // the passed-through cells, as read
    std::vector<std::string> inputs; // the cells of the options' columns, as read
    OutletOptions options;           // code page 932
    RowVerdict verdict;
    std::string note; // code page 932: what the case's screen does not use
    Outcome outcome;
    std::string error; // code page 932; empty when computed
    int status = kComputed;
};

std::string Quoted(const std::string &name) {
    return "\"" + name + "\"";
}

std::string Trimmed(const std::string &text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return "";
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// Rows are independent: each worker takes the next row not yet taken and computes it on a
// record of its own, with the constants read once for the whole batch.
// A cancel stops the workers at their next row; the part is then left unwritten.
void ComputeRows(std::vector<BatchRow> &rows, const ColumnHeadings &headings,
                 const SmellParams &params, const std::atomic<bool> *cancel) {
    std::atomic<size_t> next{0};
    const auto work = [&] {
        std::unique_ptr<OutletInputs> record;
        try {
            record.reset(new OutletInputs());
        } catch (const std::bad_alloc &) {
            return; // the other workers take the rows
        }
        for (size_t i = next++; i < rows.size(); i = next++) {
            if (cancel && cancel->load())
                return;
            BatchRow &row = rows[i];
            if (row.status != kComputed || row.blank)
                continue;
            const PreparedRow prepared =
                PrepareBatchRow(row.options, headings, row.sheetRow, *record);
            row.note = prepared.note;
            if (prepared.error.status) {
                row.error = prepared.error.message;
                row.status = kBadInput;
                continue;
            }
            ComputeStatus computed;
            OutletResults results;
            row.outcome = ComputeResults(*record, prepared.outletCase, &params, results, &computed);
            if (computed != ComputeStatus::Ok) {
                row.error = RowFailureMessage(computed);
                row.status = kInternalGuard;
                continue;
            }
            row.verdict.standard = StandardOf(prepared.outletCase, results);
            const RequestError judged =
                JudgeMeasuredIndex(prepared.used, row.verdict.standard, row.outcome);
            if (judged.status) {
                row.error = judged.message;
                row.status = judged.status;
                row.outcome.clear();
                continue;
            }
            for (const OutcomeField &f : row.outcome)
                if (f.key == "measuredIndex")
                    row.verdict.judged =
                        JudgeMeasured(row.verdict.standard, f.number, &row.verdict.verdict);
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
    if (cancel && cancel->load())
        return;
    if (next.load() < rows.size()) { // not one worker got a record
        for (BatchRow &row : rows) {
            if (row.status == kComputed && !row.blank && row.outcome.empty()) {
                row.error = RowFailureMessage(ComputeStatus::OutOfMemory);
                row.status = kInternalGuard;
            }
        }
    }
}

// The stream's length from here, or 0 when it cannot be told (a pipe).
uint64_t RemainingBytes(std::istream &in) {
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1))
        return 0;
    in.seekg(0, std::ios::end);
    const std::istream::pos_type end = in.tellg();
    in.clear();
    in.seekg(start);
    if (end == std::istream::pos_type(-1) || end < start)
        return 0;
    return static_cast<uint64_t>(end - start);
}

std::string WithoutLineFeed(std::string row) {
    if (!row.empty() && row.back() == '\n')
        row.pop_back();
    return row;
}

// A column read as a number: every option but the case and the choices.
bool NumericOption(const std::string &option) {
    return option != OptionOf(Field::Case) && option != OptionOf(Field::SizeClass) &&
           option != OptionOf(Field::Direction);
}

std::string CsvCell(const std::string &text) {
    return CsvQuote(GuardFormula(text));
}

// The records of a seekable stream from here on, its position kept; 0 for a pipe.
uint64_t RecordsAhead(std::istream &in) {
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1))
        return 0;
    CsvReader reader(in);
    std::vector<std::string> cells;
    uint64_t line = 0, records = 0;
    while (reader.Next(&cells, &line) != CsvReader::Result::End)
        ++records;
    in.clear();
    in.seekg(start);
    return records;
}

// A row of the workbook: the passed-through cells as texts, the inputs as numbers where
// they are numbers, then the results.
SheetRow SheetCellsOf(const BatchRow &row, const SheetColumns &columns, bool forPeople,
                      const Convert &inToCp932, const Convert &inToUtf8,
                      const Convert &cp932ToUtf8) {
    SheetRow cells;
    for (const std::string &kept : row.kept)
        cells.push_back(kept.empty() ? SheetCell() : TextCell(inToUtf8(kept)));
    const bool computed = row.status == kComputed;
    if (!forPeople) {
        for (const std::string &key : OutcomeKeys()) {
            cells.emplace_back();
            for (const OutcomeField &f : computed ? row.outcome : Outcome()) {
                if (f.key != key || f.kind == OutcomeField::Null)
                    continue;
                cells.back() = f.kind == OutcomeField::Number ? NumberCell(f.number)
                                                              : TextCell(cp932ToUtf8(f.text));
            }
        }
        cells.push_back(computed ? SheetCell() : TextCell(cp932ToUtf8(row.error)));
        return cells;
    }
    for (size_t k = 0; k < row.inputs.size(); ++k) {
        const std::string &option = columns.inputOptions[k];
        const std::string number =
            NumericOption(option)
                ? CellNumber(inToCp932(row.inputs[k]), option == OptionOf(Field::Moisture))
                : std::string();
        if (!number.empty())
            cells.push_back(NumberCell(std::strtod(number.c_str(), nullptr)));
        else
            cells.push_back(row.inputs[k].empty() ? SheetCell()
                                                  : TextCell(inToUtf8(row.inputs[k])));
    }
    const SheetRow results = ResultSheetCells(
        ResultCells(computed ? row.outcome : Outcome(), row.verdict, row.note, row.error),
        cp932ToUtf8);
    cells.insert(cells.end(), results.begin(), results.end());
    return cells;
}

} // namespace

bool ReadSheetColumns(const std::vector<std::string> &header, const Convert &toCp932,
                      SheetColumns *columns, std::vector<std::string> *keptCp932,
                      FileProblem *problem) {
    const std::vector<std::string> &known = OutletOptionNames();
    for (const std::string &cell : header) {
        const std::string name = toCp932(cell);
        // Read again, a result's own columns are computed anew.
        const bool result = IsResultHeading(name);
        columns->result.push_back(result);
        if (result) {
            columns->option.emplace_back();
            continue;
        }
        const ColumnRole role = ClassifyColumn(name, known);
        switch (role.kind) {
        case ColumnRole::Option:
            if (columns->headings.count(role.option)) {
                *problem = {"「" + name + "」は「" + columns->headings[role.option] +
                                "」と同じ項目です。列をどちらか一方にして下さい。",
                            "column " + Quoted(name) + " gives " + role.option + " a second time"};
                return false;
            }
            columns->option.push_back(role.option);
            columns->headings[role.option] = Trimmed(name);
            columns->inputNames.push_back(cell);
            columns->inputOptions.push_back(role.option);
            break;
        case ColumnRole::NearMiss:
            *problem = {"「" + name + "」は「" + role.suggestion +
                            "」のことですか？列名を直して下さい。",
                        "column " + Quoted(name) + " is not an option name; did you mean " +
                            role.suggestion + "?"};
            return false;
        case ColumnRole::Unknown:
            *problem = {"「" + name + "」は一括計算に使えない列です。列名を直して下さい。",
                        "unknown column " + Quoted(name)};
            return false;
        case ColumnRole::PassThrough:
            columns->option.emplace_back();
            columns->keptNames.push_back(cell);
            keptCp932->push_back(name);
            break;
        }
    }
    return true;
}

BatchSummary RunBatch(std::istream &in, std::ostream &out, const BatchSettings &settings,
                      const std::function<void(const BatchProgress &)> &progress,
                      const std::atomic<bool> *cancel) {
    BatchSummary summary;
    const auto unusable = [&summary](const std::string &problem, const std::string &english) {
        summary.status = BatchFileUnusable;
        summary.problem = problem;
        summary.problemEnglish = english;
        return summary;
    };
    const auto unwritten = [&summary] {
        MarkUnwritten(&summary);
        return summary;
    };
    ResultSheet *const sheet = settings.sheet;
    const auto tooLong = [&unusable] {
        return unusable("結果の行数が Excel のシートの上限（1,048,576 行）を超えるため、結果を書い"
                        "ていません。CSV で保存して下さい。",
                        "the result has more rows than a sheet holds (1,048,576)");
    };

    BatchProgress done;
    done.bytesTotal = RemainingBytes(in);
    bool utf8 = settings.inputEncoding == InputEncoding::Utf8;
    if (settings.inputEncoding == InputEncoding::Auto)
        utf8 = StreamIsUtf8(in);
    summary.inputEncodingUsed = utf8 ? InputEncoding::Utf8 : InputEncoding::Cp932;
    OutputEncoding outEncoding = settings.outputEncoding;
    if (outEncoding == OutputEncoding::Default)
        outEncoding = utf8 ? OutputEncoding::Utf8Bom : OutputEncoding::Cp932;
    const bool utf8Out = outEncoding != OutputEncoding::Cp932;

    const Convert toUtf8 = Through(settings.codec.cp932ToUtf8);
    const Convert toCp932 = Through(settings.codec.utf8ToCp932);
    const Convert identity = Through(nullptr);
    const Convert inToCp932 = utf8 ? toCp932 : identity;
    const Convert cp932ToOut = utf8Out ? toUtf8 : identity;
    const Convert inToOut = utf8 == utf8Out ? identity : utf8 ? toCp932 : toUtf8;
    const Convert inToUtf8 = utf8 ? identity : toUtf8;
    const Convert resultText = [&cp932ToOut](const std::string &text) {
        return GuardFormula(cp932ToOut(text));
    };

    if (sheet && RecordsAhead(in) > kSheetRowLimit)
        return tooLong();
    CsvReader reader(in);
    if (utf8)
        reader.SkipByteOrderMark();
    std::vector<std::string> cells;
    uint64_t line = 0;
    if (reader.Next(&cells, &line) != CsvReader::Result::Record)
        return unusable("１行目に列名がありません。", "the file has no header");
    SheetColumns columns;
    FileProblem problem;
    if (!ReadSheetColumns(cells, inToCp932, &columns, &summary.passThrough, &problem))
        return unusable(problem.text, problem.english);

    SmellParams readParams;
    const SmellParams *params = settings.params;
    if (!params) {
        SetDefaultSmellParams(readParams);
        ReadSmellParams(readParams);
        params = &readParams;
    }

    const std::string lineEnd = reader.LineEnd().empty() ? "\r\n" : reader.LineEnd();
    // Cells read as UTF-8 and written as code page 932 may hold characters it lacks.
    const bool mayLose = utf8 && !utf8Out && !sheet;
    bool unwritable = false;
    const auto written = [&](const std::string &cell, uint64_t sheetRow,
                             const std::string &heading) {
        if (!mayLose)
            return CsvCell(inToOut(cell));
        bool lost = false;
        const std::string text = WrittenCp932(settings.codec, cell, &lost);
        if (lost && !unwritable) {
            if (settings.stopOnUnwritable) {
                unwritable = true;
                summary.problem = std::to_string(sheetRow) + " 行目「" + toCp932(heading) +
                                  "」に Shift_JIS で書けない文字があるため、結果を書いていません。"
                                  "出力の文字コードを UTF-8 にして下さい。";
            } else if (summary.unwritableRows.empty() ||
                       summary.unwritableRows.back() != sheetRow) {
                if (summary.unwritableRows.size() < kUnwritableRowsNamed)
                    summary.unwritableRows.push_back(sheetRow);
                ++summary.unwritableCount;
            }
        }
        return CsvCell(text);
    };
    std::string head = outEncoding == OutputEncoding::Utf8Bom ? "\xEF\xBB\xBF" : "";
    const bool forPeople = settings.layout == BatchLayout::People;
    for (const std::string &name : columns.keptNames)
        head += written(name, 1, name) + ",";
    if (forPeople) {
        for (const std::string &name : columns.inputNames)
            head += written(name, 1, name) + ",";
        std::string results;
        for (const std::string &name : ResultHeadings())
            results += (results.empty() ? "" : ",") + resultText(name);
        head += results + lineEnd;
    } else {
        head += WithoutLineFeed(OutcomeCsvHeader()) + lineEnd;
    }
    summary.judged = columns.headings.count(OptionOf(Field::MeasuredIndex)) != 0;
    if (unwritable)
        return unusable(summary.problem, "");
    if (sheet) {
        SheetRow headings;
        for (const std::string &name : columns.keptNames)
            headings.push_back(TextCell(inToUtf8(name)));
        if (forPeople) {
            for (const std::string &name : columns.inputNames)
                headings.push_back(TextCell(inToUtf8(name)));
            for (const std::string &name : ResultHeadings())
                headings.push_back(TextCell(toUtf8(name)));
        } else {
            for (const std::string &key : OutcomeKeys())
                headings.push_back(TextCell(key));
            headings.push_back(TextCell("error"));
        }
        if (!sheet->Headings(headings))
            return unwritten();
    } else {
        out << head;
    }

    std::vector<BatchRow> rows;
    size_t rowsPerPart = kFirstPartRows;
    uint64_t sheetRow = 1;
    bool more = true;
    while (more) {
        if (cancel && cancel->load()) {
            summary.cancelled = true;
            break;
        }
        rows.clear();
        while (rows.size() < rowsPerPart) {
            const CsvReader::Result got = reader.Next(&cells, &line);
            if (got == CsvReader::Result::End) {
                more = false;
                break;
            }
            if (sheet && sheetRow == kSheetRowLimit) // standard input, not counted ahead
                return tooLong();
            rows.emplace_back();
            BatchRow &row = rows.back();
            row.sheetRow = ++sheetRow;
            // A blank line, or a row Excel kept empty: a row of the sheet all the same.
            row.blank = std::all_of(cells.begin(), cells.end(),
                                    [](const std::string &c) { return c.empty(); });
            for (size_t c = 0; c < cells.size() && !row.blank; ++c) {
                if (c >= columns.option.size()) {
                    if (!cells[c].empty() && row.error.empty()) {
                        row.error = "見出しのない列に値があります";
                        row.status = kBadInput;
                    }
                } else if (columns.result[c]) {
                    continue;
                } else if (columns.option[c].empty()) {
                    row.kept.push_back(cells[c]);
                } else {
                    row.inputs.push_back(cells[c]);
                    const std::string &option = columns.option[c];
                    if (!cells[c].empty())
                        row.options[option] = OptionValue(option, inToCp932(cells[c]));
                }
            }
            row.kept.resize(columns.keptNames.size());
            row.inputs.resize(columns.inputNames.size());
            if (got == CsvReader::Result::UnclosedQuote) {
                row.blank = false;
                row.error = "引用符（\"）が閉じられていません";
                row.status = kBadInput;
                more = false;
                break;
            }
            if (got == CsvReader::Result::TooLong) {
                row.blank = false;
                row.error = "行が長すぎます（引用符が閉じられていない可能性があります）";
                row.status = kBadInput;
                more = false;
                break;
            }
        }
        const auto partStart = std::chrono::steady_clock::now();
        ComputeRows(rows, columns.headings, *params, cancel);
        if (cancel && cancel->load()) {
            summary.cancelled = true;
            break;
        }
        rowsPerPart = NextPartSize(rowsPerPart, std::chrono::steady_clock::now() - partStart);

        std::string text;
        for (const BatchRow &row : rows) {
            if (row.blank) {
                text += lineEnd;
                continue;
            }
            const bool computed = row.status == kComputed;
            const bool notComplying =
                computed && row.verdict.judged && !row.verdict.verdict.complies;
            if (sheet) {
                if (!sheet->Row(row.sheetRow,
                                SheetCellsOf(row, columns, forPeople, inToCp932, inToUtf8, toUtf8),
                                notComplying))
                    return unwritten();
            } else {
                for (size_t k = 0; k < row.kept.size(); ++k)
                    text += written(row.kept[k], row.sheetRow, columns.keptNames[k]) + ",";
                if (forPeople) {
                    for (size_t k = 0; k < row.inputs.size(); ++k) {
                        const std::string number =
                            NumericOption(columns.inputOptions[k])
                                ? CellNumber(inToCp932(row.inputs[k]),
                                             columns.inputOptions[k] == OptionOf(Field::Moisture))
                                : std::string();
                        text += (number.empty()
                                     ? written(row.inputs[k], row.sheetRow, columns.inputNames[k])
                                     : number) +
                                ",";
                    }
                    const std::vector<std::string> results = ResultCells(
                        computed ? row.outcome : Outcome(), row.verdict, row.note, row.error);
                    for (size_t k = 0; k < results.size(); ++k) {
                        const std::string cell = resultText(results[k]);
                        text += (k > 0 ? "," : "") +
                                CsvQuote(k == kKindColumn && utf8Out ? RaisedUnit(cell) : cell);
                    }
                } else {
                    text += WithoutLineFeed(
                        computed ? OutcomeCsvRow(row.outcome, "", resultText)
                                 : OutcomeCsvRow({}, resultText(row.error), resultText));
                }
                text += lineEnd;
            }
            if (!computed) {
                ++summary.rowsRefused;
                if (summary.firstErrorRow == 0) {
                    summary.firstErrorRow = row.sheetRow;
                    summary.firstError = row.error;
                }
            } else {
                if (notComplying)
                    ++summary.rowsNotComplying;
                ++summary.rowsComputed;
            }
            // A row's status is the exit status of its outlet: 0, 1 or 3.
            summary.status = std::max(summary.status, static_cast<BatchStatus>(row.status));
        }
        if (unwritable)
            return unusable(summary.problem, "");
        if (!sheet) {
            out << text;
            out.flush();
            if (!out)
                return unwritten();
        }
        done.bytesRead = reader.BytesRead();
        done.rowsDone += rows.size();
        if (progress)
            progress(done);
    }
    if (!sheet) {
        out.flush();
        if (!out)
            return unwritten();
    }
    return summary;
}

namespace {

std::string Grouped(uint64_t n) {
    std::string digits = std::to_string(n);
    for (size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, ",");
    return digits;
}

} // namespace

const char *RowFailureMessage(ComputeStatus status) {
    // As the case screens say it.
    return status == ComputeStatus::FlowGuard
               ? "排出ガスの流量または吐出速度から計算できません。入力値を確認してください。"
               : "メモリが不足しているため計算できませんでした。";
}

void MarkUnwritten(BatchSummary *summary) {
    summary->status = BatchFileUnusable;
    summary->writeFailed = true;
    summary->problem = "結果を書き込めませんでした。";
    summary->problemEnglish = "the result could not be written";
}

std::string BatchSummaryText(const BatchSummary &summary) {
    if (summary.status == BatchFileUnusable)
        return summary.problem;
    std::string text = Grouped(summary.rowsComputed) + " 行を計算";
    if (summary.judged)
        text += "（不適合 " + Grouped(summary.rowsNotComplying) + " 行）";
    if (summary.rowsRefused > 0) {
        text += "、" + Grouped(summary.rowsRefused) +
                " 行は入力に誤り（最初の誤り: " + std::to_string(summary.firstErrorRow) + " 行目 " +
                summary.firstError + "）";
    }
    if (summary.unwritableCount > 0) {
        std::string named;
        for (uint64_t row : summary.unwritableRows)
            named += (named.empty() ? "" : ", ") + std::to_string(row);
        if (summary.unwritableCount > summary.unwritableRows.size())
            named += " ほか";
        text += "、" + Grouped(summary.unwritableCount) +
                " 行に Shift_JIS で書けない文字（「?」で出力: " + named + " 行目）";
    }
    if (summary.cancelled)
        text += "、キャンセルで中断";
    return text;
}
