#include "tests/win/shell_fixture.h"

#include "app/batch_command.h"
#include "app/batch_progress_dialog.h"
#include "app/current_outlet.h"
#include "calc/text_codec_win.h"
#include "resources/resource.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// What the test's file dialogs answer and what they were asked.
struct FileDialogs {
    bool openChosen = true;
    std::string openPath;
    bool saveChosen = true;
    std::string savePath; // empty: the proposal is taken as it stands
    std::string proposed; // what the save dialog offered
    DWORD filter = 1;     // the file type chosen: 1 CSV, 2 Excel workbook
    int opened = 0;
    int saved = 0;
};
FileDialogs gDialogs;

BOOL AnswerOpen(OPENFILENAMEA *request) {
    ++gDialogs.opened;
    if (!gDialogs.openChosen)
        return FALSE;
    lstrcpynA(request->lpstrFile, gDialogs.openPath.c_str(), request->nMaxFile);
    return TRUE;
}

BOOL AnswerSave(OPENFILENAMEA *request) {
    ++gDialogs.saved;
    gDialogs.proposed = request->lpstrFile;
    if (!gDialogs.saveChosen)
        return FALSE;
    if (!gDialogs.savePath.empty())
        lstrcpynA(request->lpstrFile, gDialogs.savePath.c_str(), request->nMaxFile);
    request->nFilterIndex = gDialogs.filter;
    return TRUE;
}

std::string TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "kamorte_batch_test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteFile(const std::string &path, const std::string &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool Exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The files of the folder whose names start with the prefix: a left temporary file shows
// here.
std::vector<std::string> FilesStartingWith(const std::string &folder, const std::string &prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Cells(const std::string &line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

size_t Column(const std::vector<std::string> &header, const std::string &name) {
    for (size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return i;
    return header.size();
}

class BatchCommandTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        gDialogs = FileDialogs{};
        gOpenFileDialog = AnswerOpen;
        gSaveFileDialog = AnswerSave;
        folder = TempFolder();
    }

    // The menu command, then the loop until the progress window has gone (a minute at most).
    void RunFromMenu() {
        Command(IDM_BATCH);
        WaitForTheEnd();
    }

    static void WaitForTheEnd() {
        for (int i = 0; i < 12000 && gShell.batchWindow != nullptr; ++i) {
            Pump();
            Sleep(5);
        }
        Pump();
    }

    // A file of the test's folder, removed with its result before and after.
    std::string Input(const std::string &name, const std::string &bytes) {
        const std::string path = folder + name;
        DeleteFileA(path.c_str());
        DeleteFileA(ProposedResultPath(path).c_str());
        WriteFile(path, bytes);
        made.push_back(path);
        made.push_back(ProposedResultPath(path));
        gDialogs.openPath = path;
        return path;
    }

    void TearDown() override {
        for (const std::string &path : made)
            DeleteFileA(path.c_str());
        ShellTest::TearDown();
    }

    std::string folder;
    std::vector<std::string> made;
};

// Case D example outlets with a facility name; the third row's No. 1 standard is no number.
const char kOutlets[] = u8"施設名,height,building,no1,diameter,direction,temperature,dry-flow,"
                        u8"moisture,outlet-boundary,building-boundary\r\n"
                        u8"第一工場,30,10,12,1,up,80,300,10,50,20\r\n"
                        u8"第二工場,30,10,12,1,up,80,300,10,50,20\r\n"
                        u8"第三工場,30,10,abc,1,up,80,300,10,50,20\r\n";

} // namespace

