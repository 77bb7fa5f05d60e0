#include "calc/result_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// Excel's own number formats for the SheetCell::Shown values: two figures as the screen writes
// a rate (9.1×10^6 shows as 9.1E+6).
const char *const kNumberFormats[] = {nullptr, "0", "0.0", "0.0E+0", "0%"};
constexpr lxw_color_t kNotComplyingFill = 0xFFC7CE;
constexpr lxw_color_t kNotComplyingText = 0x9C0006;
constexpr lxw_color_t kHeadingFill = 0xDDEBF7;
// Columns no wider than this many characters: a long remark wraps in the reader's eye, not
// across the screen.
constexpr double kWidestColumn = 60;
// Points a line of the default font takes (Excel's default row height).
constexpr double kLineHeight = 15;

// How many half-width characters a text takes on screen: Japanese characters take two.
double DisplayWidth(const std::string &utf8) {
    double widest = 0, width = 0;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned code = lead;
        if (length > 1) {
            code = lead & (0x3F >> (length - 1));
            for (size_t k = 1; k < length && i + k < utf8.size(); ++k)
                code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += length;
        if (code == '\n') {
            width = 0;
            continue;
        }
        const bool halfKana = code >= 0xFF61 && code <= 0xFF9F;
        width += code >= 0x1100 && !halfKana ? 2 : 1;
        widest = std::max(widest, width);
    }
    return widest;
}

double DisplayWidth(const SheetCell &cell) {
    switch (cell.kind) {
    case SheetCell::Text: return DisplayWidth(cell.text);
    case SheetCell::Number:
        if (cell.shown == SheetCell::TwoFigures)
            return 7;
        return static_cast<double>(std::to_string(static_cast<long long>(cell.number)).size()) +
               (cell.shown == SheetCell::Whole ? 0 : 4);
    case SheetCell::Empty: break;
    }
    return 0;
}

// A line break inside a cell of a workbook is a line feed alone (as Alt+Enter types it); a
// carriage return would be kept as the character _x000D_ beside it.
std::string InCellLineBreaks(const std::string &text) {
    if (text.find('\r') == std::string::npos)
        return text;
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            lines += text[i];
        else if (i + 1 == text.size() || text[i + 1] != '\n')
            lines += '\n';
    }
    return lines;
}

lxw_format *NewFormat(lxw_workbook *book, int shown, bool filled) {
    lxw_format *format = workbook_add_format(book);
    if (kNumberFormats[shown] != nullptr)
        format_set_num_format(format, kNumberFormats[shown]);
    if (filled) {
        format_set_bg_color(format, kNotComplyingFill);
        format_set_font_color(format, kNotComplyingText);
    }
    return format;
}

} // namespace

SheetCell TextCell(const std::string &utf8) {
    SheetCell cell;
    cell.kind = SheetCell::Text;
    cell.text = utf8;
    return cell;
}

SheetCell NumberCell(double number, SheetCell::Shown shown) {
    SheetCell cell;
    cell.kind = SheetCell::Number;
    cell.number = number;
    cell.shown = shown;
    return cell;
}

ResultWorkbook::ResultWorkbook(const std::string &fileName, const std::string &sheetName) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    book_ = workbook_new_opt(fileName.c_str(), &options);
    if (book_ == nullptr)
        return;
    heading_ = workbook_add_format(book_);
    format_set_bold(heading_);
    format_set_bg_color(heading_, kHeadingFill);
    format_set_bottom(heading_, LXW_BORDER_THIN);
    for (int shown = 0; shown < 5; ++shown) {
        plain_[shown] = NewFormat(book_, shown, false);
        filled_[shown] = NewFormat(book_, shown, true);
    }
    for (int filled = 0; filled < 2; ++filled) {
        wrapped_[filled] = NewFormat(book_, SheetCell::General, filled != 0);
        format_set_text_wrap(wrapped_[filled]);
    }
    sheet_ = workbook_add_worksheet(book_, sheetName.c_str());
    if (sheet_ == nullptr)
        return;
    // Printed across A4 pages, each with the headings.
    worksheet_set_landscape(sheet_);
    worksheet_set_paper(sheet_, 9);
    worksheet_repeat_rows(sheet_, 0, 0);
}

ResultWorkbook::~ResultWorkbook() {
    Close();
}

bool ResultWorkbook::Headings(const SheetRow &cells) {
    if (sheet_ == nullptr)
        return false;
    // The headings stay in view while the rows scroll under them.
    worksheet_freeze_panes(sheet_, 1, 0);
    lxw_format *const formats[5] = {heading_, heading_, heading_, heading_, heading_};
    return Put(1, cells, formats, nullptr);
}

bool ResultWorkbook::Row(uint64_t sheetRow, const SheetRow &cells, bool notComplying) {
    return sheet_ != nullptr &&
           Put(sheetRow, cells, notComplying ? filled_ : plain_, wrapped_[notComplying ? 1 : 0]);
}

