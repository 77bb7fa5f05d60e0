#pragma once
#include "model/map_settings.h"
#include "model/outlet_results.h"

#include <string>

// The texts the case C and D screens show for a result (code page 932), which the printed
// report shows too. Empty where there is no result.
struct TallResultTexts {
    std::string rateMantissa;    // "3.2×10", or "∞" when there is no limit
    std::string rateExponent;    // "5", "-3"; empty when there is no limit
    std::string outletIndex;     // control 1044
    std::string dryFlow;         // control 1045
    std::string boundary;        // control 1089
    std::string landingDistance; // control 1077
    std::string landingDilution; // controls 1079 / 1080
};

TallResultTexts FormatTallResults(const OutletInputs &in, const TallOutletResult &r,
                                  const double *grid);
// The same from the landing cell's dilution degree alone (ignored without a landing point).
TallResultTexts FormatLandingResults(const OutletInputs &in, const TallOutletResult &r,
                                     double landingDilution);

// The site-boundary distance of the result row ("%g"): empty when both distances were
// omitted, the one given when only one was, the outlet's without downwash, else the nearer.
// Not the boundary of the computation (BoundaryDistance, where an omitted distance is 0) nor
// the map's marker (MapBoundaryMarker).
std::string BoundaryText(const OutletInputs &in, const TallOutletResult &r);

// Mantissa and exponent texts of an emission rate (m³N/min) written as "%.1le".
void FormatEmissionRate(double rate, std::string *mantissa, std::string *exponent);

// The labels beside the map: the colour bar's limits and the ends of the two axes.
struct MapLabelTexts {
    std::string colourTop;    // white limit
    std::string colourMiddle; // empty when the two limits add up to an odd number
    std::string colourBottom; // red limit
    std::string heightAxis;   // "%4dm" of the display height
    std::string distanceAxis; // "風下距離 %4dm" of the downwind range
};

// With a result, every label from the settings. Without one the colour bar is empty and
// the axes read "m" and "風下距離  ", unless axesFromSettings (the labels of a map being
// adjusted follow the settings whether or not there is a result).
MapLabelTexts FormatMapLabels(const MapSettings &settings, bool resultExists,
                              bool axesFromSettings = false);

// The texts of the low-outlet output line and figure.
struct LowResultTexts {
    std::string no2;            // 1064
    std::string no1Part;        // 1085
    std::string dilutionPart;   // 1065
    std::string figureNo2;      // 1086
    std::string figureDilution; // 1087
    std::string figureNo1;      // 1088
};

LowResultTexts FormatLowResults(const OutletInputs &in, const LowOutletResult &r);
