#pragma once
#include "model/compute_status.h"
#include "model/field_table.h"
#include "model/outlet_case.h"
#include "model/outlet_inputs.h"
#include "model/smell_params.h"
#include "model/verdict.h"

#include <atomic>
#include <string>
#include <vector>

// One outlet over a range of real heights, every other input as its record holds it and the
// case following the height as the start menu chooses it: the search for the lowest height
// that complies, and the standard against the height. Everything is taken as values; no
// process-wide record is read or written, so scans may run on several threads at once.
//
// The record holds the inputs of every case as their screens accept them: the texts
// (outletHeightText is replaced by each height; no1Text is read in cases A and B,
// no1StandardText in C and D), the size class, and sizeMode, flowMode and
// tall.outletDirection of case D. An empty text or a choice not made is an input not given.

// The measured index when there is none to judge: the standard alone is computed.
constexpr double kNotMeasured = -1;

// Why a height ends the scan, when it is not by complying.
enum class HeightStop {
    None,          // computed, and judged when a measured index was given
    Missing,       // the case needs inputs the record does not hold (missing)
    Refused,       // the start menu or the case's form refused an input (message)
    ComputeFailed, // the computation could not be made (status)
    NoStandard,    // the result holds no standard to judge against
    Cancelled,     // not computed: the scan was cancelled before this height
};

struct HeightScanPoint {
    std::string heightText;                // as the height field holds it
    OutletCase outletCase = CaseUndecided; // undecided where the start menu stops
    HeightStop stop = HeightStop::None;
    // Missing: the inputs the case needs, each one of its fields (the diameter or the area,
    // one of the flows). Without a case it is the building height the start menu needs.
    std::vector<std::vector<Field>> missing;
    const char *message = nullptr; // Refused: the start menu's or the form's, code page 932
    ComputeStatus status = ComputeStatus::Ok;
    OutletStandard standard;
    // The shown standard's values: the No. 2 standard and dilution of cases A and B, the
    // outlet index and dilution degree of C and D (the rate is in standard).
    double index = -1;
    double dilution = -1;
    bool judged = false; // a measured index was given
    Compliance verdict;
};

// A height typed as the start menu reads it: full-width digits allowed, not negative.
bool ReadScanHeight(const std::string &text, double *value);

// The heights of the search: the given one first (in single-byte digits), then the
// following multiples of 0.1 m up to the start menu's highest, 400 m. Empty when the given
// height is not a number.
std::vector<std::string> SearchHeights(const std::string &fromText);

// The outlet at one height as the case's screen would accept it: the case from the start
// menu's rule, then the case's form with the record's texts and choices. *prepared receives
// the accepted record, ready for the case's computation, when the point's stop is None.
HeightScanPoint PrepareAtHeight(const OutletInputs &outlet, const std::string &heightText,
                                OutletInputs *prepared);

// PrepareAtHeight, the results-only computation and the verdict on measuredIndex.
HeightScanPoint ScanAtHeight(const OutletInputs &outlet, const std::string &heightText,
                             double measuredIndex, const SmellParams &params);

// The heights on `workers` threads, in order. The scan ends at the first height that stops
// (and, with untilFirst, at the lowest that complies): every height below it is computed,
// none above it is returned. When *cancel becomes true the scan ends at the next height
// not yet begun, returned with the stop Cancelled.
std::vector<HeightScanPoint> ScanHeights(const OutletInputs &outlet,
                                         const std::vector<std::string> &heights,
                                         double measuredIndex, const SmellParams &params,
                                         bool untilFirst, unsigned workers,
                                         const std::atomic<bool> *cancel = nullptr);
