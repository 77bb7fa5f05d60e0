#include "calc/csv_text.h"

#include <cctype>

void Utf8Check::Feed(const char *data, size_t size) {
    for (size_t i = 0; i < size && !bad_; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        if (pending_ > 0) {
            if (b < low_ || b > high_) {
                bad_ = true;
                break;
            }
            --pending_;
            low_ = 0x80;
            high_ = 0xBF;
            continue;
        }
        if (b < 0x80)
            continue;
        // The first continuation byte is narrowed where a lead byte alone would admit an
        // overlong form, a surrogate or a code point past U+10FFFF.
        if (b >= 0xC2 && b <= 0xDF) {
            pending_ = 1;
        } else if (b == 0xE0) {
            pending_ = 2;
            low_ = 0xA0;
        } else if (b == 0xED) {
            pending_ = 2;
            high_ = 0x9F;
        } else if (b >= 0xE1 && b <= 0xEF) {
            pending_ = 2;
        } else if (b == 0xF0) {
            pending_ = 3;
            low_ = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) {
            pending_ = 3;
        } else if (b == 0xF4) {
            pending_ = 3;
            high_ = 0x8F;
        } else {
            bad_ = true;
        }
    }
}

bool IsValidUtf8(const std::string &text) {
    Utf8Check check;
    check.Feed(text.data(), text.size());
    return check.Valid();
}

bool StreamIsUtf8(std::istream &in) {
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1))
        return true;
    Utf8Check check;
    std::vector<char> block(64 * 1024);
    while (in && !check.Broken()) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        check.Feed(block.data(), static_cast<size_t>(in.gcount()));
    }
    const bool valid = check.Valid();
    in.clear();
    in.seekg(start);
    return valid;
}

bool IsDecimalNumber(const std::string &text) {
    size_t i = 0;
    const size_t n = text.size();
    const auto digits = [&] {
        const size_t start = i;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i - start;
    };
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t mantissa = digits();
    if (i < n && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == n;
}

std::string GuardFormula(const std::string &text) {
    if (text.empty() || std::string("=+-@\t\r").find(text[0]) == std::string::npos ||
        IsDecimalNumber(text))
        return text;
    return "'" + text;
}

std::string UnguardFormula(const std::string &cell) {
    if (cell.size() > 1 && cell[0] == '\'' && GuardFormula(cell.substr(1)) == cell)
        return cell.substr(1);
    return cell;
}

CsvReader::CsvReader(std::istream &in) : in_(in), buffer_(64 * 1024) {}

int CsvReader::Peek() {
    if (pos_ == size_) {
        if (!in_)
            return -1;
        in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        size_ = static_cast<size_t>(in_.gcount());
        pos_ = 0;
        if (size_ == 0)
            return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

int CsvReader::Get() {
    const int c = Peek();
    if (c >= 0) {
        ++pos_;
        ++consumed_;
    }
    return c;
}

bool CsvReader::SkipByteOrderMark() {
    if (Peek() != 0xEF)
        return false;
    // The mark is only ever at the very start, where the whole of it is in the first block.
    if (size_ - pos_ < 3 || static_cast<unsigned char>(buffer_[pos_ + 1]) != 0xBB ||
        static_cast<unsigned char>(buffer_[pos_ + 2]) != 0xBF)
        return false;
    pos_ += 3;
    consumed_ += 3;
    return true;
}

CsvReader::Result CsvReader::Next(std::vector<std::string> *cells, uint64_t *line) {
    cells->assign(1, std::string());
    *line = line_;
    if (Peek() < 0)
        return Result::End;
    size_t bytes = 0;
    bool quoted = false;
    for (;;) {
        int c = Get();
        if (c < 0)
            return quoted ? Result::UnclosedQuote : Result::Record;
        if (++bytes > kMaxRecordBytes)
            return Result::TooLong;
        // A line ends at LF, CR LF or a lone CR; inside quotes it belongs to the cell but
        // still counts as a line of the file.
        if (c == '\r' || c == '\n') {
            std::string end(1, static_cast<char>(c));
            if (c == '\r' && Peek() == '\n') {
                Get();
                end += '\n';
            }
            ++line_;
            if (lineEnd_.empty())
                lineEnd_ = end;
            if (!quoted)
                return Result::Record;
            cells->back() += end;
            continue;
        }
        if (quoted) {
            if (c == '"') {
                if (Peek() == '"') {
                    Get();
                    cells->back() += '"';
                } else {
                    quoted = false;
                }
            } else {
                cells->back() += static_cast<char>(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells->emplace_back();
        } else {
            cells->back() += static_cast<char>(c);
        }
    }
}
