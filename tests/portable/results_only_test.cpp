// The results computed without the grid against the results of a run over the whole grid,
// and the grid's memory: obtained, refused, warmed up.
#include "map/map_raster.h"
#include "model/dilution_grid.h"
#include "model/map_settings.h"
#include "model/tall_calculation.h"
#include "tools/kamorte_calc/batch.h"
#include "calc/calc_output.h"
#include "calc/calc_request.h"
#include "tools/kamorte_calc/terminal_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Case {
    std::string what;
    OutletOptions options;
};

// The outlet options of every tall line of the golden file.
std::vector<Case> GoldenTallOutlets() {
    std::ifstream file(KAMORTE_SOURCE_DIR "/tests/golden/outlets.jsonl");
    std::vector<Case> cases;
    std::string line;
    while (std::getline(file, line)) {
        const size_t open = line.find("\"args\": [");
        const size_t close = line.find(']', open);
        if (open == std::string::npos || close == std::string::npos)
            continue;
        std::vector<std::string> args;
        for (size_t at = line.find('"', open + 9); at < close; at = line.find('"', at + 1)) {
            const size_t end = line.find('"', at + 1);
            args.push_back(line.substr(at + 1, end - at - 1));
            at = end;
        }
        Case c{"golden " + line.substr(0, 60), {}};
        for (size_t i = 0; i + 1 < args.size(); i += 2)
            c.options[args[i].substr(2)] = TerminalToCp932(args[i + 1]);
        cases.push_back(c);
    }
    return cases;
}

// A number drawn from [low, high) in steps of 1/scale, as typed.
std::string Draw(std::mt19937 &rng, double low, double high, int scale) {
    const uint32_t steps = static_cast<uint32_t>((high - low) * scale);
    const double v = low + static_cast<double>(rng() % steps) / scale;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", scale >= 100 ? 2 : scale >= 10 ? 1 : 0, v);
    return text;
}

// Valid tall outlets of every kind the screens accept: both cases, the three flows, size
// by diameter or area, downward outlets, cold gas, boundaries from 0 to the grid's end.
std::vector<Case> RandomTallOutlets(int count) {
    std::mt19937 rng(20260512u);
    std::vector<Case> cases;
    for (int n = 0; n < count; ++n) {
        OutletOptions o;
        o["height"] = Draw(rng, 15, 200, 100);
        const double tallest = std::stod(o["height"]) * (rng() % 3 == 0 ? 1.3 : 0.66);
        o["building"] = Draw(rng, 0, tallest > 0.1 ? tallest : 0.1, 10);
        o["no1"] = Draw(rng, 10, 21, 1);
        const int flow = static_cast<int>(rng() % 3);
        const char *flowName[] = {"dry-flow", "wet-flow", "velocity"};
        o[flowName[flow]] = flow == 2 ? Draw(rng, 0.5, 40, 10) : Draw(rng, 1, 3000, 1);
        o["moisture"] = Draw(rng, 0, 40, 1);
        o["outlet-boundary"] = Draw(rng, 0, rng() % 5 == 0 ? 10000 : 400, 1);
        o["building-boundary"] = Draw(rng, 0, 300, 1);
        const bool caseD = 2 * std::stod(o["height"]) >= 3 * std::stod(o["building"]);
        if (caseD) {
            if (rng() % 4 == 0)
                o["area"] = Draw(rng, 0.05, 20, 100);
            else
                o["diameter"] = Draw(rng, 0.1, 5, 100);
            if (rng() % 6 == 0) {
                o["direction"] = "down";
            } else {
                o["direction"] = "up";
                o["temperature"] = Draw(rng, -15, 400, 1);
            }
        } else {
            o.erase("velocity");
            if (flow == 2)
                o["dry-flow"] = Draw(rng, 1, 3000, 1);
            if (flow != 1)
                o.erase("moisture");
            if (rng() % 3 == 0) {
                o.erase("outlet-boundary");
                o.erase("building-boundary");
            }
        }
        cases.push_back({"random outlet " + std::to_string(n), o});
    }
    return cases;
}

OutletOptions With(OutletOptions o, const char *name, const char *value) {
    o[name] = value;
    return o;
}

