#pragma once
#include "model/outlet_case.h"

#include <cstdint>

// The record of one outlet: every input as typed and accepted (its results are apart, in
// model/outlet_results.h). −1 means not set or not given unless a field says otherwise.

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

// The inputs of cases C and D, as the tall-outlet computation receives them.
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
};

struct OutletInputs {
    // Shared by every screen.
    char outletHeightText[kTextSize];
    char buildingHeightText[kTextSize];
    double menuOutletHeight;
    double menuBuildingHeight;

    // Cases A and B.
    double no1Index;
    char no1Text[kTextSize];
    double outletHeight;
    SizeClass sizeClass;
    double representativeDiameter;
    double buildingHeight;

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

void ResetLowOutletInputs(OutletInputs &in);
void ResetTallOutletInputs(OutletInputs &in);
