#include "help/term_labels.h"

#include "app/menu_command.h"
#include "resources/resource.h"

#include <cstring>

namespace {

const char kHoverAdvice[] = "クリックすると、用語解説が見られます。";

const TermLabel *FindLabel(const TermLabels &set, int controlId) {
    for (int i = 0; i < set.count; ++i) {
        if (set.labels[i].controlId == controlId)
            return &set.labels[i];
    }
    return nullptr;
}

int LabelOfWindow(const TermLabels &set, HWND window) {
    for (int i = 0; i < set.count && i < kMaxTermLabels; ++i) {
        if (window != nullptr && set.windows[i] == window)
            return set.labels[i].controlId;
    }
    return 0;
}

void Repaint(const TermLabels &set, int controlId) {
    InvalidateRect(GetDlgItem(set.dialog, controlId), nullptr, TRUE);
}

} // namespace

void ResetTermLabels(TermLabels &set, HWND dialog) {
    set.dialog = dialog;
    set.hoverActive = false;
    set.hoveredLabel = 0;
    for (int i = 0; i < set.count && i < kMaxTermLabels; ++i)
        set.windows[i] = GetDlgItem(dialog, set.labels[i].controlId);
}

void UpdateTermLabelHover(TermLabels &set, HWND pointerWindow) {
    int label = LabelOfWindow(set, pointerWindow);
    if (label != 0) {
        if (!set.hoverActive) {
            set.hoverActive = true;
            set.hoveredLabel = label;
            Repaint(set, label);
        }
    } else if (set.hoveredLabel != 0) {
        // Cleared before the repaint so that the label comes out black.
        set.hoverActive = false;
        Repaint(set, set.hoveredLabel);
    }
}

COLORREF TermLabelColour(const TermLabels &set, int controlId) {
    return set.hoverActive && set.hoveredLabel == controlId ? kTermLabelHover : kTermLabelBlack;
}

void PaintTermLabel(const DRAWITEMSTRUCT &item, COLORREF colour) {
    char text[256];
    GetWindowTextA(item.hwndItem, text, sizeof text);
    const TermLabelLine line = {text, 0, 0};
    PaintTermLabelLines(item, colour, &line, 1);
}

void PaintTermLabelLines(const DRAWITEMSTRUCT &item, COLORREF colour, const TermLabelLine *lines,
                         int count) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    for (int i = 0; i < count; ++i)
        TextOutA(dc, item.rcItem.left + lines[i].right, item.rcItem.top + lines[i].down,
                 lines[i].text, static_cast<int>(std::strlen(lines[i].text)));
    if (oldFont != nullptr)
        SelectObject(dc, oldFont);
}

void ShowTermAdvice(const TermLabels &set) {
    const char *advice = set.hoverActive ? kHoverAdvice : set.idleAdvice;
    if (advice == nullptr)
        advice = "";
    char shown[256];
    GetDlgItemTextA(set.dialog, IDC_ADVICE, shown, sizeof shown);
    // Written only on a change: setting a static's text repaints it and would flicker.
    if (std::strcmp(shown, advice) != 0)
        SetDlgItemTextA(set.dialog, IDC_ADVICE, advice);
}

void DrawTermLabel(const TermLabels &set, const DRAWITEMSTRUCT &item) {
    PaintTermLabel(item, TermLabelColour(set, static_cast<int>(item.CtlID)));
    ShowTermAdvice(set);
}

bool ClickTermLabel(TermLabels &set, int controlId) {
    const TermLabel *label = FindLabel(set, controlId);
    if (label == nullptr)
        return false;
    set.hoverActive = false;
    MenuCommand(label->topicCommand);
    return true;
}