uint64_t Bits(double v) {
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// The inputs a run converts and gives back, which the screens show afterwards.
void ExpectSameRecords(const TallOutletInputs &got, const TallOutletInputs &want) {
    const double TallOutletInputs::*fields[] = {
        &TallOutletInputs::outletDiameter, &TallOutletInputs::exitVelocity,
        &TallOutletInputs::dryFlow,        &TallOutletInputs::wetFlow,
        &TallOutletInputs::gasTemperature, &TallOutletInputs::moisture,
        &TallOutletInputs::buildingScale};
    for (const auto field : fields)
        EXPECT_EQ(Bits(got.*field), Bits(want.*field));
}

void ExpectSameOutcome(const Outcome &got, const Outcome &want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(want[i].key);
        EXPECT_EQ(got[i].key, want[i].key);
        EXPECT_EQ(got[i].kind, want[i].kind);
        EXPECT_EQ(Bits(got[i].number), Bits(want[i].number))
            << got[i].number << " against " << want[i].number;
        EXPECT_EQ(got[i].text, want[i].text);
    }
}

// Memory that is never there.
void *Refuse(size_t, bool *) {
    return nullptr;
}
void ReleaseNothing(void *, size_t) {}

// Puts the system's memory back whatever a test did to it.
struct GridMemoryRestorer {
    ~GridMemoryRestorer() { SetGridMemory(SystemGridMemory()); }
};

// Outlets at the edges of the search: every row of a near wake alike, boundaries on and
// around the maximum's row (648 for the example) and at the grid's end, heights where the
// downwash class changes (2.5 and 1.5 times a 20 m building), flat maxima of downward
// outlets, a plume landing beyond the grid.
std::vector<Case> EdgeOutlets() {
    const OutletOptions nearWake = {{"height", "15"},
                                    {"building", "14"},
                                    {"no1", "12"},
                                    {"outlet-boundary", "0"},
                                    {"building-boundary", "0"}};
    std::vector<Case> edges = {
        {"near wake at the outlet's concentration", With(nearWake, "dry-flow", "9999")},
        {"near wake below it", With(nearWake, "dry-flow", "30")},
        {"near wake, boundary inside it",
         With(With(nearWake, "dry-flow", "30"), "building-boundary", "20")},
    };
    for (const char *boundary : {"0", "647", "648", "649", "650", "9999", "10000"})
        edges.push_back({std::string("example, boundary ") + boundary,
                         With(ExampleOutlet(), "outlet-boundary", boundary)});
    for (const char *height : {"29.9999", "30", "30.0001", "49.9999", "50", "50.0001"}) {
        OutletOptions o = With(With(ExampleOutlet(), "building", "20"), "height", height);
        o.erase("case");
        if (2 * std::stod(height) < 3 * 20) { // case C: no outlet size, direction or gas
            for (const char *name : {"diameter", "direction", "temperature", "moisture"})
                o.erase(name);
        }
        edges.push_back({std::string("downwash class change at ") + height, o});
    }
    OutletOptions down =
        With(With(With(ExampleOutlet(), "direction", "down"), "height", "20"), "building", "12");
    down.erase("temperature");
    for (const char *boundary : {"0", "60", "90", "300"})
        edges.push_back({std::string("downward outlet in a wake, boundary ") + boundary,
                         With(down, "outlet-boundary", boundary)});
    // A scan's heights over both class changes: the outlet rises through strong, weak and no
    // downwash while everything else stays.
    for (int tenths = 300; tenths <= 700; tenths += 5) {
        const std::string height = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        edges.push_back({"scan at " + height,
                         With(With(ExampleOutlet(), "building", "20"), "height", height.c_str())});
    }
    OutletOptions high = With(With(ExampleOutlet(), "height", "400"), "temperature", "500");
    edges.push_back(
        {"landing beyond the grid", With(With(high, "diameter", "10"), "dry-flow", "9999")});
    return edges;
}

// How many random outlets: 1,000 in the tests, more when asked (make bench asks 10,000).
int RandomOutletCount() {
    const char *asked = std::getenv("KAMORTE_EQUALITY_OUTLETS");
    return asked != nullptr && std::atoi(asked) > 0 ? std::atoi(asked) : 1000;
}

} // namespace