TEST(BatchNames, TheResultIsProposedBesideTheInput) {
    struct Case {
        const char *input;
        const char *proposed;
    } const cases[] = {
        {"C:\\data\\outlets.csv", "C:\\data\\outlets_結果.csv"},
        {"C:\\data\\outlets", "C:\\data\\outlets_結果.csv"},
        {"C:\\data.2024\\outlets", "C:\\data.2024\\outlets_結果.csv"},
        {"C:\\data\\a.b.csv", "C:\\data\\a.b_結果.csv"},
        {"C:\\data\\.csv", "C:\\data\\.csv_結果.csv"},
        // ソ and 表 end in the byte 0x5C, which is no folder separator there.
        {"C:\\ソ表\\排出口.csv", "C:\\ソ表\\排出口_結果.csv"},
        {"C:\\ソ.d\\表", "C:\\ソ.d\\表_結果.csv"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ProposedResultPath(c.input), c.proposed) << c.input;
}

TEST(BatchNames, RowCountsAreGroupedByThousands) {
    struct Case {
        uint64_t count;
        const char *text;
    } const cases[] = {{0, "0"},          {999, "999"},        {1000, "1,000"},
                       {12345, "12,345"}, {100000, "100,000"}, {1234567, "1,234,567"}};
    for (const Case &c : cases)
        EXPECT_EQ(GroupedCount(c.count), c.text) << c.count;
}

TEST(BatchCodec, ConvertsBothWaysAndKeepsWhatDoesNotConvert) {
    struct Case {
        std::string cp932;
        std::string utf8;
    } const cases[] = {
        {"", ""},
        {"height,no1", "height,no1"},
        {"施設名", u8"施設名"},
        {"ソ表①", u8"ソ表①"},
        {"ｱｲｳ", u8"ｱｲｳ"},
        // A lone lead byte at the end and one before a byte that is no trail byte stay.
        {std::string("A\x82", 2), std::string("A\x82", 2)},
        {std::string("\x82,x", 3), std::string("\x82,x", 3)},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Cp932ToUtf8Keeping(c.cp932), c.utf8) << c.cp932;
        EXPECT_EQ(Utf8ToCp932Keeping(c.utf8), c.cp932) << c.cp932;
    }
    // Characters code page 932 lacks, and broken UTF-8, keep their bytes.
    struct Kept {
        std::string utf8;
        std::string cp932;
    } const kept[] = {
        {u8"A😀B", std::string("A") + u8"😀" + "B"},
        {u8"é", u8"é"},
        {std::string("\xE6\x96", 2) + "x", std::string("\xE6\x96", 2) + "x"},
        {std::string("\xFF") + u8"表", std::string("\xFF") + "表"},
    };
    for (const Kept &k : kept)
        EXPECT_EQ(Utf8ToCp932Keeping(k.utf8), k.cp932) << k.utf8;
}

TEST_F(BatchCommandTest, TheMenuRunsAFileAndLeavesTheUsersWorkAlone) {
    Type(IDC_OUTLET_HEIGHT, "30");
    Type(IDC_BUILDING_HEIGHT, "10");
    OutletInputs before;
    std::memcpy(&before, &gOutletInputs, sizeof before);
    const std::string input = Input("outlets.csv", kOutlets);
    HWND screen = Screen();

    Command(IDM_BATCH);
    HWND progress = gShell.batchWindow;
    if (progress != nullptr) {
        EXPECT_EQ(GetWindow(progress, GW_OWNER), screen);
        EXPECT_FALSE(IsWindowEnabled(screen)) << "the screen waits while the batch runs";
    }
    WaitForTheEnd();

    EXPECT_EQ(gDialogs.proposed, folder + "outlets_結果.csv");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "一括計算（CSV）");
    EXPECT_EQ(boxes[0].text, "2 行を計算、1 行は入力に誤り（最初の誤り: 4 行目 "
                             "臭気指数第１号基準に適切な値（10～21）を設定して下さい。）\n\n"
                             "結果のファイル:\n" +
                                 folder + "outlets_結果.csv")
        << "the summary names the third outlet's line";
    EXPECT_EQ(boxes[0].owner, screen);
    EXPECT_TRUE(IsWindowEnabled(screen));
    EXPECT_EQ(gShell.batchWindow, nullptr);
    EXPECT_FALSE(progress != nullptr && IsWindow(progress));

    // Results in input order, the names passed through ahead of them.
    const std::vector<std::string> lines = Lines(ReadFile(folder + "outlets_結果.csv"));
    ASSERT_EQ(lines.size(), 4u);
    const std::vector<std::string> header = Cells(lines[0]);
    // The layout for people: the standard and the index as the case D screen shows them.
    const size_t standard = Column(header, u8"２号基準（表示）");
    const size_t index = Column(header, u8"排出口における許容臭気指数");
    const size_t error = Column(header, u8"入力の誤り");
    ASSERT_LT(standard, header.size());
    ASSERT_LT(index, header.size());
    ASSERT_LT(error, header.size());
    struct Row {
        const char *name;
        const char *standard;
        const char *index;
        bool refused;
    } const rows[] = {{"第一工場", "9.1×10^6", "45", false},
                      {"第二工場", "9.1×10^6", "45", false},
                      {"第三工場", "", "", true}};
    for (size_t r = 0; r < 3; ++r) {
        const std::vector<std::string> cells = Cells(lines[r + 1]);
        ASSERT_EQ(cells.size(), header.size()) << r;
        EXPECT_EQ(Utf8ToCp932Keeping(cells[0]), rows[r].name) << r;
        EXPECT_EQ(Utf8ToCp932Keeping(cells[standard]), rows[r].standard) << r;
        EXPECT_EQ(cells[index], rows[r].index) << r;
        EXPECT_EQ(!cells[error].empty(), rows[r].refused) << r;
    }
    EXPECT_EQ(FilesStartingWith(folder, "outlets_結果.csv.tmp").size(), 0u) << "no temporary left";

    EXPECT_EQ(std::memcmp(&before, &gOutletInputs, sizeof before), 0);
    EXPECT_EQ(Text(IDC_OUTLET_HEIGHT), "30");
    EXPECT_EQ(Text(IDC_BUILDING_HEIGHT), "10");
}

