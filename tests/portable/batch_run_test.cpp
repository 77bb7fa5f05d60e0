#include "calc/batch_columns.h"
#include "calc/batch_run.h"
#include "calc/calc_request.h"
#include "calc/csv_text.h"
#include "calc/result_workbook.h"
#include "tools/kamorte_calc/batch.h"
#include "tools/kamorte_calc/terminal_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <streambuf>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

struct Batch {
    BatchSummary summary;
    std::string out;
};

// These runs check the result's keys: the layout that has every one of them.
Batch RunOn(std::istream &in, BatchSettings settings = {}) {
    settings.codec = PlatformCodec();
    settings.layout = BatchLayout::All;
    std::ostringstream out;
    Batch b;
    b.summary = RunBatch(in, out, settings);
    b.out = out.str();
    return b;
}

Batch RunOn(const std::string &csv, BatchSettings settings = {}) {
    std::istringstream in(csv);
    return RunOn(in, settings);
}

// A pipe: bytes in order, no way back.
class OneWayBuffer : public std::streambuf {
  public:
    explicit OneWayBuffer(const std::string &bytes) : bytes_(bytes) {
        setg(&bytes_[0], &bytes_[0], &bytes_[0] + bytes_.size());
    }

  private:
    std::string bytes_;
};

const char kUtf8Facility[] = "\xE5\xB7\xA5\xE5\xA0\xB4"; // 工場 in UTF-8
const char kCp932Facility[] = "\x8D\x48\x8F\xEA";        // 工場 in code page 932

} // namespace

#ifndef _WIN32
// A workbook that gets no row (a file refused before its headings) still closes every file
// it opened: the lowest free descriptor is the same after three of them.
TEST(BatchWorkbook, AnEmptyWorkbookLeavesNoFileOpen) {
    const int before = dup(0);
    close(before);
    for (int i = 0; i < 3; ++i) {
        ResultWorkbook book("empty_sheet.xlsx", "sheet");
        ASSERT_TRUE(book.Opened());
        EXPECT_TRUE(book.Close());
    }
    const int after = dup(0);
    close(after);
    EXPECT_EQ(after, before);
    std::remove("empty_sheet.xlsx");
}
#endif

