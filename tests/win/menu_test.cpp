#include "tests/win/shell_fixture.h"

#include "app/dpi.h"
#include "resources/resource.h"

#include <cstring>

namespace {

struct MenuEntry {
    int command;
    const char *text;
};

const MenuEntry kMenu[] = {
    {104, "「カモルテ」 について ...(&A)"},
    {32799, "操作マニュアル...(&M)"},
    {32800, "活用例...(&C)"},
    {32811, "開く...(&O)\tCtrl+O"},
    {32812, "上書き保存(&S)\tCtrl+S"},
    {32813, "名前を付けて保存...(&A)"},
    {32810, "一括計算（CSV）..."},
    {32814, "一括印刷（CSV）..."},
    {105, "アプリケーションの終了(&X)"},
    {32802, "臭気指数規制"},
    {32784, "1号基準、2号基準"},
    {32785, "臭気指数（臭気濃度）"},
    {32786, "臭気排出強度（ＫＶＴ）"},
    {32787, "排出口の実高さ"},
    {32788, "排出口の大きさ、口径、断面積"},
    {32789, "排出ガス流量"},
    {32790, "排出ガス吐出速度"},
    {32791, "排出ガス温度"},
    {32792, "排出ガス水分量"},
    {32793, "排出口の向き"},
    {32794, "周辺最大建物高さ"},
    {32795, "排出口と敷地境界との最短距離"},
    {32796, "周辺最大建物と敷地境界との最短距離"},
    {32806, "希釈度"},
    {32807, "有効発生源高さ"},
    {32808, "周辺建物による拡散影響（ダウンドラフト）"},
    {32820, "排出口の臭気指数（測定値）と適合の判定"},
};

std::string MenuText(HMENU menu, int position) {
    char text[256] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string Directory() {
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    return directory;
}

// The program folder as the working directory reports it, without the final backslash.
std::string ProgramFolder() {
    std::string folder = gShell.programFolder;
    folder.pop_back();
    return folder;
}

} // namespace

TEST_F(ShellTest, EveryScreenCarriesTheSameMenu) {
    for (ScreenId screen : std::initializer_list<ScreenId>{StartMenu, CaseA, CaseB, CaseC, CaseD}) {
        RequestScreen(screen);
        Pump();
        HMENU bar = GetMenu(Screen());
        ASSERT_NE(bar, nullptr) << screen;
        ASSERT_EQ(GetMenuItemCount(bar), 2);
        EXPECT_EQ(MenuText(bar, 0), "ファイル(&F)");
        EXPECT_EQ(MenuText(bar, 1), "用語解説(&H)");
        HMENU file = GetSubMenu(bar, 0);
        HMENU topics = GetSubMenu(bar, 1);
        EXPECT_EQ(GetMenuItemCount(file), 11);
        EXPECT_EQ(GetMenuItemCount(topics), 22);
        for (const MenuEntry &entry : kMenu) {
            char text[256] = "";
            GetMenuStringA(bar, entry.command, text, sizeof text, MF_BYCOMMAND);
            EXPECT_STREQ(text, entry.text) << entry.command;
        }
        // Separators stand before the outlet's files and the batch run, before the exit and
        // between the groups of topics.
        EXPECT_EQ(GetMenuItemID(file, 3), 0u);
        EXPECT_EQ(GetMenuItemID(file, 4), 32811u);
        EXPECT_EQ(GetMenuItemID(file, 7), 32810u);
        EXPECT_EQ(GetMenuItemID(file, 8), 32814u);
        EXPECT_EQ(GetMenuItemID(file, 9), 0u);
        EXPECT_EQ(GetMenuItemID(file, 10), 105u);
        for (int position : {5, 11, 17, 20})
            EXPECT_EQ(GetMenuItemID(topics, position), 0u) << position;
    }
}

TEST_F(ShellTest, AboutBoxDisablesItsScreenUntilClosed) {
    HWND screen = Screen();
    Command(IDM_ABOUT);
    HWND about = gShell.aboutWindow;
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_FALSE(IsWindowEnabled(screen));
    EXPECT_EQ(GetWindow(about, GW_OWNER), screen);
    EXPECT_EQ(Text(about), "カモルテについて");
    EXPECT_NE(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_NE(FindWindowExA(about, nullptr, "Static", "カモルテ   Version 1.1  R5"), nullptr);

    // The icon is drawn for the box's scale, and again when the box moves to another.
    const auto iconWidth = [about](HICON *shown) {
        *shown =
            reinterpret_cast<HICON>(SendDlgItemMessageA(about, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
        ICONINFO info{};
        BITMAP mask{};
        if (*shown == nullptr || !GetIconInfo(*shown, &info))
            return 0;
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        return static_cast<int>(mask.bmWidth);
    };
    HICON at96, at144;
    EXPECT_EQ(iconWidth(&at96), 48);
    LayOutForDpi(about, 144, nullptr);
    EXPECT_EQ(iconWidth(&at144), 72);
    ICONINFO gone{};
    EXPECT_FALSE(GetIconInfo(at96, &gone)) << "the icon replaced is freed";

    Command(IDM_ABOUT);
    EXPECT_EQ(gShell.aboutWindow, about) << "only one about box";

    SendMessageA(about, WM_COMMAND, IDOK, 0);
    Pump();
    EXPECT_FALSE(IsWindow(about));
    EXPECT_EQ(gShell.aboutWindow, nullptr);
    EXPECT_TRUE(IsWindowEnabled(screen));
}

TEST_F(ShellTest, AboutBoxClosesWithEscapeToo) {
    HWND screen = Screen();
    Command(IDM_ABOUT);
    HWND about = gShell.aboutWindow;
    ASSERT_NE(about, nullptr);
    gShell.keyboardDialog = about;
    PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Pump();
    EXPECT_FALSE(IsWindow(about));
    EXPECT_TRUE(IsWindowEnabled(screen));
    EXPECT_TRUE(boxes.empty()) << "Esc in the about box is no exit question";
}

TEST_F(ShellTest, DocumentsOpenFromTheProgramFolderAndTheDirectoryIsKept) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_TRUE(SetCurrentDirectoryA(windows));
    const std::string before = Directory();

    openResult = 42;
    Command(IDM_MANUAL);
    ASSERT_EQ(openings.size(), 1u);
    EXPECT_EQ(openings[0].file, "操作マニュアル.pdf");
    EXPECT_EQ(openings[0].directory, ProgramFolder());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Directory(), before);

    openResult = 2;
    Command(IDM_EXAMPLES);
    ASSERT_EQ(openings.size(), 2u);
    EXPECT_EQ(openings[1].file, "活用例.pdf");
    EXPECT_EQ(openings[1].directory, ProgramFolder());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "活用例.pdf が存在しないか、表示できません。");
    EXPECT_EQ(boxes[0].caption, "実行エラー");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_TOPMOST));
    EXPECT_EQ(boxes[0].owner, Screen());
    EXPECT_EQ(Directory(), before);
}

TEST_F(ShellTest, AMissingManualIsReportedThroughTheRealShell) {
    RestorePlatformHooks();
    gMessageBox = [](HWND owner, const char *text, const char *caption, UINT type) {
        boxes.push_back({owner, text, caption, type});
        return IDOK;
    };
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    ASSERT_TRUE(SetCurrentDirectoryA(temp));
    const std::string before = Directory();

    // The tests' folder holds no manual.
    Command(IDM_MANUAL);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "操作マニュアル.pdf が存在しないか、表示できません。");
    EXPECT_EQ(boxes[0].caption, "実行エラー");
    EXPECT_EQ(Directory(), before);
}
