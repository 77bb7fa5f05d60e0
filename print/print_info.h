#pragma once

// What the user gave for the printed report's header.
constexpr int kPrintInfoSize = 128;

struct PrintInfo {
    char authorName[kPrintInfoSize];
    char officeName[kPrintInfoSize];
    char facilityName[kPrintInfoSize];
};