// The sample register as a workbook, chosen as the file type under the proposed name. With
// KAMORTE_WORKBOOK_COPY set, the workbook is copied there to be read back with openpyxl
// (tests/win/batch_workbook_test.sh).
TEST_F(BatchCommandTest, TheMenuWritesAWorkbook) {
    Input("outlets.csv", ReadFile(KAMORTE_SOURCE_DIR "/docs/samples/outlets.csv"));
    gDialogs.filter = 2;
    RunFromMenu();

    const std::string workbook = folder + "outlets_結果.xlsx";
    made.push_back(workbook);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "4 行を計算（不適合 2 行）、1 行は入力に誤り（最初の誤り: 6 行目 "
                             "臭気指数第１号基準に適切な値（10～21）を設定して下さい。）\n\n"
                             "結果のファイル:\n" +
                                 workbook);
    EXPECT_EQ(ReadFile(workbook).substr(0, 2), "PK") << "a workbook is a zip file";
    EXPECT_EQ(FilesStartingWith(folder, "outlets_結果").size(), 1u) << "no temporary left";
    char copy[MAX_PATH] = "";
    if (GetEnvironmentVariableA("KAMORTE_WORKBOOK_COPY", copy, sizeof copy) > 0) {
        EXPECT_TRUE(CopyFileA(workbook.c_str(), copy, FALSE));
    }
}

TEST_F(BatchCommandTest, CancelLeavesNoFile) {
    std::string many = u8"施設名,height,building,no1,diameter,direction,temperature,dry-flow,"
                       u8"moisture,outlet-boundary,building-boundary\r\n";
    // More than the rows computed between two looks at キャンセル.
    for (int i = 0; i < 1100; ++i)
        many += u8"工場" + std::to_string(i) + ",30,10,12,1,up,80,300,10,50,20\r\n";
    for (DWORD filter : {1u, 2u}) { // a CSV file, a workbook
        boxes.clear();
        const std::string input = Input("many.csv", many);
        gDialogs.filter = filter;
        // The window is made inside the command; キャンセル follows before the loop turns.
        SendMessageA(Screen(), WM_COMMAND, IDM_BATCH, 0);
        ASSERT_NE(gShell.batchWindow, nullptr);
        SendMessageA(gShell.batchWindow, WM_COMMAND, IDCANCEL, 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(gShell.batchWindow, IDCANCEL)));
        WaitForTheEnd();

        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "一括計算を中止しました。結果は保存していません。");
        EXPECT_EQ(FilesStartingWith(folder, "many_結果").size(), 0u) << filter;
        EXPECT_TRUE(IsWindowEnabled(Screen()));
    }
}

