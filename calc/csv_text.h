#pragma once
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// Reading and writing the CSV files offices keep: Excel's quoting, line breaks inside quoted
// cells, either UTF-8 or code page 932 text.

// Follows a byte stream and says whether it is well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF), so a file can be checked in pieces.
class Utf8Check {
  public:
    void Feed(const char *data, size_t size);
    // Every byte so far was valid and no sequence is left open.
    bool Valid() const { return !bad_ && pending_ == 0; }
    // A byte so far was not UTF-8 (a character cut at the end of a piece is not yet).
    bool Broken() const { return bad_; }

  private:
    int pending_ = 0;
    unsigned char low_ = 0x80, high_ = 0xBF;
    bool bad_ = false;
};

bool IsValidUtf8(const std::string &text);
// Reads the rest of a seekable stream through and back: is all of it UTF-8? True for a
// stream that cannot be sought (a pipe), whose text is taken for UTF-8.
bool StreamIsUtf8(std::istream &in);

// A whole cell reads as a decimal number ("-12", "+3.5", "1e-3").
bool IsDecimalNumber(const std::string &text);

// A text that a spreadsheet would take for a formula gets a leading apostrophe.
std::string GuardFormula(const std::string &text);
// A cell as it was before GuardFormula wrote it: a result file read again gives its texts,
// and its inputs their values, as they were.
std::string UnguardFormula(const std::string &cell);

// Records one by one from a stream, with the physical line each began on, reading the
// stream in blocks so that memory does not grow with the file.
class CsvReader {
  public:
    explicit CsvReader(std::istream &in);

    enum class Result { Record, End, UnclosedQuote, TooLong };
    // The next record's cells, and the line it began on (1 for the first line).
    Result Next(std::vector<std::string> *cells, uint64_t *line);

    uint64_t BytesRead() const { return consumed_; }
    // The first line ending met ("\r\n", "\n" or "\r"); empty before any.
    const std::string &LineEnd() const { return lineEnd_; }
    // Skips a UTF-8 byte order mark at the start; true when there was one.
    bool SkipByteOrderMark();

    // No record may hold more than this: a quote left open must not read a whole file into
    // one cell.
    static constexpr size_t kMaxRecordBytes = 1 << 20;

  private:
    int Peek();
    int Get();

    std::istream &in_;
    std::vector<char> buffer_;
    size_t pos_ = 0, size_ = 0;
    uint64_t consumed_ = 0;
    uint64_t line_ = 1;
    std::string lineEnd_;
};
