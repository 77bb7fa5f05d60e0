#pragma once

// What the user gave for the printed report's header. Kept for the life of the process,
// also when the dialog was cancelled; never saved.
constexpr int kPrintInfoSize = 128;

struct PrintInfo {
    char authorName[kPrintInfoSize];
    char officeName[kPrintInfoSize];
    char facilityName[kPrintInfoSize];
};

extern PrintInfo gPrintInfo;
