#pragma once
#include "calc/batch_run.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// Posted by the worker to the window it was given: new figures in the job, and the end.
constexpr UINT kBatchProgressMessage = WM_APP + 40;
constexpr UINT kBatchDoneMessage = WM_APP + 41;

// One batch run of a CSV file on a thread of its own, with records of its own: the user's
// entries, results and map are never touched. The window owns the job; the worker writes
// the figures (atomics) while it runs and the outcome before it posts the end.
struct BatchJob {
    std::string inputPath;  // code page 932, as the file dialogs give it
    std::string outputPath; // where the result goes once it is whole
    HWND window = nullptr;  // gets the progress and done messages
    std::atomic<bool> cancel{false};
    std::atomic<uint64_t> bytesRead{0};
    std::atomic<uint64_t> bytesTotal{0};
    std::atomic<uint64_t> rowsDone{0};
    // Set while a progress message waits in the queue, so the worker does not flood it.
    std::atomic<bool> progressPending{false};

    // The outcome, read by the window after the done message.
    BatchSummary summary;
    std::string failure; // code page 932: why no result file could be made, when so
    bool written = false;

    std::thread worker;
};

// Starts the worker; the done message follows in every case.
void StartBatchJob(BatchJob &job);
// Waits for the worker to end (after the done message it ends at once).
void FinishBatchJob(BatchJob &job);

// The worker's part, in the calling thread: reads the input, writes the result under a
// temporary name and puts it in place when whole; nothing is left on cancel or failure.
void RunBatchJob(BatchJob &job);