// Every result the search for the maximum gives against the cell-by-cell sweep over every
// row: the same bits, outlet by outlet.
TEST(ResultsOnly, RandomAndEdgeOutletsGiveTheCellByCellSweepBitForBit) {
    std::vector<Case> cases = EdgeOutlets();
    const size_t edges = cases.size();
    for (const Case &c : RandomTallOutlets(RandomOutletCount()))
        cases.push_back(c);
    std::unique_ptr<OutletInputs> in(new OutletInputs());
    size_t compared = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        OutletCase screen;
        const RequestError error = PrepareOutlet(c.options, *in, &screen);
        ASSERT_EQ(error.status, 0) << Cp932ToUtf8(error.message);
        ASSERT_TRUE(screen == CaseC || screen == CaseD);
        TallOutletResult want, got;
        double wantLanding, gotLanding;
        ASSERT_EQ(CalculateTallOutletGroundCellByCell(*in, screen, &want, &wantLanding),
                  ComputeStatus::Ok);
        ASSERT_EQ(CalculateTallOutletResults(*in, screen, nullptr, &got, &gotLanding),
                  ComputeStatus::Ok);
        EXPECT_EQ(got.downwashClass, want.downwashClass);
        EXPECT_EQ(Bits(got.downwashedHeight), Bits(want.downwashedHeight));
        EXPECT_EQ(Bits(got.effectiveHeight), Bits(want.effectiveHeight));
        EXPECT_EQ(Bits(got.allowableOutletIndex), Bits(want.allowableOutletIndex));
        EXPECT_EQ(Bits(got.allowableEmissionRate), Bits(want.allowableEmissionRate));
        EXPECT_EQ(Bits(got.dilutionDegree), Bits(want.dilutionDegree));
        EXPECT_EQ(got.landingRow, want.landingRow);
        EXPECT_EQ(got.landingColumn, want.landingColumn);
        EXPECT_EQ(Bits(got.dryFlow), Bits(want.dryFlow));
        EXPECT_EQ(Bits(gotLanding), Bits(wantLanding));
        ++compared;
    }
    EXPECT_EQ(compared, edges + static_cast<size_t>(RandomOutletCount()));
}

TEST(ResultsOnly, EveryFieldIsBitIdenticalToTheRunOverTheWholeGrid) {
    std::vector<Case> cases = GoldenTallOutlets();
    ASSERT_GE(cases.size(), 8u);
    const OutletOptions nearWake = {{"height", "15"},
                                    {"building", "14"},
                                    {"no1", "12"},
                                    {"outlet-boundary", "0"},
                                    {"building-boundary", "0"}};
    // Every row of the near wake has the same concentration, the outlet's or less.
    cases.push_back(
        {"near wake at the outlet's concentration", With(nearWake, "dry-flow", "9999")});
    cases.push_back(
        {"near wake below the outlet's concentration", With(nearWake, "dry-flow", "30")});
    for (const Case &c : RandomTallOutlets(300))
        cases.push_back(c);
    std::unique_ptr<OutletInputs> whole(new OutletInputs()), alone(new OutletInputs());
    DilutionGrid grid;
    size_t compared = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        OutletCase screen, same;
        const RequestError error = PrepareOutlet(c.options, *whole, &screen);
        if (error.status) {
            ADD_FAILURE() << "refused: " << Cp932ToUtf8(error.message);
            continue;
        }
        if (screen != CaseC && screen != CaseD) {
            EXPECT_EQ(c.what.compare(0, 6, "golden"), 0) << "a random outlet must be tall";
            continue;
        }
        ASSERT_EQ(PrepareOutlet(c.options, *alone, &same).status, 0);
        OutletResults wholeResults, aloneResults;
        const Outcome want = ComputeOutcome(*whole, screen, grid, wholeResults);
        ASSERT_FALSE(want.empty());
        ExpectSameOutcome(ComputeResults(*alone, same, nullptr, aloneResults), want);
        ExpectSameRecords(alone->tall, whole->tall);
        EXPECT_EQ(Bits(aloneResults.tall.dryFlow), Bits(wholeResults.tall.dryFlow));
        ++compared;
    }
    EXPECT_GE(compared, 300u + 6u); // and at least four tall ones of the golden file
}

