#include "tests/win/shell_fixture.h"

#include "resources/resource.h"

namespace {

void TypeWide(HWND field, wchar_t c, int times) {
    for (int i = 0; i < times; ++i)
        SendMessageW(field, WM_CHAR, c, 1);
}

void Paste(HWND field, const std::string &text) {
    ASSERT_TRUE(OpenClipboard(field));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    CopyMemory(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
    SendMessageA(field, WM_PASTE, 0, 0);
}

} // namespace

// The edit control of the common controls 6 counts its limit in characters; a field still
// stops at its 63 bytes of code page 932, typed or pasted, and keeps whole characters.
TEST_F(ShellTest, FieldsStopAtTheirBytesOfDoubleByteCharacters) {
    Type(IDC_OUTLET_HEIGHT, "5");
    Command(IDC_NEXT);
    HWND field = Item(IDC_CASE_OUTLET_HEIGHT);
    ASSERT_NE(field, nullptr);
    SetWindowTextA(field, "");
    TypeWide(field, L'１', 40);
    std::string ones, many = "9";
    for (int i = 0; i < 40; ++i) {
        ones += i < 31 ? "１" : "";
        many += "２";
    }
    EXPECT_EQ(Text(field), ones);
    TypeWide(field, L'1', 2);
    TypeWide(field, L'２', 1);
    EXPECT_EQ(Text(field), ones + "1");

    SetWindowTextA(field, "");
    SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(many.c_str()));
    EXPECT_EQ(Text(field), many.substr(0, 63));
    // Over a selection: the three bytes of "9２" make room for "１" alone.
    SendMessageA(field, EM_SETSEL, 0, 2);
    Paste(field, "１２３");
    EXPECT_EQ(Text(field), "１" + many.substr(3, 60));
    SendMessageA(field, EM_SETSEL, 0, -1);
    Paste(field, std::string(100, '7'));
    EXPECT_EQ(Text(field), std::string(63, '7'));
}
