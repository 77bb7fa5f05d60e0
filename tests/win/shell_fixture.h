#pragma once
#include "app/platform_hooks.h"
#include "app/shell.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

// A message box the program asked for.
struct AskedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// A call of the shell's document opening.
struct ShellOpening {
    std::string file;
    std::string directory; // the working directory at the time of the call
};

// Starts the shell in this process with every question answered by the test, and removes
// what it created afterwards.
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

  public:
    // Turns the loop until it has been idle twice in a row: every message handled, the
    // requested screen created and the old one destroyed.
    static void Pump();
    static HWND Screen() { return gShell.screenWindows[gShell.currentScreen]; }
    static HWND Item(int id) { return GetDlgItem(Screen(), id); }
    static std::string Text(HWND window);
    static std::string Text(int id) { return Text(Item(id)); }
    // Sets a field's text as typing would and lets the screen react.
    static void Type(int id, const char *text);
    // The command a click on a control or a menu item sends.
    static void Command(int id);

    // Answers for the next message boxes, in order; Yes/No boxes get No when none is left.
    static std::deque<int> answers;
    static std::vector<AskedBox> boxes;
    static std::vector<int> exits;
    static std::vector<ShellOpening> openings;
    static INT_PTR openResult;
};

// A shell on a work area of the test's choosing for the primary monitor, set before the shell
// starts and given back afterwards.
class WorkAreaTest : public ShellTest {
  protected:
    virtual void ChooseWorkArea() {}
    void SetUp() override {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved_, 0);
        ChooseWorkArea();
        ShellTest::SetUp();
    }
    void TearDown() override {
        ShellTest::TearDown();
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved_, 0);
    }
    static void SetWorkArea(RECT area) { SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0); }
    RECT saved_{};
};

// Whether a control's present text, in its own font, fits its client area in width.
bool ControlTextFits(HWND control);