TEST(ResultsOnly, ConstantsReadOnceGiveWhatEveryRunReads) {
    ScratchDirectory dir;
    const std::vector<std::string> files = {
        "", // no file: the defaults
        " 1.0   1.0   1.1 .2000\n   0.0   0.0   0.0   0.0  0.02 0.035 0.035\n",
        " 2.0   0.5   1.0 .2255\n",
        // An offset that brings most cells down to dilution 0, where rows tie.
        " 1.0   1.0   1.0  20.0\n",
        " 1.0   1.0   1.0 .2255\n   0.0   0.0   0.0   0.0  0.02 0.035 0.035\n"
        "     400     600    1000    2000   10000  100000\n",
        // A vertical spread that narrows with the distance from 300 to 500 m, and one that
        // grows to infinity beyond 2 km: rows computed one by one there.
        " 1.0   1.0   1.0 .2255\n   0.0   0.0   0.0   0.0  0.02 0.035 0.035\n"
        "     300     500    1000    2000   10000  100000\n"
        "   1.122   1.514   2.109   2.109   2.109   2.109\n"
        "   0.964  -0.300   1.094   1.094   150.0   1.094\n",
        // Rows 2.5 m apart, columns counted downwards.
        " 2.5  -1.0   1.0 .2255\n"};
    const OutletOptions outlets[] = {ExampleOutlet(), RandomTallOutlets(7)[6].options};
    std::unique_ptr<OutletInputs> whole(new OutletInputs()), alone(new OutletInputs());
    DilutionGrid grid;
    for (const std::string &content : files) {
        SCOPED_TRACE(content);
        std::remove("smell.prm");
        if (!content.empty())
            dir.Write("smell.prm", content);
        SmellParams params;
        SetDefaultSmellParams(params);
        ReadSmellParams(params);
        for (const OutletOptions &o : outlets) {
            OutletCase screen;
            ASSERT_EQ(PrepareOutlet(o, *whole, &screen).status, 0);
            ASSERT_EQ(PrepareOutlet(o, *alone, &screen).status, 0);
            OutletResults results;
            ExpectSameOutcome(ComputeResults(*alone, screen, &params, results),
                              ComputeOutcome(*whole, screen, grid, results));
        }
    }
}

TEST(DilutionGrid, RefusedMemoryIsReportedAndAskedForAgain) {
    GridMemoryRestorer restore;
    DilutionGrid grid;
    SetGridMemory({Refuse, ReleaseNothing});
    EXPECT_FALSE(grid.Obtain());
    EXPECT_EQ(grid.Cells(), nullptr);
    grid.WarmUp(); // refused as well, and left for the next obtaining to report
    EXPECT_FALSE(grid.Obtain());
    std::unique_ptr<OutletInputs> record(new OutletInputs());
    OutletCase screen;
    ASSERT_EQ(PrepareOutlet(ExampleOutlet(), *record, &screen).status, 0);
    OutletResults results;
    EXPECT_TRUE(ComputeOutcome(*record, screen, grid, results).empty());
    TallOutletResult r;
    EXPECT_EQ(CalculateTallOutlet(*record, screen, grid, &r), ComputeStatus::OutOfMemory);
    EXPECT_EQ(r.landingRow, -1);
    EXPECT_EQ(r.allowableOutletIndex, -1);
    EXPECT_FALSE(ComputeResults(*record, screen, nullptr, results).empty()); // needs no grid

    // Before any grid, the map reads what a grid holds before the first run: zeros.
    const MapField withoutGrid = BuildMapField(grid.Cells(), 137, 53, kMapWidth, kMapHeight);
    SetGridMemory(SystemGridMemory());
    ASSERT_TRUE(grid.Obtain());
    EXPECT_EQ(withoutGrid, BuildMapField(grid.Cells(), 137, 53, kMapWidth, kMapHeight));

    // Asked again, the grid is obtained and filled.
    grid.Release();
    EXPECT_EQ(CalculateTallOutlet(*record, screen, grid, &r), ComputeStatus::Ok);
    ASSERT_NE(grid.Cells(), nullptr);
    EXPECT_EQ(r.landingRow, 648);
    EXPECT_GT(GridCell(grid.Cells(), 648, 0), 30);
}

