#include "model/smell_params.h"
#include "model/tall_outlet.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SmellParams ReadFrom(const std::string &content) {
    ScratchDirectory dir;
    dir.Write("smell.prm", content);
    SmellParams p;
    SetDefaultSmellParams(p);
    ReadSmellParams(p);
    return p;
}

SmellParams Defaults() {
    SmellParams p;
    SetDefaultSmellParams(p);
    return p;
}

// The default file, written column-aligned as its author would.
std::string DefaultFileText(const char *lineEnd) {
    const SmellParams d = Defaults();
    std::string text;
    // Right-aligned with at least one blank before each value: a field's width counts
    // from its first non-blank character.
    auto line = [&](const double *values, int count, int width) {
        for (int i = 0; i < count; ++i) {
            char number[32];
            std::snprintf(number, sizeof number, "%.10g", values[i]);
            std::string digits = number;
            if (digits.compare(0, 2, "0.") == 0)
                digits.erase(0, 1);
            text += std::string(static_cast<size_t>(width) - digits.size(), ' ') + digits;
        }
        text += lineEnd;
    };
    line(&d.downwindStep, 4, 6);
    line(d.thetaGradient, 7, 6);
    line(d.sigmaZBreak, 6, 8);
    for (int c = 0; c < 7; ++c)
        line(d.sigmaZExponent[c], 6, 8);
    for (int c = 0; c < 7; ++c)
        line(d.sigmaZCoefficient[c], 6, 9);
    for (int c = 0; c < 7; ++c)
        line(d.sigmaYExponent[c], 2, 8);
    for (int c = 0; c < 7; ++c)
        line(d.sigmaYCoefficient[c], 2, 8);
    return text;
}

bool SameValues(const SmellParams &a, const SmellParams &b) {
    const double *x = &a.downwindStep;
    const double *y = &b.downwindStep;
    for (int i = 0; i < 129; ++i) {
        if (x[i] != y[i]) {
            ADD_FAILURE() << "value " << i + 1 << ": " << x[i] << " != " << y[i];
            return false;
        }
    }
    return true;
}

} // namespace

TEST(SmellParams, DefaultsMatchTheModelTables) {
    const SmellParams p = Defaults();
    EXPECT_EQ(p.indexOffset, 0.2255);
    EXPECT_EQ(p.thetaGradient[5], 0.035);
    EXPECT_EQ(p.sigmaZBreak[5], 100000.0);
    // Class B, which every computation uses.
    EXPECT_EQ(p.sigmaZExponent[1][2], 1.094);
    EXPECT_EQ(p.sigmaZCoefficient[1][0], 0.1272);
    EXPECT_EQ(p.sigmaZCoefficient[1][2], 0.057);
    EXPECT_EQ(p.sigmaYExponent[1][0], 0.914);
    EXPECT_EQ(p.sigmaYCoefficient[1][1], 0.113);
    EXPECT_EQ(p.sigmaZCoefficient[6][5], 3.62);
    EXPECT_EQ(p.sigmaYCoefficient[6][0], 0.0109);
}

TEST(SmellParams, MissingFileKeepsTheDefaults) {
    ScratchDirectory dir;
    SmellParams p = Defaults();
    ReadSmellParams(p);
    EXPECT_TRUE(SameValues(p, Defaults()));
}

TEST(SmellParams, AlignedFileWithLfOrCrLfReadsBackTheDefaults) {
    EXPECT_TRUE(SameValues(ReadFrom(DefaultFileText("\n")), Defaults()));
    EXPECT_TRUE(SameValues(ReadFrom(DefaultFileText("\r\n")), Defaults()));
}

TEST(SmellParams, FieldsAreFixedWidth) {
    SmellParams p = ReadFrom("   1.0   1.0   1.0 .2255\n");
    EXPECT_EQ(p.downwindStep, 1.0);
    EXPECT_EQ(p.indexOffset, 0.2255);

    // Seven characters in a six-character column: the seventh starts the next value.
    p = ReadFrom("1.23456   2.0\n");
    EXPECT_EQ(p.downwindStep, 1.2345);
    EXPECT_EQ(p.heightStep, 6.0);
    EXPECT_EQ(p.indexExponent, 2.0);
    EXPECT_EQ(p.indexOffset, 0.2255); // the line ended
}

TEST(SmellParams, ConversionOfALineStopsAtTheFirstBadField) {
    SmellParams p = ReadFrom("   2.0   abc   3.0   4.0\n"
                             "  0.01\n");
    EXPECT_EQ(p.downwindStep, 2.0);
    EXPECT_EQ(p.heightStep, 1.0);
    EXPECT_EQ(p.indexExponent, 1.0);
    EXPECT_EQ(p.thetaGradient[0], 0.01);
    EXPECT_EQ(p.thetaGradient[1], 0.0);
}

