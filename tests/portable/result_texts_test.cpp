#include "model/dilution_grid.h"
#include "model/result_texts.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

// An outlet of case C, and its result.
OutletInputs WithResult() {
    OutletInputs in{};
    ResetLowOutletInputs(in);
    ResetTallOutletInputs(in);
    in.tall.no1Standard = 12;
    in.tall.outletToBoundary = 50;
    in.tall.buildingToBoundary = 20;
    return in;
}

TallOutletResult Result() {
    TallOutletResult r = kNoTallResult;
    r.allowableOutletIndex = 45;
    r.dilutionDegree = 33.2;
    r.allowableEmissionRate = 9067288.67;
    r.downwashClass = DownwashNone;
    r.landingRow = 648;
    r.landingColumn = 0;
    return r;
}

std::string Mantissa(double rate) {
    std::string m, e;
    FormatEmissionRate(rate, &m, &e);
    return m + "|" + e;
}

} // namespace

TEST(FormatEmissionRate, MantissaTimesTenToTheExponent) {
    EXPECT_EQ(Mantissa(3.2e5), "3.2×10|5");
    EXPECT_EQ(Mantissa(3.2e-3), "3.2×10|-3");
    EXPECT_EQ(Mantissa(9.96e6), "1.0×10|7");
    EXPECT_EQ(Mantissa(1.5e123), "1.5×10|123");
    EXPECT_EQ(Mantissa(std::numeric_limits<double>::infinity()), "∞|");
    EXPECT_EQ(Mantissa(-1), "|");
}

TEST(FormatTallResults, ShownTexts) {
    std::vector<double> grid(static_cast<size_t>(kGridRows) * kGridColumns);
    grid[648 * kGridColumns] = 32.8;
    OutletInputs in = WithResult();
    TallOutletResult r = Result();
    r.dryFlow = 95.34;
    TallResultTexts t = FormatTallResults(in, r, grid.data());
    EXPECT_EQ(t.outletIndex, "45        （＝1号基準（12）＋希釈度（33））");
    EXPECT_EQ(t.rateMantissa, "9.1×10");
    EXPECT_EQ(t.rateExponent, "6");
    EXPECT_EQ(t.dryFlow, "95.3"); // derived: one decimal
    EXPECT_EQ(t.landingDistance, "  649");
    EXPECT_EQ(t.landingDilution, "33");

    std::snprintf(in.dryFlowText, sizeof in.dryFlowText, "95.30");
    EXPECT_EQ(FormatTallResults(in, r, grid.data()).dryFlow, "95.30"); // as typed

    // A result without a landing point (no row at or beyond the boundary) reads no cell.
    r.landingRow = -1;
    r.landingColumn = -1;
    t = FormatTallResults(in, r, grid.data());
    EXPECT_EQ(t.landingDistance, "");
    EXPECT_EQ(t.landingDilution, "");
    EXPECT_EQ(t.outletIndex, "45        （＝1号基準（12）＋希釈度（33））");

    r.allowableOutletIndex = -1;
    r.allowableEmissionRate = -1;
    r.dryFlow = -1;
    t = FormatTallResults(in, r, grid.data());
    EXPECT_EQ(t.outletIndex, "");
    EXPECT_EQ(t.rateMantissa, "");
    EXPECT_EQ(t.dryFlow, "");
    EXPECT_EQ(t.landingDistance, "");
    EXPECT_EQ(t.boundary, "");
}

TEST(FormatTallResults, SiteBoundaryByEnteredDistancesAndDownwash) {
    std::vector<double> grid(static_cast<size_t>(kGridRows) * kGridColumns);
    OutletInputs in = WithResult();
    TallOutletResult r = Result();
    auto boundary = [&] { return FormatTallResults(in, r, grid.data()).boundary; };
    EXPECT_EQ(boundary(), ""); // case C with both omitted
    std::snprintf(in.buildingToBoundaryText, kTextSize, "20");
    EXPECT_EQ(boundary(), "20");
    std::snprintf(in.outletToBoundaryText, kTextSize, "50");
    EXPECT_EQ(boundary(), "50"); // no downwash: the outlet's distance
    r.downwashClass = DownwashWeak;
    EXPECT_EQ(boundary(), "20");
    in.buildingToBoundaryText[0] = '\0';
    EXPECT_EQ(boundary(), "50");
    in.tall.outletToBoundary = 12.5;
    EXPECT_EQ(boundary(), "12.5");
}

TEST(FormatLowResults, OutputLineAndFigureTexts) {
    OutletInputs in{};
    in.no1Index = 12;
    LowResultTexts t = FormatLowResults(in, {27.889, 15.889});
    EXPECT_EQ(t.no2, "28");
    EXPECT_EQ(t.no1Part, "（ ＝ １号基準(12) ＋");
    EXPECT_EQ(t.dilutionPart, "(16) ）");
    EXPECT_EQ(t.figureNo2, "２号基準：臭気指数 28");
    EXPECT_EQ(t.figureDilution, "希釈度 16");
    EXPECT_EQ(t.figureNo1, "１号基準：臭気指数 12");
}