TEST_F(BatchCommandTest, EveryWayOutTellsTheUserOrStaysQuiet) {
    struct Case {
        const char *name;
        const char *bytes; // null: the file does not exist
        bool openChosen;
        bool saveChosen;
        // null: the proposal; "=": the input; "!": the proposal, an earlier result held open
        // by another program; else a name in the test's folder
        const char *savePath;
        int saveDialogs;
        const char *box; // "" no box; a final "@" stands for the path of the input or output
    } const cases[] = {
        {"open cancelled", "height\r\n5\r\n", false, true, nullptr, 0, ""},
        {"save cancelled", "height\r\n5\r\n", true, false, nullptr, 1, ""},
        {"saved over the input", "height\r\n5\r\n", true, true, "=", 1,
         "読み込む CSV ファイルに結果を書くことはできません。\n別の名前で保存してください。"},
        {"empty input", "", true, true, nullptr, 1,
         "このファイルは一括計算に使えません。\n１行目に列名がありません。\n結果は保存していません"
         "。"},
        {"missing input", nullptr, true, true, nullptr, 1, "ファイルを開けません。\n@"},
        {"no such folder", "height\r\n5\r\n", true, true, "無い\\ways_結果.csv", 1,
         "結果のファイルを作成できません。\n@"},
        {"result read-only", "height\r\n5\r\n", true, true, "#", 1,
         "結果のファイルは読み取り専用のため、何も書き込んでいません。別の名前で保存するか、読み取"
         "り"
         "専用を解除してからやり直してください。\n@"},
        {"result held open", "height\r\n5\r\n", true, true, "!", 1,
         "結果のファイルを書き込めません。ほかのプログラムで開いていれば、閉じてからやり直して"
         "ください。\n@"},
    };
    for (const Case &c : cases) {
        boxes.clear();
        gDialogs = FileDialogs{};
        gDialogs.openChosen = c.openChosen;
        gDialogs.saveChosen = c.saveChosen;
        const std::string input = Input("ways.csv", c.bytes != nullptr ? c.bytes : "");
        if (c.bytes == nullptr)
            DeleteFileA(input.c_str());
        std::string output = ProposedResultPath(input);
        const bool held = c.savePath != nullptr && std::strcmp(c.savePath, "!") == 0;
        const bool readOnly = c.savePath != nullptr && std::strcmp(c.savePath, "#") == 0;
        if (c.savePath != nullptr && !held && !readOnly)
            output = std::strcmp(c.savePath, "=") == 0 ? input : folder + c.savePath;
        gDialogs.savePath = output;
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (held) {
            WriteFile(output, "earlier result");
            holder = CreateFileA(output.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        }
        if (readOnly) {
            WriteFile(output, "earlier result");
            SetFileAttributesA(output.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        RunFromMenu();
        if (readOnly) {
            EXPECT_EQ(ReadFile(output), "earlier result") << "the read-only result is kept";
            EXPECT_TRUE(GetFileAttributesA(output.c_str()) & FILE_ATTRIBUTE_READONLY);
            SetFileAttributesA(output.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(output.c_str());
        }
        if (held) {
            CloseHandle(holder);
            EXPECT_EQ(ReadFile(output), "earlier result") << "the earlier result is kept";
            DeleteFileA(output.c_str());
        }
        EXPECT_EQ(gDialogs.opened, 1) << c.name;
        EXPECT_EQ(gDialogs.saved, c.saveDialogs) << c.name;
        std::string expected = c.box;
        if (!expected.empty() && expected.back() == '@')
            expected = expected.substr(0, expected.size() - 1) + (c.bytes ? output : input);
        if (expected.empty()) {
            EXPECT_TRUE(boxes.empty()) << c.name;
        } else {
            ASSERT_EQ(boxes.size(), 1u) << c.name;
            EXPECT_EQ(boxes[0].text, expected) << c.name;
        }
        EXPECT_FALSE(Exists(ProposedResultPath(input))) << c.name;
        EXPECT_EQ(FilesStartingWith(folder, "ways_結果").size(), 0u) << c.name;
        if (c.bytes != nullptr) {
            EXPECT_EQ(ReadFile(input), c.bytes) << "the input is untouched: " << c.name;
        }
        EXPECT_TRUE(IsWindowEnabled(Screen())) << c.name;
    }
}
