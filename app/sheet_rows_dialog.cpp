#include "app/sheet_rows_dialog.h"
#include "app/dpi.h"

#include "app/dialog_fit.h"
#include "app/shell.h"
#include "app/window_helpers.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The list's lines, built before the dialog opens.
struct SheetLines {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> lines;
};

std::string Option(const OutletRow &row, Field field) {
    const auto it = row.options.find(OptionOf(field));
    return it == row.options.end() ? std::string() : it->second;
}

SheetLines LinesOf(const OutletSheet &sheet) {
    bool verdicts = false;
    for (const OutletRow &row : sheet.rows)
        verdicts = verdicts || !row.verdict.empty();
    SheetLines list;
    list.headings.push_back("行");
    list.headings.insert(list.headings.end(), sheet.keptNames.begin(), sheet.keptNames.end());
    list.headings.push_back(FieldRowOf(Field::OutletHeight).labels[0]);
    list.headings.push_back(FieldRowOf(Field::BuildingHeight).labels[0]);
    list.headings.push_back("ケース");
    if (verdicts)
        list.headings.push_back("判定");
    for (const OutletRow &row : sheet.rows) {
        std::vector<std::string> line{std::to_string(row.sheetRow)};
        line.insert(line.end(), row.kept.begin(), row.kept.end());
        line.push_back(Option(row, Field::OutletHeight));
        line.push_back(Option(row, Field::BuildingHeight));
        const OutletCase c = CaseOfRow(row);
        line.push_back(c >= CaseA && c <= CaseD ? std::string(1, 'A' + (c - CaseA)) : "");
        if (verdicts)
            line.push_back(row.verdict);
        list.lines.push_back(line);
    }
    return list;
}

void FillList(HWND list, const SheetLines &sheet) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (size_t c = 0; c < sheet.headings.size(); ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 60;
        column.pszText = const_cast<char *>(sheet.headings[c].c_str());
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    for (size_t r = 0; r < sheet.lines.size(); ++r) {
        const std::vector<std::string> &line = sheet.lines[r];
        for (size_t c = 0; c < line.size(); ++c) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(c);
            item.pszText = const_cast<char *>(line[c].c_str());
            SendMessageA(list, c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, r,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    // Measured here rather than by LVSCW_AUTOSIZE_USEHEADER, which cuts Japanese headings
    // under Wine: every heading and cell whole, with the margins the control draws.
    for (size_t c = 0; c < sheet.headings.size(); ++c) {
        const auto width = [list](const std::string &text) {
            return static_cast<int>(
                SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
        };
        int widest = width(sheet.headings[c]) + 20;
        for (const std::vector<std::string> &line : sheet.lines)
            widest = std::max(widest, width(line[c]) + 16);
        ListView_SetColumnWidth(list, c, widest);
    }
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void InitSheetRows(HWND dlg, const SheetLines *sheet) {
    SetProgramIcon(dlg);
    HWND list = GetDlgItem(dlg, IDC_SHEET_ROWS);
    FillList(list, *sheet);
    SetFocus(list);
    KeepInWorkArea(dlg);
}

void EndWithChoice(HWND dlg) {
    const int chosen = ListView_GetNextItem(GetDlgItem(dlg, IDC_SHEET_ROWS), -1, LVNI_SELECTED);
    if (chosen >= 0)
        EndDialog(dlg, chosen + 1);
}

INT_PTR CALLBACK SheetRowsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        BeginDpiLayout(dlg, IDD_SHEET_ROWS);
        InitSheetRows(dlg, reinterpret_cast<const SheetLines *>(lParam));
        return FALSE; // the focus is on the list
    case WM_ACTIVATE: TrackKeyboardDialog(dlg, wParam); return FALSE;
    case WM_NOTIFY: {
        const NMHDR *note = reinterpret_cast<const NMHDR *>(lParam);
        if (note->idFrom == IDC_SHEET_ROWS && note->code == NM_DBLCLK)
            EndWithChoice(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: EndWithChoice(dlg); return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace

int ChooseSheetRow(HWND owner, const OutletSheet &sheet) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const SheetLines lines = LinesOf(sheet);
    const INT_PTR chosen =
        FittedDialogBox(IDD_SHEET_ROWS, owner, SheetRowsProc, reinterpret_cast<LPARAM>(&lines));
    return chosen > 0 ? static_cast<int>(chosen) - 1 : -1;
}