TEST(DilutionGrid, ObtainedZeroAlignedAndKept) {
    GridMemoryRestorer restore;
    const struct {
        const char *what;
        bool warmUp;
    } ways[] = {{"obtained when needed", false}, {"warmed up at start", true}};
    for (const auto &way : ways) {
        SCOPED_TRACE(way.what);
        DilutionGrid grid;
        if (way.warmUp)
            grid.WarmUp();
        ASSERT_TRUE(grid.Obtain());
        const double *cells = grid.Cells();
        size_t nonZero = 0;
        for (size_t i = 0; i < static_cast<size_t>(kGridRows) * kGridColumns; ++i)
            nonZero += cells[i] != 0;
        EXPECT_EQ(nonZero, 0u);
#if defined(__linux__)
        EXPECT_EQ(reinterpret_cast<uintptr_t>(cells) % (2u << 20), 0u);
#endif
        grid.Cells()[kGridRows * kGridColumns - 1] = 7;
        ASSERT_TRUE(grid.Obtain());
        EXPECT_EQ(grid.Cells(), cells);
        EXPECT_EQ(grid.Cells()[kGridRows * kGridColumns - 1], 7);
    }
}

// Two owners, two grids: a run over one, a warm-up or a release of the other leaves the
// first as it was, and its map with it.
TEST(DilutionGrid, TwoOwnersShareNothing) {
    std::unique_ptr<OutletInputs> record(new OutletInputs());
    OutletCase screen;
    ASSERT_EQ(PrepareOutlet(ExampleOutlet(), *record, &screen).status, 0);
    DilutionGrid first, second;
    TallOutletResult firstResult, otherResult;
    ASSERT_EQ(CalculateTallOutlet(*record, screen, first, &firstResult), ComputeStatus::Ok);
    const MapSettings settings = DefaultMapSettings(record->tall, firstResult, first.Cells());
    const MapMarks marks = MapMarksOf(settings, *record, firstResult);
    const std::vector<unsigned char> before =
        RenderMap(first.Cells(), settings, marks, MapStyle::Screen, kMapWidth, kMapHeight);
    const std::vector<double> cells(first.Cells(), first.Cells() + kGridRows * kGridColumns);

    second.WarmUp();
    ASSERT_TRUE(second.Obtain());
    EXPECT_NE(second.Cells(), first.Cells());
    EXPECT_EQ(GridCell(second.Cells(), 648, 0), 0); // zero: not the first's run
    std::unique_ptr<OutletInputs> other(new OutletInputs());
    ASSERT_EQ(PrepareOutlet(With(ExampleOutlet(), "height", "60"), *other, &screen).status, 0);
    ASSERT_EQ(CalculateTallOutlet(*other, screen, second, &otherResult), ComputeStatus::Ok);
    EXPECT_NE(otherResult.landingRow, firstResult.landingRow);
    second.Release();
    EXPECT_EQ(second.Cells(), nullptr);

    ASSERT_NE(first.Cells(), nullptr);
    EXPECT_TRUE(std::equal(cells.begin(), cells.end(), first.Cells()));
    EXPECT_EQ(RenderMap(first.Cells(), settings, marks, MapStyle::Screen, kMapWidth, kMapHeight),
              before);
}

#ifndef _WIN32
TEST(KamorteCalc, BatchRowsComeInInputOrderAsSingleRunsGiveThem) {
    std::ifstream csv(KAMORTE_SOURCE_DIR "/bench/batch_outlets.csv");
    std::string line;
    ASSERT_TRUE(static_cast<bool>(std::getline(csv, line)));
    const std::vector<std::string> header = SplitCsvLine(line);
    std::string want = "\xEF\xBB\xBF" + OutcomeCsvHeader();
    std::unique_ptr<OutletInputs> record(new OutletInputs());
    DilutionGrid grid;
    while (std::getline(csv, line)) {
        const std::vector<std::string> cells = SplitCsvLine(line);
        OutletOptions o;
        for (size_t i = 0; i < header.size() && i < cells.size(); ++i)
            if (!cells[i].empty())
                o[header[i]] = cells[i];
        OutletCase screen;
        ASSERT_EQ(PrepareOutlet(o, *record, &screen).status, 0) << line;
        OutletResults results;
        want += OutcomeCsvRow(ComputeOutcome(*record, screen, grid, results), "", Cp932ToUtf8);
    }
    const std::string command = std::string(KAMORTE_CALC) +
                                " --columns all --batch " KAMORTE_SOURCE_DIR
                                "/bench/batch_outlets.csv 2>/dev/null";
    std::FILE *pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string got;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        got.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(got, want);
}
#endif
