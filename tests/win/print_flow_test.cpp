#include "tests/win/shell_fixture.h"

#include "app/current_outlet.h"
#include "app/shown_map.h"
#include "map/map_raster.h"
#include "model/map_settings.h"
#include "print/print_info.h"
#include "print/printed_map.h"
#include "print/win/map_file.h"
#include "print/win/report_printing.h"
#include "resources/print_resource.h"
#include "resources/resource.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kFailure[] = "印刷できませんでした。プリンターの状態を確認してください。";

struct PrintDialogCall {
    DWORD structSize;
    DWORD flags;
    HWND owner;
    WORD copies;
};

std::vector<PrintDialogCall> gCalls;
// What the stand-in print dialog hands back: nothing (a cancel), or a device context.
HDC (*gReturnedDC)() = nullptr;

BOOL StandInPrintDialog(PRINTDLGA *request) {
    gCalls.push_back({request->lStructSize, request->Flags, request->hwndOwner, request->nCopies});
    if (gReturnedDC == nullptr)
        return FALSE;
    request->hDC = gReturnedDC();
    return TRUE;
}

// A memory context has no printer behind it: the document cannot start.
HDC MemoryDC() {
    return CreateCompatibleDC(nullptr);
}

int CountWindowsTitled(const char *title) {
    struct Search {
        const char *title;
        int count;
    } search{title, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lParam) -> BOOL {
            auto *s = reinterpret_cast<Search *>(lParam);
            char text[64] = "";
            GetWindowTextA(window, text, sizeof text);
            if (IsWindowVisible(window) && std::strcmp(text, s->title) == 0)
                ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

} // namespace

class PrintFlowTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        gPrintInfo = PrintInfo{};
        gCalls.clear();
        gReturnedDC = nullptr;
        gPrintDialog = StandInPrintDialog;
        Type(IDC_OUTLET_HEIGHT, "5");
        Command(IDC_NEXT);
        Type(IDC_NO1_STANDARD, "12");
        SendMessageA(Item(IDC_LOW_SIZE_SMALL), BM_CLICK, 0, 0);
        Command(IDC_CALCULATE);
    }
    void TearDown() override {
        if (gShell.printInfoWindow != nullptr)
            DestroyWindow(gShell.printInfoWindow);
        ShellTest::TearDown();
    }
    static HWND Info() { return gShell.printInfoWindow; }
    static void InfoCommand(int id) {
        SendMessageA(Info(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(Info(), id)));
        Pump();
    }
    static std::string InfoText(int id) { return Text(GetDlgItem(Info(), id)); }
};

