#pragma once
#include "model/outlet_inputs.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

// Posted by the worker to the window it was given when the search has ended; wParam is the
// job's serial number, so that the end of a cancelled search is told from a later one.
constexpr UINT kHeightSearchDoneMessage = WM_APP + 42;

// One search for the lowest complying real height of the screen's outlet on a thread of its
// own, with a copy of the record: the user's entries and results are never touched. The
// window owns the job; the worker writes the answer before it posts the end.
struct HeightSearchJob {
    OutletInputs inputs{};
    OutletCase outletCase = CaseUndecided;
    HWND window = nullptr;
    WPARAM serial = 0;
    std::atomic<bool> cancel{false};

    std::string answer; // code page 932, read by the window after the done message

    std::thread worker;
};

// Starts the worker; the done message follows in every case, also when cancelled.
void StartHeightSearch(HeightSearchJob &job);
// Waits for the worker to end.
void FinishHeightSearch(HeightSearchJob &job);

// The worker's part, in the calling thread: empty answer when cancelled.
void RunHeightSearch(HeightSearchJob &job);
