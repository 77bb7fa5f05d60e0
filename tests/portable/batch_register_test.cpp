// An office's register of outlets, kept in a spreadsheet and saved as Shift_JIS CSV, run
// through kamorte-calc --batch as an officer would run it.
#ifndef _WIN32
#include "calc/csv_text.h"
#include "text/sheet_number.h"
#include "tools/kamorte_calc/terminal_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

std::vector<std::vector<std::string>> Records(const std::string &csv) {
    std::istringstream in(csv);
    CsvReader reader(in);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> cells;
    uint64_t line = 0;
    while (reader.Next(&cells, &line) == CsvReader::Result::Record)
        records.push_back(cells);
    return records;
}

struct CalcRun {
    int status;
    std::string out, err;
};

CalcRun Calc(const std::string &arguments) {
    const std::string command =
        std::string(KAMORTE_CALC) + " " + arguments + " > out.csv 2> err.txt";
    const int status = std::system(command.c_str());
    return {WEXITSTATUS(status), FileBytes("out.csv"), Utf8ToCp932(FileBytes("err.txt"))};
}

// The register, as Excel saves it (code page 932, CR LF): ids that a spreadsheet would take
// for a date or a number, remarks with commas and line breaks, full-width digits, optional
// cells left blank, a blank row, cells a spreadsheet would run, one column per field for
// the outlets of all four cases, headings typed as people type them.
const char kHeader[] =
    "施設名,排出口番号,備考,case,排出口の実高さ（m）,周辺最大建物高さ ,1号基準,排出口の大きさ,"
    "排出口の口径,排出口の断面積,排出口の向き,排出ガス温度（℃）,排出ガス流量(乾き),"
    "排出ガス流量（湿り）,排出ガス水分量,排出口と敷地境界との最短距離,"
    "周辺最大建物と敷地境界との最短距離,排出口の臭気指数（測定値）";

struct RegisterRow {
    const char *cells;
    const char *shown; // the standard as the case's screen writes it
    const char *error; // the row's message, empty when computed
    const char *note;
};
const RegisterRow kRows[] = {
    {"北川食品　第一工場,1-1,\"フライヤー, 揚げ物ライン\",,5,,12,小径,,,,,,,,,,20", "28", "", ""},
    {"北川食品　第一工場,1-2,\"脱臭装置の後\r\n（点検中）\",,10,5,12,中径,,,,,,,,,,30", "25", "",
     ""},
    {"北川食品　第一工場,007,=1+2,,20,18,13,,,,,,120,,,30,10,33", "1.8×10^5", "", ""},
    {"カモルテ化学工業,No.2,-,D,30,10,12,,1,,上向き,80,300,,10,50,20,40", "9.1×10^6", "", ""},
    {",,,,,,,,,,,,,,,,,", "", "", ""},
    {"南町塗装,@1,\"二行の\n備考\",,25,10,22,,0.8,,下向き,,150,,5,40,15,38", "",
     "臭気指数第１号基準に適切な値（10～21）を設定して下さい。", ""},
    {"西山製紙,Ｎｏ．３,全角の数字,,１２,３,１１,大径,,,,,,,,,,", "21", "", ""},
    {"中町工業,A-1,,A,5,10,12,小径,,,,,,,,,,", "28", "",
     "ケースＡでは周辺最大建物高さを使いません。"},
    {"中町工業,C-1,,C,20,18,13,,0.9,,,15,120,,,30,10,", "1.8×10^5", "",
     "ケースＣでは口径 0.9 m、温度 15 ℃で計算します。"},
    {"中町工業,C-2,,C,20,18,13,,,,,,120,,10,30,10,", "1.8×10^5", "",
     "ケースＣでは排出ガス流量（湿り）のときだけ排出ガス水分量を使います。"},
    {"東野化成,D-1,,D,30,10,12,,1,,上向き,80,300,320,10,50,20,", "",
     "排出ガス流量(乾き)と排出ガス流量（湿り）の両方が入力されています。どちらか一方にして下さい。",
     ""},
    {"東野化成,D-2,,D,30,10,12,,1,0.8,上向き,80,300,,10,50,20,", "",
     "排出口の口径と排出口の断面積の両方が入力されています。どちらか一方にして下さい。", ""},
    {"東野化成,D-3,書式付きの数,D,30,10,12,,1,,上向き,80,\"1,200\",,10%,50,20,45", "3.9×10^7", "",
     ""},
    {"東野化成,D-4,,D,30,10,12,,1,,下向き,80,300,,10,50,20,", "1.1×10^6", "",
     "上向きでない排出口では排出ガス温度（℃）を使いません。"},
    {"東野化成,D-5,,,5m,,12,小径,,,,,,,,,,", "",
     "数字だけを入力して下さい（「排出口の実高さ（m）」 16 行目）", ""},
    {"東野化成,D-6,,D,30,10,12,,1,,斜め,,300,,10,50,20,", "",
     "排出口の向きは、上向き・下向きのいずれかを入力して下さい。", ""},
    {"東野化成,D-7,,E,5,,12,小径,,,,,,,,,,", "", "ケースは、A・B・C・Dのいずれかを入力して下さい。",
     ""},
    {"東野化成,D-8,,D,30,10,12,,1,,上向き,80,300 m3,,10,50,20,", "",
     "数字だけを入力して下さい（「排出ガス流量(乾き)」 19 行目）", ""},
    {"北川食品　第二工場,2-1,,,10,5,12,中径,,,,,,,,,,50", "25", "", ""},
    {"北川食品　第二工場,2-2,,C,20,18,13,,,,,,120,,,30,10,40", "1.8×10^5", "", ""},
    {"北川食品　第二工場,2-3,口径の区分なし,,3,,12,,,,,,,,,,,", "",
     "排出口の口径を、小径・中径・大径から選択して下さい。", ""},
    {"北川食品　第二工場,2-4,,D,40,10,15,,,2,上向き,100,500,,8,60,30,42", "4.4×10^7", "", ""},
    // A number after a tab, which the result writes as text behind an apostrophe.
    {"中町工業,A-2,,A,5,,\t12,小径,,,,,,,,,,", "28", "", ""},
};

