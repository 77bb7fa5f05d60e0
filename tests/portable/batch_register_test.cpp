// An office's register of outlets, kept in a spreadsheet and saved as Shift_JIS CSV, run
// through kamorte-calc --batch as an officer would run it.
#ifndef _WIN32
#include "calc/csv_text.h"
#include "tools/kamorte_calc/terminal_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

std::string FileBytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

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
// cells left blank, a blank row, cells a spreadsheet would run.
const char kRegister[] =
    "施設名,排出口番号,備考,case,排出口の実高さ,周辺最大建物高さ,１号基準,排出口の大きさ,"
    "排出口の口径,排出口の向き,排出ガス温度,排出ガス流量（乾き）,排出ガス水分量,"
    "排出口と敷地境界との最短距離,周辺最大建物と敷地境界との最短距離,"
    "排出口の臭気指数（測定値）\r\n"
    "北川食品　第一工場,1-1,\"フライヤー, 揚げ物ライン\",,5,,12,小径,,,,,,,,20\r\n"
    "北川食品　第一工場,1-2,\"脱臭装置の後\r\n（点検中）\",,10,5,12,中径,,,,,,,,30\r\n"
    "北川食品　第一工場,007,=1+2,,20,18,13,,,,,120,,30,10,33\r\n"
    "カモルテ化学工業　東京工場,No.2,-,D,30,10,12,,1,上向き,80,300,10,50,20,40\r\n"
    ",,,,,,,,,,,,,,,\r\n"
    "南町塗装,@1,\"二行の\n備考\",,25,10,22,,0.8,下向き,,150,5,40,15,38\r\n"
    "西山製紙,Ｎｏ．３,全角の数字,,１２,,１１,大径,,,,,,,,\r\n";

} // namespace

TEST(BatchRegister, OneResultRowPerRowOfTheSheetNumberedAsTheSheet) {
    ScratchDirectory dir;
    dir.Write("register.csv", kRegister);
    const CalcRun run = Calc("--batch register.csv");
    EXPECT_EQ(run.status, 1);
    const auto in = Records(kRegister);
    const auto out = Records(run.out);
    ASSERT_EQ(out.size(), in.size());
    for (size_t r = 1; r < in.size(); ++r) {
        const bool blank = std::all_of(in[r].begin(), in[r].end(),
                                       [](const std::string &cell) { return cell.empty(); });
        EXPECT_EQ(out[r].size(), blank ? 1u : out[0].size()) << "row " << r + 1;
        if (blank)
            continue;
        // The passed-through cells come back as read, a formula defused.
        for (size_t c = 0; c < 3; ++c)
            EXPECT_EQ(out[r][c], GuardFormula(in[r][c])) << "row " << r + 1;
    }
    // The No. 1 standard of 22 on row 7, after two remarks with line breaks and a blank row.
    EXPECT_NE(run.err.find("（最初の誤り: 7 行目 臭気指数第１号基準に適切な値（10～21）を設定"
                           "して下さい。）"),
              std::string::npos)
        << run.err;
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
    EXPECT_NE(toStream.out.find("\nA?工場,A,"), std::string::npos) << toStream.out;
    EXPECT_NE(toStream.err.find("2 行を計算、1 行に Shift_JIS で書けない文字（「?」で出力: 3 "
                                "行目）"),
              std::string::npos)
        << toStream.err;
}
#endif