TEST(SmellParams, AValueTheModelCannotUseKeepsTheDefault) {
    // The first line: downwind step, height step, index exponent m, offset k (defaults 1,
    // 1, 1, 0.2255). The other values of the line are read all the same.
    struct Row {
        const char *line;
        double want[4];
    };
    const Row rows[] = {
        {"   2.0   2.0    -0   0.3\n", {2, 2, 1, 0.3}},
        {"   2.0   2.0     0   0.3\n", {2, 2, 1, 0.3}},
        {"   2.0   2.0  -1.5   0.3\n", {2, 2, -1.5, 0.3}}, // a falling conversion computes
        {"     0   2.0   1.5   0.3\n", {1, 2, 1.5, 0.3}},
        {"  -1.0   2.0   1.5   0.3\n", {1, 2, 1.5, 0.3}},
        {"   2.0 1e999   1.5   0.3\n", {2, 1, 1.5, 0.3}},
        {"   2.0     0   1.5   0.3\n", {2, 0, 1.5, 0.3}},  // every height at the ground
        {"   2.0   2.0   1.5  -0.5\n", {2, 2, 1.5, -0.5}}, // a negative k is a model too
        {"   2.0   2.0   1.5-1e999\n", {2, 2, 1.5, 0.2255}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.line);
        const SmellParams p = ReadFrom(row.line);
        EXPECT_EQ(p.downwindStep, row.want[0]);
        EXPECT_EQ(p.heightStep, row.want[1]);
        EXPECT_EQ(p.indexExponent, row.want[2]);
        EXPECT_EQ(p.indexOffset, row.want[3]);
    }
    const SmellParams d = Defaults();
    SmellParams p = ReadFrom("   1.0   1.0   1.0 .2255\n"
                             "  -0.1  0.01\n");
    EXPECT_EQ(p.thetaGradient[0], -0.1); // class A's gradient enters no formula
    EXPECT_EQ(p.thetaGradient[1], 0.01);
    // A zero sigma coefficient of class B, which every computation uses, would divide by zero
    // (its line is the twelfth of the file, nine characters a field); class A's is not used.
    std::vector<std::string> lines;
    const std::string file = DefaultFileText("\n");
    for (size_t at = 0; at < file.size(); at = file.find('\n', at) + 1)
        lines.push_back(file.substr(at, file.find('\n', at) + 1 - at));
    lines[10] = "        0" + lines[10].substr(9);
    lines[11] = "        0" + lines[11].substr(9);
    std::string changed;
    for (const std::string &line : lines)
        changed += line;
    p = ReadFrom(changed);
    EXPECT_EQ(p.sigmaZCoefficient[0][0], 0.0);
    EXPECT_EQ(p.sigmaZCoefficient[1][0], d.sigmaZCoefficient[1][0]);
    p.sigmaZCoefficient[0][0] = d.sigmaZCoefficient[0][0];
    EXPECT_TRUE(SameValues(p, d));
}

TEST(SmellParams, AShortFileChangesOnlyItsLines) {
    SmellParams p = ReadFrom("   2.0   2.0   1.0   0.3\n"
                             "   0.1   0.1   0.1   0.1   0.1   0.1   0.1\n"
                             "     100     200     300     400     500     600\n");
    EXPECT_EQ(p.downwindStep, 2.0);
    EXPECT_EQ(p.indexOffset, 0.3);
    EXPECT_EQ(p.thetaGradient[6], 0.1);
    EXPECT_EQ(p.sigmaZBreak[0], 100.0);
    EXPECT_EQ(p.sigmaZBreak[5], 600.0);
    EXPECT_EQ(p.sigmaZExponent[1][0], 0.964);
    EXPECT_EQ(p.sigmaYCoefficient[6][1], 0.0129);
}

TEST(SmellParams, ALineLongerThanItsLimitShiftsTheLinesAfterIt) {
    // 27 characters on line 1: the 26th and 27th become line 2.
    SmellParams p = ReadFrom("   2.0   1.0   1.0 .2255 9.5\n"
                             "   0.7\n");
    EXPECT_EQ(p.downwindStep, 2.0);
    EXPECT_EQ(p.thetaGradient[0], 0.5); // ".5" of line 1's tail, read as line 2
    EXPECT_EQ(p.sigmaZBreak[0], 0.7);   // line 2 of the file is read as line 3
    // One character more than nominal is still the same line.
    p = ReadFrom("   2.0   1.0   1.0 .2255 \n"
                 "   0.5\n");
    EXPECT_EQ(p.thetaGradient[0], 0.5);
}

TEST(SmellParams, AChangedFileChangesTheNextComputation) {
    ScratchDirectory dir;
    auto run = [] {
        TallRun t = MakeTallOutlet(30, 10, 1, 300, false, 80, 10);
        std::vector<double> grid(200 * 40);
        int32_t row, column;
        RunTallOutlet(t, true, 200, 40, grid.data(), &row, &column);
        return t.result.dilutionDegree;
    };
    const double before = run();
    dir.Write("smell.prm", "   1.0   1.0   1.0   0.5\n");
    const double after = run();
    EXPECT_NEAR(before - after, 10 * (0.5 - 0.2255), 1e-9);
}