std::string Register() {
    std::string csv = std::string(kHeader) + "\r\n";
    for (const RegisterRow &row : kRows)
        csv += std::string(row.cells) + "\r\n";
    return csv;
}

size_t ColumnOf(const std::vector<std::string> &header, const std::string &name) {
    for (size_t c = 0; c < header.size(); ++c)
        if (header[c] == name)
            return c;
    ADD_FAILURE() << "no column " << name;
    return 0;
}

} // namespace

TEST(BatchRegister, EveryRowOfTheSheetGetsItsResultOrItsMessage) {
    ScratchDirectory dir;
    const std::string sheet = Register();
    dir.Write("register.csv", sheet);
    const CalcRun run = Calc("--batch register.csv --output result.csv");
    EXPECT_EQ(run.status, 1);
    const std::string result = FileBytes("result.csv");
    const auto in = Records(sheet);
    const auto out = Records(result);
    ASSERT_EQ(out.size(), in.size());
    // The passed-through columns, the inputs under their headings as typed, the results.
    std::vector<std::string> header = {in[0][0], in[0][1], in[0][2]};
    header.insert(header.end(), in[0].begin() + 3, in[0].end());
    for (const char *name :
         {"ケース", "２号基準", "２号基準（表示）", "種別", "排出口における許容臭気指数", "希釈度",
          "判定", "余裕", "必要な低減率", "注記", "入力の誤り"})
        header.push_back(name);
    EXPECT_EQ(out[0], header);
    const size_t shown = ColumnOf(out[0], "２号基準（表示）");
    const size_t note = ColumnOf(out[0], "注記");
    const size_t error = ColumnOf(out[0], "入力の誤り");
    for (size_t r = 1; r < in.size(); ++r) {
        const RegisterRow &row = kRows[r - 1];
        const bool blank = std::all_of(in[r].begin(), in[r].end(),
                                       [](const std::string &cell) { return cell.empty(); });
        EXPECT_EQ(out[r].size(), blank ? 1u : out[0].size()) << row.cells;
        if (blank)
            continue;
        // The passed-through cells come back as read, a formula defused.
        for (size_t c = 0; c < 3; ++c)
            EXPECT_EQ(out[r][c], GuardFormula(in[r][c])) << row.cells;
        EXPECT_EQ(out[r][shown], row.shown) << row.cells;
        EXPECT_EQ(out[r][note], row.note) << row.cells;
        EXPECT_EQ(out[r][error], row.error) << row.cells;
    }
    // Inputs as numbers: full-width digits, thousands separators, a percent sign.
    const size_t height = ColumnOf(out[0], "排出口の実高さ（m）");
    const size_t dryFlow = ColumnOf(out[0], "排出ガス流量(乾き)");
    const size_t moisture = ColumnOf(out[0], "排出ガス水分量");
    EXPECT_EQ(out[7][height], "12");
    EXPECT_EQ(out[13][dryFlow], "1200");
    EXPECT_EQ(out[13][moisture], "10");
    // Cases A and B: the shown whole index is the standard; C and D: the full rate.
    const size_t standard = ColumnOf(out[0], "２号基準");
    EXPECT_EQ(out[1][standard], "28");
    EXPECT_EQ(out[4][standard].substr(0, 9), "9067288.6");
    EXPECT_EQ(out[4][ColumnOf(out[0], "判定")], "適合");
    EXPECT_EQ(out[4][ColumnOf(out[0], "余裕")], "4.8");
    EXPECT_EQ(out[2][ColumnOf(out[0], "必要な低減率")], "69%");
    // The No. 1 standard of 22 on row 7, after two remarks with line breaks and a blank row.
    EXPECT_NE(run.err.find("14 行を計算（不適合 4 行）、8 行は入力に誤り（最初の誤り: 7 行目 "
                           "臭気指数第１号基準に適切な値（10～21）を設定して下さい。）"),
              std::string::npos)
        << run.err;

    // The result read again is the same file; an input edited in it gets its new result.
    EXPECT_EQ(Calc("--batch result.csv --output again.csv").status, 1);
    EXPECT_EQ(FileBytes("again.csv"), result);
    std::string edited = result;
    const std::string before = "\r\nカモルテ化学工業,No.2,'-,D,30,";
    ASSERT_NE(edited.find(before), std::string::npos);
    edited.replace(edited.find(before), before.size(), "\r\nカモルテ化学工業,No.2,'-,D,60,");
    dir.Write("edited.csv", edited);
    EXPECT_EQ(Calc("--batch edited.csv --output again.csv").status, 1);
    const auto again = Records(FileBytes("again.csv"));
    ASSERT_EQ(again.size(), out.size());
    for (size_t r = 0; r < out.size(); ++r)
        if (r != 4) {
            EXPECT_EQ(again[r], out[r]) << "row " << r + 1;
        }
    EXPECT_EQ(again[4][height], "60");
    EXPECT_NE(again[4][standard], out[4][standard]);
}

