#include "model/result_texts.h"

#include "model/dilution_grid.h"
#include "model/quantise.h"
#include "text/text_helpers.h"
#include "text/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {} // namespace

std::string BoundaryText(const OutletInputs &in, const TallOutletResult &r) {
    const TallOutletInputs &t = in.tall;
    const bool outletGiven = in.outletToBoundaryText[0] != '\0';
    const bool buildingGiven = in.buildingToBoundaryText[0] != '\0';
    if (!outletGiven && !buildingGiven)
        return "";
    if (!outletGiven)
        return Format("%g", t.buildingToBoundary);
    if (!buildingGiven || r.downwashClass == DownwashNone)
        return Format("%g", t.outletToBoundary);
    return Format("%g", t.buildingToBoundary < t.outletToBoundary ? t.buildingToBoundary
                                                                  : t.outletToBoundary);
}

void FormatEmissionRate(double rate, std::string *mantissa, std::string *exponent) {
    mantissa->clear();
    exponent->clear();
    if (!(rate >= 0))
        return;
    if (std::isinf(rate)) {
        *mantissa = "∞"; // no limit at all
        return;
    }
    const std::string text = Format("%.1le", rate);
    // "3.2e+05": the exponent starts at the fifth character.
    const int power = static_cast<int>(std::strtol(text.c_str() + 4, nullptr, 10));
    *exponent = Format("%0d", power);
    *mantissa = text.substr(0, 3) + "×10";
}

TallResultTexts FormatTallResults(const OutletInputs &in, const TallOutletResult &r,
                                  const double *grid) {
    return FormatLandingResults(in, r, LandingDilution(r, grid));
}

TallResultTexts FormatLandingResults(const OutletInputs &in, const TallOutletResult &r,
                                     double landingDilution) {
    TallResultTexts texts;
    const TallOutletInputs &t = in.tall;
    const bool exists = HasResult(r);
    if (exists)
        texts.outletIndex =
            Format("%-8d  （＝1号基準（%d）＋希釈度（%d））", RoundShown(r.allowableOutletIndex),
                   RoundShown(t.no1Standard), RoundShown(r.dilutionDegree));
    FormatEmissionRate(r.allowableEmissionRate, &texts.rateMantissa, &texts.rateExponent);
    if (r.dryFlow >= 0) {
        if (in.dryFlowText[0] != '\0') {
            texts.dryFlow = in.dryFlowText;
        } else {
            // One decimal in single precision, as the screen has always shown it.
            const float tenths = static_cast<float>(TruncToInt32(r.dryFlow * 10 + 0.5));
            texts.dryFlow = Format("%lg", static_cast<double>(tenths * 0.1f));
        }
    }
    if (exists && r.landingRow >= 0 && r.landingColumn >= 0) {
        texts.landingDistance = Format("%5d", r.landingRow + 1);
        texts.landingDilution = Format("%d", RoundShown(landingDilution));
    }
    if (exists)
        texts.boundary = BoundaryText(in, r);
    return texts;
}

MapLabelTexts FormatMapLabels(const MapSettings &settings, bool resultExists,
                              bool axesFromSettings) {
    MapLabelTexts texts;
    if (resultExists) {
        texts.colourTop = Format("%4d", RoundShown(settings.whiteLimit));
        const int sum = RoundShown(settings.redLimit + settings.whiteLimit);
        // Half of an odd sum would not be a whole dilution degree.
        if (sum % 2 == 0)
            texts.colourMiddle = Format("%4d", sum / 2);
        texts.colourBottom = Format("%4d", RoundShown(settings.redLimit));
    }
    if (resultExists || axesFromSettings) {
        texts.heightAxis = Format("%4dm", settings.displayHeight);
        texts.distanceAxis = Format("風下距離 %4dm", settings.downwindRange);
    } else {
        texts.heightAxis = "m";
        texts.distanceAxis = "風下距離  ";
    }
    return texts;
}

LowResultTexts FormatLowResults(const OutletInputs &in, const LowOutletResult &r) {
    LowResultTexts texts;
    const int no2 = RoundShown(r.no2Index);
    const int no1 = RoundShown(in.no1Index);
    const int dilution = RoundShown(r.dilution);
    texts.no2 = Format("%d", no2);
    texts.no1Part = Format("（ ＝ １号基準(%d) ＋", no1);
    texts.dilutionPart = Format("(%d) ）", dilution);
    texts.figureNo2 = Format("２号基準：臭気指数 %d", no2);
    texts.figureDilution = Format("希釈度 %d", dilution);
    texts.figureNo1 = Format("１号基準：臭気指数 %d", no1);
    return texts;
}
