#include "tests/win/shell_fixture.h"

#include "resources/resource.h"

#include <string>

namespace {

class EditLimitTest : public ShellTest {
  protected:
    static void TypeWide(HWND field, wchar_t c, int times) {
        for (int i = 0; i < times; ++i)
            SendMessageW(field, WM_CHAR, c, 1);
    }
    static void Paste(HWND field, const std::string &text) {
        ASSERT_TRUE(OpenClipboard(field));
        EmptyClipboard();
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        CopyMemory(GlobalLock(data), text.c_str(), text.size() + 1);
        GlobalUnlock(data);
        SetClipboardData(CF_TEXT, data);
        CloseClipboard();
        SendMessageA(field, WM_PASTE, 0, 0);
    }
};

} // namespace

// The edit control of the common controls 6 counts its limit in characters; the fields still
// stop at their bytes of code page 932 (62 on the start menu, 63 on the case screens), typed
// or pasted, and keep whole characters.
TEST_F(EditLimitTest, FieldsStopAtTheirBytesOfDoubleByteCharacters) {
    for (const size_t limit : {62u, 63u}) {
        SCOPED_TRACE(limit);
        if (limit == 63) {
            Type(IDC_OUTLET_HEIGHT, "5");
            Command(IDC_NEXT);
        }
        HWND field = Item(limit == 62 ? IDC_OUTLET_HEIGHT : IDC_CASE_OUTLET_HEIGHT);
        ASSERT_NE(field, nullptr);
        SetWindowTextA(field, "");
        TypeWide(field, L'１', 40);
        std::string ones;
        for (size_t i = 0; i < limit / 2; ++i)
            ones += "１";
        EXPECT_EQ(Text(field), ones);
        TypeWide(field, L'1', 2);
        EXPECT_EQ(Text(field).size(), limit);
        TypeWide(field, L'２', 1);
        EXPECT_EQ(Text(field).size(), limit);

        SetWindowTextA(field, "");
        std::string many = "9";
        for (int i = 0; i < 40; ++i)
            many += "２";
        SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(many.c_str()));
        const std::string cut = many.substr(0, limit - (limit - 1) % 2);
        EXPECT_EQ(Text(field), cut);

        // Pasted over a selection: the selected characters make room, for whole ones only.
        SendMessageA(field, EM_SETSEL, 0, 2);
        Paste(field, "１２３");
        const size_t room = limit - (cut.size() - 3);
        EXPECT_EQ(Text(field), std::string("１２３").substr(0, room / 2 * 2) + cut.substr(3));
        SendMessageA(field, EM_SETSEL, 0, -1);
        Paste(field, std::string(100, '7'));
        EXPECT_EQ(Text(field), std::string(limit, '7'));
    }
}