TEST(BatchRegister, NoCharacterIsWrittenAsTheBytesOfOthers) {
    ScratchDirectory dir;
    // U+0301 (a combining acute) has no place in Shift_JIS; 工場 has.
    const std::string facility = "A\xCC\x81" + Cp932ToUtf8("工場");
    dir.Write("register.csv",
              Cp932ToUtf8("施設名,height,no1,size\n北,5,12,small\n") + facility + ",5,12,small\n");
    dir.Write("r.csv", "the earlier result");
    const CalcRun toFile = Calc("--batch register.csv --output-encoding cp932 --output r.csv");
    EXPECT_EQ(toFile.status, 2);
    EXPECT_NE(toFile.err.find("3 行目「施設名」に Shift_JIS で書けない文字があるため、結果を書"
                              "いていません。出力の文字コードを UTF-8 にして下さい。"),
              std::string::npos)
        << toFile.err;
    EXPECT_EQ(FileBytes("r.csv"), "the earlier result");
    EXPECT_EQ(std::system("test $(ls | wc -l) -eq 4"), 0); // no temporary file left

    const CalcRun toStream = Calc("--batch register.csv --output-encoding cp932");
    EXPECT_EQ(toStream.status, 0);
    EXPECT_NE(toStream.out.find("\nA?工場,5,12,small,A,28,"), std::string::npos) << toStream.out;
    EXPECT_NE(toStream.err.find("2 行を計算、1 行に Shift_JIS で書けない文字（「?」で出力: 3 "
                                "行目）"),
              std::string::npos)
        << toStream.err;
}