bool ResultWorkbook::Put(uint64_t sheetRow, const SheetRow &cells, lxw_format *const *formats,
                         lxw_format *wrapped) {
    if (sheetRow > kSheetRowLimit || cells.size() > LXW_COL_MAX) {
        failed_ = true;
        return false;
    }
    const lxw_row_t row = static_cast<lxw_row_t>(sheetRow - 1);
    if (widths_.size() < cells.size())
        widths_.resize(cells.size(), 0);
    // A remark of several lines shows them all: a row's height is set before its cells, the
    // only time it can be when rows are written as they come.
    std::vector<std::string> texts(cells.size());
    std::ptrdiff_t lines = 1;
    for (size_t c = 0; c < cells.size(); ++c) {
        texts[c] = InCellLineBreaks(cells[c].text);
        lines = std::max(lines, 1 + std::count(texts[c].begin(), texts[c].end(), '\n'));
    }
    if (lines > 1 && wrapped != nullptr &&
        worksheet_set_row(sheet_, row, kLineHeight * static_cast<double>(lines), nullptr) !=
            LXW_NO_ERROR)
        failed_ = true;
    for (size_t c = 0; c < cells.size() && !failed_; ++c) {
        const SheetCell &cell = cells[c];
        const lxw_col_t col = static_cast<lxw_col_t>(c);
        lxw_format *format = formats[cell.shown];
        if (wrapped != nullptr && texts[c].find('\n') != std::string::npos)
            format = wrapped;
        lxw_error error = LXW_NO_ERROR;
        // An empty cell of a filled row is filled too: the row reads as one.
        if (cell.kind == SheetCell::Empty && formats != plain_)
            error = worksheet_write_blank(sheet_, row, col, format);
        else if (cell.kind == SheetCell::Text)
            // Written as a string: "=1+2" stays the text it was, never a formula.
            error = worksheet_write_string(sheet_, row, col, texts[c].c_str(), format);
        else if (cell.kind == SheetCell::Number)
            error = worksheet_write_number(sheet_, row, col, cell.number, format);
        failed_ = error != LXW_NO_ERROR;
        widths_[c] = std::max(widths_[c], DisplayWidth(cell));
    }
    return !failed_;
}

bool ResultWorkbook::Close() {
    if (book_ == nullptr)
        return false;
    for (size_t c = 0; c < widths_.size() && sheet_ != nullptr; ++c)
        worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             std::min(kWidestColumn, widths_[c] + 2), nullptr);
    // libxlsxwriter closes the temporary file of a sheet written row by row only once a row
    // has gone through it: a sheet left empty (a file refused before its headings) would
    // keep the file open as long as the program runs.
    if (sheet_ != nullptr && widths_.empty())
        worksheet_write_blank(sheet_, 0, 0, heading_);
    const bool written = workbook_close(book_) == LXW_NO_ERROR && sheet_ != nullptr && !failed_;
    book_ = nullptr;
    sheet_ = nullptr;
    return written;
}

bool IsWorkbookPath(const std::string &path) {
    const char extension[] = ".xlsx";
    const size_t n = sizeof extension - 1;
    if (path.size() <= n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - n + i])) != extension[i])
            return false;
    return true;
}

std::string WorkbookSheetName(const std::string &inputPathUtf8) {
    const size_t slash = inputPathUtf8.find_last_of("/\\");
    std::string name = slash == std::string::npos ? inputPathUtf8 : inputPathUtf8.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    for (char &c : name)
        if (std::strchr("[]:*?/\\", c) != nullptr)
            c = '_';
    // 31 characters as Excel counts them (UTF-16 units), cut between characters.
    size_t end = 0, units = 0;
    while (end < name.size()) {
        const unsigned char lead = static_cast<unsigned char>(name[end]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        units += length == 4 ? 2 : 1;
        if (units > LXW_SHEETNAME_MAX)
            break;
        end += length;
    }
    name.erase(std::min(end, name.size()));
    // A name may neither start nor end with an apostrophe; "History" is Excel's own.
    while (!name.empty() && name.front() == '\'')
        name.erase(0, 1);
    while (!name.empty() && name.back() == '\'')
        name.pop_back();
    if (name.empty() || name == "History" || name == "-")
        return u8"結果";
    return name;
}

BatchSummary RunBatchToWorkbook(std::istream &in, OutputFile &out, const std::string &sheetName,
                                BatchSettings settings,
                                const std::function<void(const BatchProgress &)> &progress,
                                const std::atomic<bool> *cancel) {
    BatchSummary summary;
    // A device or a pipe has no file beside it: the workbook is made in a scratch file.
    const bool scratch = out.Route() == OutputRoute::Direct;
    const std::string path = scratch ? CreateScratchFile() : out.TemporaryPath();
    if (path.empty() || (!scratch && !out.ReleaseStream())) {
        MarkUnwritten(&summary);
        return summary;
    }
    {
        ResultWorkbook book(path, sheetName);
        settings.sheet = &book;
        std::ostream nowhere(nullptr);
        if (book.Opened())
            summary = RunBatch(in, nowhere, settings, progress, cancel);
        const bool written = book.Close();
        if (!summary.cancelled && summary.status != BatchFileUnusable && !written)
            MarkUnwritten(&summary);
    }
    if (scratch) {
        std::FILE *workbook = std::fopen(path.c_str(), "rb");
        bool copied = workbook != nullptr;
        char block[64 * 1024];
        for (size_t n; copied && (n = std::fread(block, 1, sizeof block, workbook)) > 0;)
            copied = std::fwrite(block, 1, n, out.Stream()) == n;
        if (workbook != nullptr)
            std::fclose(workbook);
        std::remove(path.c_str());
        if (!copied && summary.status != BatchFileUnusable && !summary.cancelled)
            MarkUnwritten(&summary);
    }
    return summary;
}
