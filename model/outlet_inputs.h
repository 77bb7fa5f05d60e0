#pragma once
#include "model/outlet_case.h"

#include <cstdint>

// The record of one outlet: every input as typed and accepted, and the results of its last
// computation. −1 means not set or not given unless a field says otherwise.

enum DownwashClass : int32_t { DownwashNone = 0, DownwashWeak = 1, DownwashStrong = 2 };

enum SizeClass : int32_t { SizeNone = -1, SizeSmall = 0, SizeMedium = 1, SizeLarge = 2 };

// How the outlet of case D is given: by its diameter or by its area.
enum SizeMode : int32_t { SizeByDiameter = 0, SizeByArea = 1 };

// Which flow was typed: the dry flow, the wet flow, or the exit velocity (case D only).
enum FlowMode : int32_t { FlowDry = 0, FlowWet = 1, FlowVelocity = 2 };

// Which way the outlet points: upward, or any other way (downward, sideways, a cap, an
// H-type outlet), where the plume does not rise.
enum OutletDirection : int32_t {
    DirectionNotChosen = -1,
    DirectionUpward = 0,
    DirectionOther = 1,
};

constexpr int kTextSize = 64; // accepted texts hold at most 63 bytes

// Results of the last tall-outlet computation; every field −1 while there is none.
struct TallOutletResult {
    int32_t downwashClass;
    double downwashedHeight; // h'', m
    double effectiveHeight;  // He at the last downwind point, m
    double allowableOutletIndex;
    double allowableEmissionRate; // m³N/min; +infinity means no limit
    double dilutionDegree;
    int32_t landingRow;
    int32_t landingColumn;
};

// The inputs of cases C and D, as the tall-outlet computation receives them, followed by
// its results.
struct TallOutletInputs {
    double no1Standard;
    double tallOutletHeight;
    double outletDiameter;
    double outletArea;
    double exitVelocity;
    double dryFlow;
    double wetFlow;
    double gasTemperature;
    double moisture;
    OutletDirection outletDirection;
    double tallBuildingHeight;
    double buildingScale;
    double outletToBoundary;
    double buildingToBoundary;
    TallOutletResult result;
};

struct LowOutletResult {
    double no2Index;
    double dilution;
};

struct OutletInputs {
    // Shared by every screen.
    char outletHeightText[kTextSize];
    char buildingHeightText[kTextSize];
    double menuOutletHeight;
    double menuBuildingHeight;
    // The odor index measured at the outlet, judged against the standard once computed;
    // −1 and an empty text while none is given or its text is not a valid value.
    double measuredIndex;
    char measuredIndexText[kTextSize];

    // Cases A and B.
    double no1Index;
    char no1Text[kTextSize];
    double outletHeight;
    int32_t sizeClass;
    double representativeDiameter;
    double buildingHeight;
    LowOutletResult lowResult;

    // Cases C and D.
    TallOutletInputs tall;
    SizeMode sizeMode;
    FlowMode flowMode;
    char no1StandardText[kTextSize];
    char outletDiameterText[kTextSize];
    char outletAreaText[kTextSize];
    char exitVelocityText[kTextSize];
    char dryFlowText[kTextSize];
    char wetFlowText[kTextSize];
    char gasTemperatureText[kTextSize];
    char moistureText[kTextSize];
    char outletToBoundaryText[kTextSize];
    char buildingToBoundaryText[kTextSize];
};

// Whether the record holds a result of cases C and D, which the screen then shows; the one
// test of it. Withdrawing a result (ClearTallOutletResults) makes it false.
inline bool HasTallResult(const OutletInputs &in) {
    return in.tall.result.allowableOutletIndex >= 0;
}

// The same of cases A and B (ClearLowOutletResultRecord).
inline bool HasLowResult(const OutletInputs &in) {
    return in.lowResult.no2Index >= 0;
}

// Both resets also empty the measured index.
void ResetLowOutletInputs(OutletInputs &in);
void ResetTallOutletInputs(OutletInputs &in);
void ClearMeasuredIndex(OutletInputs &in);
// The record part of withdrawing a tall-outlet result; the screen redisplays afterwards.
void ClearTallOutletResults(OutletInputs &in);
// The record part of withdrawing a low-outlet result.
void ClearLowOutletResultRecord(OutletInputs &in);