TEST_F(PrintFlowTest, TheDialogOpensOnceAndKeepsItsFieldsAfterCancel) {
    ASSERT_EQ(gShell.currentScreen, CaseA);
    Command(IDC_PRINT);
    ASSERT_NE(Info(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(Screen()));
    EXPECT_EQ(GetWindow(Info(), GW_OWNER), Screen());
    Command(IDC_PRINT);
    EXPECT_EQ(CountWindowsTitled("印刷情報"), 1);

    const std::string longAuthor = "環境保全課　公害対策係　主任技師　山田太郎";
    SetWindowTextA(GetDlgItem(Info(), IDC_PRINT_AUTHOR), longAuthor.c_str());
    SetWindowTextA(GetDlgItem(Info(), IDC_PRINT_OFFICE), "カモルテ化学工業株式会社");
    InfoCommand(IDCANCEL);
    EXPECT_EQ(Info(), nullptr);
    EXPECT_EQ(CountWindowsTitled("印刷情報"), 0);
    EXPECT_TRUE(IsWindowEnabled(Screen()));
    EXPECT_TRUE(gCalls.empty()) << "キャンセル prints nothing";
    EXPECT_EQ(std::string(gPrintInfo.authorName), longAuthor);
    EXPECT_EQ(std::string(gPrintInfo.officeName), "カモルテ化学工業株式会社");
    EXPECT_EQ(gPrintInfo.facilityName[0], '\0');

    Command(IDC_PRINT);
    ASSERT_NE(Info(), nullptr);
    EXPECT_EQ(InfoText(IDC_PRINT_AUTHOR), longAuthor);
    EXPECT_EQ(InfoText(IDC_PRINT_OFFICE), "カモルテ化学工業株式会社");
    EXPECT_EQ(InfoText(IDC_PRINT_FACILITY), "");
    // The close box arrives as a cancel.
    SendMessageA(Info(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(Info(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(Screen()));
}

TEST_F(PrintFlowTest, EveryEndingOfThePrintDialogGivesTheScreenBack) {
    struct Row {
        HDC (*returned)();
        bool failureShown;
    } rows[] = {{nullptr, false}, {MemoryDC, true}};
    for (const Row &row : rows) {
        gCalls.clear();
        boxes.clear();
        gReturnedDC = row.returned;
        Command(IDC_PRINT);
        ASSERT_NE(Info(), nullptr);
        InfoCommand(IDOK);
        ASSERT_EQ(gCalls.size(), 1u);
        EXPECT_EQ(gCalls[0].structSize, sizeof(PRINTDLGA));
        EXPECT_EQ(gCalls[0].flags,
                  static_cast<DWORD>(PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS |
                                     PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE));
        EXPECT_EQ(gCalls[0].owner, nullptr);
        EXPECT_EQ(gCalls[0].copies, 1);
        EXPECT_EQ(Info(), nullptr);
        EXPECT_TRUE(IsWindowEnabled(Screen()));
        if (row.failureShown) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, kFailure);
            EXPECT_EQ(boxes[0].caption, "印刷エラー");
            EXPECT_EQ(boxes[0].owner, Screen());
        } else {
            EXPECT_TRUE(boxes.empty());
        }
    }
}

// The map file goes where TEMP says when it can, else to the current folder, and is
// written whole; whatever TEMP holds, nothing is written outside the path.
TEST(ReportMapFile, FolderFromTempOrTheCurrentFolder) {
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    char scratch[MAX_PATH];
    GetTempPathA(sizeof scratch, scratch);
    std::string folder = std::string(scratch) + "kamorte_map_file_test";
    CreateDirectoryA(folder.c_str(), nullptr);
    struct Row {
        const char *name;
        std::string temp; // "-" unsets TEMP
        bool inTemp;
    } rows[] = {
        {"a usable folder", folder, true},
        {"unset", "-", false},
        {"empty", "", false},
        {"a missing folder", folder + "\\missing\\deeper", false},
        {"longer than a path", std::string(300, 'x'), false},
        {"a path that leaves no room for the name", folder + "\\" + std::string(250, 'y'), false},
    };
    char saved[1024] = "";
    const DWORD hadTemp = GetEnvironmentVariableA("TEMP", saved, sizeof saved);
    for (const Row &row : rows) {
        SetEnvironmentVariableA("TEMP", row.temp == "-" ? nullptr : row.temp.c_str());
        char path[MAX_PATH];
        std::memset(path, 0, sizeof path);
        ASSERT_TRUE(WriteReportMapFile(PrintedMapImage(true, gScreenGrid.Cells(), gMapSettings,
                                                       gOutletInputs, gOutletResults.tall),
                                       path))
            << row.name;
        ASSERT_LT(std::strlen(path), sizeof path);
        const std::string written = path;
        const std::string expectedFolder = row.inTemp ? folder : std::string(current);
        char full[MAX_PATH];
        GetFullPathNameA(path, sizeof full, full, nullptr);
        EXPECT_EQ(std::string(full).substr(0, expectedFolder.size()), expectedFolder) << row.name;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(GetFileAttributesExA(path, GetFileExInfoStandard, &data)) << row.name;
        EXPECT_EQ(data.nFileSizeLow, 254456u) << row.name;
        EXPECT_TRUE(DeleteFileA(path));
    }
    SetEnvironmentVariableA("TEMP", hadTemp > 0 ? saved : nullptr);
    RemoveDirectoryA(folder.c_str());
}

TEST(ReportMapFile, TwoPrintsAtOnceGetTwoFiles) {
    char first[MAX_PATH], second[MAX_PATH];
    ASSERT_TRUE(WriteReportMapFile(PrintedMapImage(false, gScreenGrid.Cells(), gMapSettings,
                                                   gOutletInputs, gOutletResults.tall),
                                   first));
    ASSERT_TRUE(WriteReportMapFile(PrintedMapImage(true, gScreenGrid.Cells(), gMapSettings,
                                                   gOutletInputs, gOutletResults.tall),
                                   second));
    EXPECT_STRNE(first, second);
    EXPECT_TRUE(DeleteFileA(first));
    EXPECT_TRUE(DeleteFileA(second));
}
