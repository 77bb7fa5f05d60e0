#include "calc/register_pages.h"

#include "calc/batch_columns.h"
#include "calc/batch_row.h"
#include "calc/calc_output.h"
#include "calc/compliance.h"
#include "calc/csv_text.h"
#include "model/field_table.h"

namespace {

constexpr char kOutletNumberHeading[] = "排出口番号";

std::string RegisterLine(uint64_t sheetRow, const std::string &outletNumber, uint64_t number,
                         uint64_t pages) {
    std::string line = "一覧の " + std::to_string(sheetRow) + " 行目";
    if (!outletNumber.empty())
        line += "　排出口番号 " + outletNumber;
    return line + "　" + std::to_string(number) + " / " + std::to_string(pages);
}

// A cell of the row's own wins over the print information.
void Prefer(std::string &name, const std::string &own) {
    if (!own.empty())
        name = own;
}

} // namespace

// A row as its outlet's screen takes it, with what the register itself gives the page.
struct RegisterPages::Row {
    OutletCase outletCase = CaseUndecided;
    ReportNames names; // the row's own cells; empty where it has none
    std::string outletNumber;
    OutletResults results;
};

RegisterPages::RegisterPages(const RegisterPrint &print) : print_(print) {}

RegisterPages::~RegisterPages() = default;

void RegisterPages::Skip(uint64_t sheetRow, const std::string &error) {
    if (count_.rowsSkipped++ == 0) {
        count_.firstSkippedRow = sheetRow;
        count_.firstError = error;
    }
}

std::string RegisterPages::ComputeRow(const OutletRow &row, bool withGrid, Row *computed) {
    const std::vector<std::string> &kept = reader_->KeptNames();
    for (size_t k = 0; k < kept.size(); ++k) {
        const std::string cell = UnguardFormula(row.kept[k]);
        Field field;
        if (IsPrintHeading(kept[k], &field))
            NameOf(computed->names, field) = cell;
        else if (NormalisedHeading(kept[k]) == kOutletNumberHeading)
            computed->outletNumber = cell;
    }
    OutletInputs &in = *record_;
    const PreparedRow prepared =
        PrepareBatchRow(row.options, reader_->Headings(), row.sheetRow, in);
    if (prepared.error.status)
        return prepared.error.message;
    const OutletCase c = computed->outletCase = prepared.outletCase;
    ComputeStatus status;
    Outcome outcome = withGrid ? ComputeOutcome(in, c, grid_, computed->results, &status)
                               : ComputeResults(in, c, &params_, computed->results, &status);
    if (status == ComputeStatus::OutOfMemory && withGrid)
        outOfMemory_ = true;
    if (status != ComputeStatus::Ok)
        return RowFailureMessage(status);
    const RequestError judged =
        JudgeMeasuredIndex(prepared.used, StandardOf(c, computed->results), outcome);
    if (judged.status)
        return judged.message;
    TakeMeasuredIndex(prepared.used, in);
    return "";
}

bool RegisterPages::Open(std::istream &in, std::string *problem) {
    utf8_ = StreamIsUtf8(in);
    start_ = in.tellg();
    reader_.reset(new OutletRowReader(in, utf8_, print_.codec));
    if (!reader_->ReadHeader(problem))
        return false;
    record_.reset(new OutletInputs());
    SetDefaultSmellParams(params_);
    ReadSmellParams(params_);
    constantsChanged_ = ChangedSmellParams(params_);
    OutletRow row;
    for (;;) {
        const OutletRowReader::Got got = reader_->Next(&row);
        if (got == OutletRowReader::Got::End)
            break;
        // Nothing after it can be read: the batch's words for its row.
        if (got != OutletRowReader::Got::Row) {
            Skip(row.sheetRow, got == OutletRowReader::Got::UnclosedQuote
                                   ? "引用符（\"）が閉じられていません"
                                   : "行が長すぎます（引用符が閉じられていない可能性があります）");
            break;
        }
        Row computed;
        const std::string error = ComputeRow(row, false, &computed);
        if (error.empty())
            ++count_.pages;
        else
            Skip(row.sheetRow, error);
    }
    // Once more from the start, for the pages.
    in.clear();
    in.seekg(start_);
    reader_.reset(new OutletRowReader(in, utf8_, print_.codec));
    if (!in || !reader_->ReadHeader(problem)) {
        *problem = "ファイルを読めません。";
        return false;
    }
    return true;
}

bool RegisterPages::Next(RegisterPage *page) {
    if (!reader_ || outOfMemory_ || printed_ == count_.pages)
        return false;
    OutletRow row;
    while (reader_->Next(&row) == OutletRowReader::Got::Row) {
        Row computed;
        // A row without a page was counted as such when the register was opened.
        if (!ComputeRow(row, true, &computed).empty()) {
            if (outOfMemory_)
                return false;
            continue;
        }
        const OutletCase c = computed.outletCase;
        const bool tall = c == CaseC || c == CaseD;
        OutletResults &results = computed.results;
        const MapSettings map = tall
                                    ? DefaultMapSettings(record_->tall, results.tall, grid_.Cells())
                                    : kInitialMapSettings;
        if (tall)
            results.tallConstantsChanged = constantsChanged_;
        page->sheetRow = row.sheetRow;
        page->number = ++printed_;
        page->outletCase = c;
        Report &made = page->report;
        made = MakeReport(c, *record_, results, grid_.Cells(), map, PrintInfo{}, print_.colour);
        made.info = print_.info;
        Prefer(made.info.authorName, computed.names.authorName);
        Prefer(made.info.officeName, computed.names.officeName);
        Prefer(made.info.facilityName, computed.names.facilityName);
        made.title = print_.title;
        made.printedAt = print_.printedAt;
        made.registerLine =
            RegisterLine(row.sheetRow, computed.outletNumber, page->number, count_.pages);
        page->description = DescribeReport(c, made, print_.unit);
        return true;
    }
    return false;
}

std::string RegisterSkippedText(const RegisterCount &count) {
    if (count.rowsSkipped == 0)
        return "";
    return std::to_string(count.rowsSkipped) +
           " 行は入力に誤りがあるため印刷していません（最初の誤り: " +
           std::to_string(count.firstSkippedRow) + " 行目 " + count.firstError + "）";
}
