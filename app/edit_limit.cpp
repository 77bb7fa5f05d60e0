#include "app/edit_limit.h"

#include <string>

namespace {

const char kOldProcedure[] = "KamorteEditProcedure";
const char kByteLimit[] = "KamorteEditBytes";

std::string TextOf(HWND edit) {
    std::string text(2 * static_cast<size_t>(GetWindowTextLengthW(edit)) + 2, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The longest beginning of text of at most bytes bytes that ends on a whole character.
size_t WholeCharactersWithin(const std::string &text, size_t bytes) {
    size_t end = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t next = i + (IsDBCSLeadByteEx(932, static_cast<BYTE>(text[i])) ? 2 : 1);
        if (next > bytes || next > text.size())
            break;
        end = i = next;
    }
    return end;
}

LRESULT CALLBACK ByteLimitedEdit(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropA(edit, kOldProcedure));
    const size_t limit = reinterpret_cast<size_t>(GetPropA(edit, kByteLimit));
    if (old == nullptr)
        return DefWindowProcA(edit, msg, wParam, lParam);
    switch (msg) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_UNDO:
    case EM_REPLACESEL: {
        const std::string before = TextOf(edit);
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        LRESULT result = CallWindowProcA(old, edit, msg, wParam, lParam);
        size_t now = TextOf(edit).size();
        if (now <= limit)
            return result;
        // Back to the text before, and a pasted text cut until it fits.
        std::string inserted = msg == EM_REPLACESEL && lParam != 0
                                   ? std::string(reinterpret_cast<const char *>(lParam))
                                   : std::string();
        SetWindowTextA(edit, before.c_str());
        SendMessageA(edit, EM_SETSEL, start, end);
        while (!inserted.empty()) {
            inserted.resize(WholeCharactersWithin(inserted, inserted.size() - (now - limit)));
            result =
                CallWindowProcA(old, edit, msg, wParam, reinterpret_cast<LPARAM>(inserted.c_str()));
            now = TextOf(edit).size();
            if (now <= limit)
                break;
            SetWindowTextA(edit, before.c_str());
            SendMessageA(edit, EM_SETSEL, start, end);
        }
        return result;
    }
    case WM_PASTE: {
        // Through the replacement above, which cuts it.
        if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(edit))
            return 0;
        std::string text;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char *locked = static_cast<const char *>(GlobalLock(data))) {
                text = locked;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(edit, kOldProcedure);
        RemovePropA(edit, kByteLimit);
        return CallWindowProcA(old, edit, msg, wParam, lParam);
    }
    return CallWindowProcA(old, edit, msg, wParam, lParam);
}

} // namespace

void LimitEditBytes(HWND edit, int bytes) {
    if (edit == nullptr)
        return;
    SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
    SetPropA(edit, kByteLimit, reinterpret_cast<HANDLE>(static_cast<size_t>(bytes)));
    if (GetPropA(edit, kOldProcedure) != nullptr)
        return;
    const LONG_PTR old =
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ByteLimitedEdit));
    SetPropA(edit, kOldProcedure, reinterpret_cast<HANDLE>(old));
}
