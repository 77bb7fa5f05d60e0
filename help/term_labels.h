#pragma once
#include <windows.h>

// Term labels: owner-drawn buttons that show a term in a screen's text. The one under the
// pointer turns blue and the screen's advice line says that a click explains the term.

struct TermLabel {
    int controlId;
    int topicCommand; // the help topic's menu command
};

constexpr int kMaxTermLabels = 24;

struct TermLabels {
    const TermLabel *labels;
    int count;
    const char *idleAdvice; // advice while no label is hovered; the case screens' is empty
    HWND dialog;
    HWND windows[kMaxTermLabels];
    bool hoverActive;
    int hoveredLabel; // control id; 0 until the pointer first reaches a label
};

constexpr COLORREF kTermLabelBlack = RGB(0, 0, 0);
constexpr COLORREF kTermLabelHover = RGB(30, 30, 255);

// At screen initialisation: clears the hover and takes the label windows.
void ResetTermLabels(TermLabels &set, HWND dialog);
// WM_SETCURSOR of the screen, with the window under the pointer.
void UpdateTermLabelHover(TermLabels &set, HWND pointerWindow);
// Black, or blue for the hovered label.
COLORREF TermLabelColour(const TermLabels &set, int controlId);
// Draws the label's text at the top left of its rectangle in the given colour.
void PaintTermLabel(const DRAWITEMSTRUCT &item, COLORREF colour);
// One line of a label drawn in lines of its own, placed from the rectangle's top left.
struct TermLabelLine {
    const char *text;
    int right;
    int down;
};
// Fills the label's rectangle with the face colour and draws the lines on it.
void PaintTermLabelLines(const DRAWITEMSTRUCT &item, COLORREF colour, const TermLabelLine *lines,
                         int count);
// Puts the advice for the present hover state into control 1041.
void ShowTermAdvice(const TermLabels &set);
// WM_DRAWITEM of a screen whose labels follow the hover colours only.
void DrawTermLabel(const TermLabels &set, const DRAWITEMSTRUCT &item);
// A click on a control: when it is a label, clears the hover and opens its topic.
bool ClickTermLabel(TermLabels &set, int controlId);