// UTF-8 names: the source's literals are code page 932, its u8 literals UTF-8.
TEST(BatchWorkbook, TheSheetIsNamedAfterTheInputAsASheetMayBe) {
    struct Case {
        const char *path;
        const char *sheet;
    } const cases[] = {
        {"C:\\data\\outlets.csv", "outlets"},
        {u8"/home/市役所/排出口一覧.csv", u8"排出口一覧"},
        {"a[1]:b*?.x.csv", "a_1__b__.x"},
        {"'2024'.csv", "2024"},
        {".csv", ".csv"},
        {"", u8"結果"},
        {"History.csv", u8"結果"},
        {"12345678901234567890123456789012345.csv", "1234567890123456789012345678901"},
        {u8"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二.csv",
         u8"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一"},
        // A character beyond the BMP counts as two, and is not cut in half.
        {u8"123456789012345678901234567890😀.csv", "123456789012345678901234567890"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WorkbookSheetName(c.path), c.sheet) << c.path;
    for (const char *path : {"r.xlsx", "R.XLSX", "C:\\結果.Xlsx"})
        EXPECT_TRUE(IsWorkbookPath(path)) << path;
    for (const char *path : {"r.csv", "r.xlsx.csv", "xlsx", "r.xls"})
        EXPECT_FALSE(IsWorkbookPath(path)) << path;
}

TEST(BatchRun, OfficeSheetInCodePage932ComesBackByteForByte) {
    const std::string dir = KAMORTE_SOURCE_DIR "/tests/portable/data/";
    std::ifstream in(dir + "batch_offices.csv", std::ios::binary);
    ASSERT_TRUE(static_cast<bool>(in));
    const Batch b = RunOn(in);
    EXPECT_EQ(b.out, FileBytes(dir + "batch_offices_result.csv"));
    EXPECT_EQ(b.summary.status, 1);
    EXPECT_EQ(b.summary.inputEncodingUsed, InputEncoding::Cp932);
    EXPECT_EQ(b.summary.rowsComputed, 4u);
    EXPECT_EQ(b.summary.rowsRefused, 1u);
    // The fourth facility's name holds a line break: the bad fifth row is on line 7, and
    // row 6 of the sheet.
    EXPECT_EQ(b.summary.firstErrorRow, 6u);
    EXPECT_EQ(b.summary.passThrough, (std::vector<std::string>{"施設名", "備考"}));
    EXPECT_EQ(BatchSummaryText(b.summary),
              "4 行を計算（不適合 1 行）、1 行は入力に誤り（最初の誤り: 6 行目 "
              "臭気指数第１号基準に適切な値（10～21）を設定して下さい。）");
}

TEST(BatchRun, HeaderCellsAreOptionsKeptColumnsOrLikelyTypos) {
    const std::vector<std::string> known = {"height",   "building",        "no1", "size",
                                            "dry-flow", "outlet-boundary", "case"};
    struct Case {
        const char *header;
        ColumnRole::Kind kind;
        const char *option;
        const char *suggestion;
    } cases[] = {
        {"height", ColumnRole::Option, "height", ""},
        {"排出口の実高さ", ColumnRole::Option, "height", ""},
        {"１号基準", ColumnRole::Option, "no1", ""},
        {"排出ガス流量（乾き）", ColumnRole::Option, "dry-flow", ""},
        {"施設名", ColumnRole::PassThrough, "", ""},
        {"備考", ColumnRole::PassThrough, "", ""},
        {"", ColumnRole::PassThrough, "", ""},
        {"No.", ColumnRole::PassThrough, "", ""},  // one letter from no1, but too short a name
        {"date", ColumnRole::PassThrough, "", ""}, // two letters from case
        {"Height", ColumnRole::NearMiss, "height", "height"},
        {"HEIGHT ", ColumnRole::NearMiss, "height", "height"},
        {"ｈｅｉｇｈｔ", ColumnRole::Option, "height", ""},
        {"heigth", ColumnRole::NearMiss, "height", "height"},
        {"hight", ColumnRole::NearMiss, "height", "height"},
        {"dry_flow", ColumnRole::NearMiss, "dry-flow", "dry-flow"},
        {"Dry Flow", ColumnRole::NearMiss, "dry-flow", "dry-flow"},
        {"outletboundary", ColumnRole::NearMiss, "outlet-boundary", "outlet-boundary"},
        {"cases", ColumnRole::NearMiss, "case", "case"},
        // Headings as people type them: width, blanks, brackets, a unit in brackets.
        {"1号基準", ColumnRole::Option, "no1", ""},
        {"１号基準 ", ColumnRole::Option, "no1", ""},
        {"排出ガス流量(乾き)", ColumnRole::Option, "dry-flow", ""},
        {"排出ガス流量 （乾き）（m3N/分）", ColumnRole::Option, "dry-flow", ""},
        {"排出口の実高さ（m）", ColumnRole::Option, "height", ""},
        {"排出口の実高さ（ｍ）", ColumnRole::Option, "height", ""},
        {"排出口の実高さ(m)", ColumnRole::Option, "height", ""},
        {"排出口の実高さ（cm）", ColumnRole::NearMiss, "height", "排出口の実高さ"},
        // Holds a label, or is held in one: the field, but not by its name.
        {"臭気指数（測定値）", ColumnRole::NearMiss, "measured-index",
         "排出口の臭気指数（測定値）"},
        {"排出口の臭気指数", ColumnRole::NearMiss, "measured-index", "排出口の臭気指数（測定値）"},
        {"排出口", ColumnRole::PassThrough, "", ""},
        {"排出口番号", ColumnRole::PassThrough, "", ""},
        {"排出口の高さ", ColumnRole::NearMiss, "height", "排出口の実高さ"},
        {"heightt2", ColumnRole::NearMiss, "height", "height"},
        {"heightxyz", ColumnRole::PassThrough, "", ""},
        // Named in the table of labels, but not an option of this computation.
        {"排出口の臭気指数（測定値）", ColumnRole::Unknown, "measured-index", ""},
        {"measured-index", ColumnRole::Unknown, "measured-index", ""},
        {"diameter", ColumnRole::Unknown, "diameter", ""},
    };
    for (const Case &c : cases) {
        const ColumnRole role = ClassifyColumn(c.header, known);
        EXPECT_EQ(role.kind, c.kind) << c.header;
        EXPECT_EQ(role.option, c.option) << c.header;
        EXPECT_EQ(role.suggestion, c.suggestion) << c.header;
    }
}

TEST(BatchRun, AFileWithATypoedHeaderIsRefusedBeforeAnyRow) {
    struct Case {
        const char *csv;
        const char *problem;
        const char *english;
    } cases[] = {
        {"name,Height,no1,size\nx,5,12,small\n",
         "「Height」は「height」のことですか？列名を直して下さい。",
         "column \"Height\" is not an option name; did you mean height?"},
        {"排出口の高さ,no1,size\n5,12,small\n",
         "「排出口の高さ」は「排出口の実高さ」のことですか？列名を直して下さい。",
         "column \"排出口の高さ\" is not an option name; did you mean 排出口の実高さ?"},
        {"height,排出口の実高さ\n5,5\n",
         "「排出口の実高さ」は「height」と同じ項目です。列をどちらか一方にして下さい。",
         "column \"排出口の実高さ\" gives height a second time"},
        {"", "１行目に列名がありません。", "the file has no header"},
    };
    for (const Case &c : cases) {
        BatchSettings settings;
        settings.inputEncoding = InputEncoding::Cp932;
        const Batch b = RunOn(c.csv, settings);
        EXPECT_EQ(b.summary.status, 2) << c.csv;
        EXPECT_EQ(b.summary.problem, c.problem);
        EXPECT_EQ(b.summary.problemEnglish, c.english);
        EXPECT_EQ(b.summary.rowsComputed + b.summary.rowsRefused, 0u);
        EXPECT_EQ(b.out, "");
        EXPECT_EQ(BatchSummaryText(b.summary), c.problem);
    }
}

TEST(BatchRun, Utf8IsToldFromCodePage932) {
    struct Case {
        std::string text;
        bool utf8;
    } cases[] = {
        {"", true},
        {"height,no1\n5,12\n", true},
        {"\xEF\xBB\xBF"
         "height",
         true},
        {kUtf8Facility, true},
        {"\xF0\x9F\x8F\xAD", true}, // a character beyond the basic plane
        {kCp932Facility, false},
        {"\xB1\xB2", false},         // half-width katakana in code page 932
        {"\xC0\xAF", false},         // an overlong slash
        {"\xE0\x80\xAF", false},     // an overlong slash in three bytes
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
        {"\xE5\xB7", false},         // cut short at the end
        {"\xE5"
         "a\xA5",
         false}, // continuation interrupted
        {"\x80", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(IsValidUtf8(c.text), c.utf8) << c.text;
        Utf8Check byByte; // as a file read in blocks that split characters
        for (char ch : c.text)
            byByte.Feed(&ch, 1);
        EXPECT_EQ(byByte.Valid(), c.utf8) << c.text;
    }
}

TEST(BatchRun, EncodingsInAndOut) {
    const std::string header = std::string(",height,no1,size\n");
    const std::string row = std::string(",5,12,small\n");
    const std::string resultStart = std::string(",A,");
    struct Case {
        std::string csv;
        InputEncoding given;
        OutputEncoding wanted;
        bool seekable;
        InputEncoding used;
        std::string outStart; // the bytes before the first result header key
    } cases[] = {
        {kUtf8Facility + header + kUtf8Facility + row, InputEncoding::Auto, OutputEncoding::Default,
         true, InputEncoding::Utf8, std::string("\xEF\xBB\xBF") + kUtf8Facility},
        {"\xEF\xBB\xBF" + std::string(kUtf8Facility) + header + kUtf8Facility + row,
         InputEncoding::Auto, OutputEncoding::Default, true, InputEncoding::Utf8,
         std::string("\xEF\xBB\xBF") + kUtf8Facility},
        {kCp932Facility + header + kCp932Facility + row, InputEncoding::Auto,
         OutputEncoding::Default, true, InputEncoding::Cp932, kCp932Facility},
        {kCp932Facility + header + kCp932Facility + row, InputEncoding::Auto,
         OutputEncoding::Utf8Bom, true, InputEncoding::Cp932,
         std::string("\xEF\xBB\xBF") + kUtf8Facility},
        {kUtf8Facility + header + kUtf8Facility + row, InputEncoding::Auto, OutputEncoding::Cp932,
         true, InputEncoding::Utf8, kCp932Facility},
        {kCp932Facility + header + kCp932Facility + row, InputEncoding::Cp932, OutputEncoding::Utf8,
         true, InputEncoding::Cp932, kUtf8Facility},
        // Told wrong: the cp932 bytes pass through untouched all the same.
        {kCp932Facility + header + kCp932Facility + row, InputEncoding::Utf8,
         OutputEncoding::Default, true, InputEncoding::Utf8,
         std::string("\xEF\xBB\xBF") + kCp932Facility},
        // Characters cut by the blocks the file is checked in.
        {kUtf8Facility + header + kUtf8Facility + row + Repeated(kUtf8Facility, 15000) + row,
         InputEncoding::Auto, OutputEncoding::Default, true, InputEncoding::Utf8,
         std::string("\xEF\xBB\xBF") + kUtf8Facility},
        // A pipe cannot be read twice: what arrives there is taken for UTF-8.
        {kUtf8Facility + header + kUtf8Facility + row, InputEncoding::Auto, OutputEncoding::Default,
         false, InputEncoding::Utf8, std::string("\xEF\xBB\xBF") + kUtf8Facility},
    };
    for (const Case &c : cases) {
        BatchSettings settings;
        settings.inputEncoding = c.given;
        settings.outputEncoding = c.wanted;
        OneWayBuffer pipe(c.csv);
        std::istream pipeStream(&pipe);
        std::istringstream file(c.csv);
        const Batch b =
            RunOn(c.seekable ? static_cast<std::istream &>(file) : pipeStream, settings);
        EXPECT_EQ(b.summary.status, 0) << c.csv;
        EXPECT_EQ(b.summary.inputEncodingUsed, c.used) << c.csv;
        EXPECT_EQ(b.out.substr(0, c.outStart.size() + 5), c.outStart + ",case") << c.csv;
        const size_t line = b.out.find('\n') + 1;
        EXPECT_EQ(b.out.substr(line, c.outStart.size() - (c.outStart[0] == '\xEF' ? 3 : 0) +
                                         resultStart.size()),
                  c.outStart.substr(c.outStart[0] == '\xEF' ? 3 : 0) + resultStart)
            << c.csv;
    }
}

TEST(BatchRun, CellsASpreadsheetWouldRunAreDefused) {
    struct Case {
        const char *cell;
        const char *written;
    } cases[] = {
        {"=1+2", "'=1+2"},      {"+x", "'+x"},   {"-", "'-"},      {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},        {"\rx", "'\rx"}, {"-5", "-5"},     {"+81", "+81"},
        {"-1.5e-3", "-1.5e-3"}, {".5", ".5"},    {"-.", "'-."},    {"1e", "1e"},
        {"-1e", "'-1e"},        {"--5", "'--5"}, {"abc=", "abc="}, {"", ""},
        {"工場", "工場"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GuardFormula(c.cell), c.written) << c.cell;

    // Through a batch: passed-through cells; a bad choice gets the sheet's message, not a
    // command line's usage text that began with a dash.
    BatchSettings settings;
    settings.inputEncoding = InputEncoding::Cp932;
    const Batch b = RunOn("memo,height,no1,size,direction,case\n"
                          "\"=HYPERLINK(\"\"x\"\")\",5,12,small,,\n"
                          "-,30,12,,sideways,D\n",
                          settings);
    EXPECT_NE(b.out.find("\n\"'=HYPERLINK(\"\"x\"\")\",A,"), std::string::npos);
    EXPECT_NE(b.out.find("\n'-,"), std::string::npos);
    EXPECT_NE(b.out.find(",directionは、上向き・下向きのいずれかを入力して下さい。\n"),
              std::string::npos);
}

TEST(BatchRun, RecordsAndTheirPhysicalLines) {
    struct Case {
        std::string csv;
        std::vector<std::vector<std::string>> records;
        std::vector<uint64_t> lines;
        CsvReader::Result last;
    } cases[] = {
        {"a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}, {1, 2}, CsvReader::Result::End},
        {"a\n\"x\r\ny\",2\n3", {{"a"}, {"x\r\ny", "2"}, {"3"}}, {1, 2, 4}, CsvReader::Result::End},
        {"a\r\r\nb", {{"a"}, {""}, {"b"}}, {1, 2, 3}, CsvReader::Result::End},
        {"\"say \"\"hi\"\"\",,\"\"\n", {{"say \"hi\"", "", ""}}, {1}, CsvReader::Result::End},
        {"a\n\"open\nstill", {{"a"}}, {1}, CsvReader::Result::UnclosedQuote},
    };
    for (const Case &c : cases) {
        std::istringstream in(c.csv);
        CsvReader reader(in);
        std::vector<std::string> cells;
        uint64_t line = 0;
        CsvReader::Result got;
        size_t n = 0;
        while ((got = reader.Next(&cells, &line)) == CsvReader::Result::Record) {
            ASSERT_LT(n, c.records.size()) << c.csv;
            EXPECT_EQ(cells, c.records[n]) << c.csv;
            EXPECT_EQ(line, c.lines[n]) << c.csv;
            ++n;
        }
        EXPECT_EQ(n, c.records.size()) << c.csv;
        EXPECT_EQ(got, c.last) << c.csv;
        EXPECT_EQ(reader.BytesRead(), c.csv.size()) << c.csv;
    }
}

// Parts start at 16 rows and grow while quick (how fast depends on the machine), never past
// 1,024; a cancel after the first part keeps exactly that part.
TEST(BatchRun, ProgressBetweenPartsAndCancel) {
    std::string csv = "height,no1,size\n";
    for (int i = 0; i < 2500; ++i)
        csv += "5,12,small\n";
    for (const bool cancelAfterFirst : {false, true}) {
        std::istringstream in(csv);
        std::ostringstream out;
        std::atomic<bool> cancel{false};
        std::vector<uint64_t> seen;
        uint64_t lastBytes = 0;
        const BatchSummary s = RunBatch(
            in, out, BatchSettings{},
            [&](const BatchProgress &p) {
                seen.push_back(p.rowsDone);
                lastBytes = p.bytesRead;
                EXPECT_EQ(p.bytesTotal, csv.size());
                if (cancelAfterFirst)
                    cancel = true;
            },
            &cancel);
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front(), 16u);
        for (size_t i = 1; i < seen.size(); ++i) {
            EXPECT_GT(seen[i], seen[i - 1]);
            EXPECT_LE(seen[i] - seen[i - 1], 1024u);
        }
        EXPECT_EQ(s.cancelled, cancelAfterFirst);
        if (!cancelAfterFirst) {
            EXPECT_EQ(seen.back(), 2500u);
            EXPECT_EQ(s.rowsComputed, 2500u);
            EXPECT_EQ(lastBytes, csv.size());
            EXPECT_EQ(BatchSummaryText(s), "2,500 行を計算");
        } else {
            EXPECT_EQ(seen, std::vector<uint64_t>{16});
            EXPECT_EQ(s.rowsComputed, 16u);
            EXPECT_EQ(BatchSummaryText(s), "16 行を計算、キャンセルで中断");
        }
    }
}

#ifndef _WIN32
TEST(BatchRun, CommandLineStreamsMessagesAndFiles) {
    ScratchDirectory dir;
    dir.Write("in.csv", Cp932ToUtf8("施設名,height,no1,size,備考\n北,5,12,small,\n"));
    dir.Write("typo.csv", "施設名,Height,no1,size\n北,5,12,small\n");
    struct Case {
        std::string arguments;
        int status;
        std::string err; // standard error, exactly
        bool resultFile; // r.csv holds the result
    } cases[] = {
        {"--batch in.csv", 0, "そのまま出力する列: 施設名, 備考\n1 行を計算\n", false},
        {"--batch - < in.csv", 0, "そのまま出力する列: 施設名, 備考\n1 行を計算\n", false},
        {"--batch in.csv --output r.csv", 0, "そのまま出力する列: 施設名, 備考\n1 行を計算\n",
         true},
        {"--batch typo.csv --output r.csv", 2,
         "kamorte-calc: typo.csv: 「Height」は「height」のことですか？列名を直して下さい。\n"
         "kamorte-calc: typo.csv: column \"Height\" is not an option name; did you mean "
         "height?\n",
         false},
        {"--batch in.csv > /dev/full", 2,
         "kamorte-calc: standard output: 結果を書き込めませんでした。\n"
         "kamorte-calc: standard output: the result could not be written\n",
         false},
        {"--batch in.csv --output no/such/dir/r.csv", 2,
         "kamorte-calc: cannot write no/such/dir/r.csv\n", false},
    };
    const std::string expected = "\xEF\xBB\xBF" + Cp932ToUtf8("施設名,備考,");
    for (const Case &c : cases) {
        std::remove(dir.Path("r.csv").c_str());
        const std::string command =
            std::string(KAMORTE_CALC) + " " + c.arguments +
            (c.arguments.find('>') == std::string::npos ? " > out.csv" : "") + " 2> err.txt";
        const int status = std::system(command.c_str());
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.arguments;
        EXPECT_EQ(FileBytes(dir.Path("err.txt")), Cp932ToUtf8(c.err)) << c.arguments;
        const std::string result = FileBytes(dir.Path("r.csv"));
        EXPECT_EQ(result.compare(0, expected.size(), expected) == 0, c.resultFile) << c.arguments;
        if (c.status == 0 && !c.resultFile) {
            EXPECT_EQ(FileBytes(dir.Path("out.csv")).compare(0, expected.size(), expected), 0);
        }
    }
    // Nothing is left beside the target by the failed runs.
    EXPECT_EQ(std::system("test $(ls | wc -l) -eq 4"), 0);
}
#endif

TEST(BatchRun, TheCommandLineCodecKeepsWhatItCannotConvert) {
    const TextCodec codec = PlatformCodec();
    struct Case {
        bool toCp932;
        std::string in, out;
    } cases[] = {
        {true, kUtf8Facility, kCp932Facility},
        {true,
         "a\xF0\x9F\x8F\xAD"
         "b",
         "a\xF0\x9F\x8F\xAD"
         "b"}, // no such character in cp932
        {true,
         "a\xFF"
         "b",
         "a\xFF"
         "b"},
        {true, std::string(kUtf8Facility) + "\xFF", std::string(kCp932Facility) + "\xFF"},
        {false, kCp932Facility, kUtf8Facility},
        {false,
         "a\x85\x40"
         "b",
         "a\x85\x40"
         "b"}, // an unassigned pair
        {false, std::string(kCp932Facility) + "\x85\x40", std::string(kUtf8Facility) + "\x85\x40"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.toCp932 ? codec.utf8ToCp932(c.in) : codec.cp932ToUtf8(c.in), c.out) << c.in;
}