// Read back with openpyxl and held cell by cell against the CSV of the same run
// (tests/files/workbook_check.py); through a named pipe too, and through a link.
TEST(BatchRegister, AWorkbookHoldsTextsAsTypedAndNumbersAsNumbers) {
    ScratchDirectory dir;
    dir.Write("register.csv", Register());
    ASSERT_EQ(Calc("--batch register.csv --output-encoding utf-8-bom --output r.csv").status, 1);
    const std::string check =
        std::string("/usr/bin/python3 ") + KAMORTE_SOURCE_DIR + "/tests/files/workbook_check.py ";
    const auto holds = [&check](const std::string &workbook) {
        EXPECT_EQ(std::system((check + workbook + " r.csv register 3 > faults.txt").c_str()), 0)
            << workbook << ":\n"
            << FileBytes("faults.txt");
    };
    ASSERT_EQ(Calc("--batch register.csv --output r.xlsx").status, 1);
    holds("r.xlsx");
    ASSERT_EQ(std::system("mkfifo pipe.xlsx && ln -s r.xlsx link.xlsx"), 0);
    ASSERT_EQ(
        std::system(("cat pipe.xlsx > piped.xlsx & " + std::string(KAMORTE_CALC) +
                     " --batch register.csv --output pipe.xlsx 2>/dev/null; s=$?; wait; exit $s")
                        .c_str()) >>
            8,
        1);
    holds("piped.xlsx");
    dir.Write("r.xlsx", "the earlier result");
    ASSERT_EQ(Calc("--batch register.csv --output link.xlsx").status, 1);
    holds("r.xlsx");
    EXPECT_EQ(std::system("test -L link.xlsx && test $(ls | wc -l) -eq 9"), 0)
        << "the link stays, no temporary file is left";
}

TEST(BatchRegister, AWorkbookRefusesMoreRowsThanASheetHolds) {
    ScratchDirectory dir;
    std::string sheet = "height\n";
    sheet.resize(sheet.size() + 1048575, '\n'); // with the headings, a full sheet
    dir.Write("full.csv", sheet);
    dir.Write("over.csv", sheet + "5\n");
    ASSERT_EQ(Calc("--batch full.csv --output r.xlsx").status, 0);
    const std::string full = FileBytes("r.xlsx");
    for (const char *input : {"over.csv", "- < over.csv"}) {
        const CalcRun run = Calc(std::string("--batch ") + input + " --output r.xlsx");
        EXPECT_EQ(run.status, 2) << input;
        EXPECT_NE(run.err.find("結果の行数が Excel のシートの上限（1,048,576 行）を超えるため、"
                               "結果を書いていません。CSV で保存して下さい。"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(FileBytes("r.xlsx"), full) << "the earlier result stays: " << input;
    }
}

TEST(BatchRegister, NumbersAsSpreadsheetsFormatThem) {
    struct Case {
        const char *text;
        bool percent;
        const char *plain;
    } cases[] = {
        {"１，２００", false, "1200"},
        {"-12,345.5", false, "-12345.5"},
        {" 1,000,000 ", false, "1000000"},
        {"１０％", true, "10"},
        {"10 %", true, "10 "},
        {"10%", false, "10%"},
        {"1,20", false, "1,20"},
        {"1,2000", false, "1,2000"},
        {"1234,567", false, "1234,567"},
        {",200", false, ",200"},
        {"%", true, "%"},
        {"5m%", true, "5m%"},
        {"北1,200", false, "北1,200"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PlainNumber(c.text, c.percent), c.plain) << c.text;
}
#endif
