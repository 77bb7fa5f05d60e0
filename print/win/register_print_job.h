#pragma once
#include "calc/register_pages.h"
#include "print/print_info.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// Posted by the worker to the window it was given: a page more printed, and the end.
constexpr UINT kRegisterPrintProgressMessage = WM_APP + 42;
constexpr UINT kRegisterPrintDoneMessage = WM_APP + 43;

// One print of a register on a thread of its own: one page for each outlet that can be
// computed, in one document, from records of its own (one outlet's and one grid, whatever
// the length of the register), so the user's entries, results and map stay as they are. The
// window owns the job; the worker writes the figures (atomics) while it runs and the
// outcome before it posts the end.
struct RegisterPrintJob {
    std::string inputPath;    // code page 932, as the open dialog gives it
    PrintInfo info{};         // the names for rows without names of their own
    std::string title;        // the program title of every page
    std::string documentName; // what the spooler shows
    std::string printedAt;    // the date of every page: when the print began
    HDC printer = nullptr;    // the print dialog's device context; the window deletes it
    bool colour = false;      // the printer prints colour
    int unit = 42;            // the report unit u of the printer
    HWND window = nullptr;    // gets the progress and done messages
    std::atomic<bool> cancel{false};
    std::atomic<uint64_t> pagesDone{0};
    std::atomic<uint64_t> pages{0}; // known once the register has been read through
    std::atomic<bool> progressPending{false};

    // The outcome, read by the window after the done message.
    RegisterCount count;    // the pages and the rows left out for an error in their inputs
    std::string failure;    // code page 932: why the document was not printed, when so
    bool printed = false;   // the whole document went to the printer
    bool cancelled = false; // the document was abandoned at the user's word

    std::thread worker;
};

// Starts the worker; the done message follows in every case.
void StartRegisterPrintJob(RegisterPrintJob &job);
// Waits for the worker to end (after the done message it ends at once).
void FinishRegisterPrintJob(RegisterPrintJob &job);
