// Every row of the field table, through the fronts that read it: kamorte-calc's arguments and
// usage text, the batch headings, and each form's checks at the ends of the field's range.
#include "model/field_table.h"

#include "calc/batch_columns.h"
#include "calc/calc_request.h"
#include "model/form_rules.h"
#include "tools/kamorte_calc/arguments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// A value at a limit and one just past it (outward), or just inside it for an open end.
struct Probe {
    std::string text;
    bool valid;
};

std::vector<Probe> ProbesOf(const FieldLimits &l, double step) {
    std::vector<Probe> probes = {
        {Text(l.low), !l.lowOpen},
        {Text(l.lowOpen ? l.low + step : l.low - step), l.lowOpen},
    };
    if (std::isfinite(l.high)) {
        probes.push_back({Text(l.high), !l.highOpen});
        probes.push_back({Text(l.highOpen ? l.high - step : l.high + step), l.highOpen});
    }
    return probes;
}

// The probes, and each valid one again with leading zeros up to what the form's field takes:
// a text as long as can be typed is still read and kept whole.
std::vector<Probe> WithLongestTyped(std::vector<Probe> probes, FieldForm form) {
    const size_t typed = static_cast<size_t>(TextLimitsOf(form).typed);
    for (size_t i = 0, n = probes.size(); i < n; ++i)
        if (probes[i].valid && probes[i].text[0] != '-')
            probes.push_back(
                {std::string(typed - probes[i].text.size(), '0') + probes[i].text, true});
    return probes;
}

// The example outlet of case D with the field's option set to the text, and the options that
// exclude it taken out: its screen then reads the field.
OutletOptions CaseDWith(Field field, const std::string &text) {
    OutletOptions o = ExampleOutlet();
    if (field == Field::Area)
        o.erase(OptionOf(Field::Diameter));
    if (field == Field::WetFlow || field == Field::Velocity)
        o.erase(OptionOf(Field::DryFlow));
    o[OptionOf(field)] = text;
    return o;
}

} // namespace

TEST(FieldTable, RowsAreInTheOrderOfTheirFields) {
    ASSERT_EQ(FieldTable().size(), kFieldCount);
    for (size_t i = 0; i < kFieldCount; ++i)
        EXPECT_EQ(FieldTable()[i].field, static_cast<Field>(i)) << FieldTable()[i].name;
}

TEST(FieldTable, KamorteCalcTakesEveryOptionAndItsUsageNamesIt) {
    const std::string usage = OptionUsageLines();
    for (const FieldRow &row : FieldTable()) {
        if (row.option[0] == '\0')
            continue;
        SCOPED_TRACE(row.name);
        Command cmd;
        std::string problem;
        ASSERT_TRUE(ParseArguments({DashedOption(row.field), "7"}, &cmd, &problem)) << problem;
        EXPECT_EQ(cmd.outlet.at(row.option), "7");
        Command twice;
        EXPECT_FALSE(ParseArguments({DashedOption(row.field), "7", DashedOption(row.field), "8"},
                                    &twice, &problem));
        EXPECT_NE(usage.find(" " + DashedOption(row.field) + " " + row.usageValue),
                  std::string::npos);
    }
}

TEST(FieldTable, TheBatchTakesEveryOptionAndLabelAsAHeading) {
    const std::vector<std::string> &known = OutletOptionNames();
    for (const FieldRow &row : FieldTable()) {
        if (row.option[0] == '\0') {
            // The print information's labels are no batch columns yet.
            for (const char *label : row.labels) {
                if (label != nullptr) {
                    EXPECT_EQ(ClassifyColumn(label, known).kind, ColumnRole::PassThrough)
                        << row.name;
                }
            }
            continue;
        }
        SCOPED_TRACE(row.name);
        ColumnRole role = ClassifyColumn(row.option, known);
        EXPECT_EQ(role.kind, ColumnRole::Option);
        EXPECT_EQ(role.option, row.option);
        for (const char *label : row.labels) {
            if (label == nullptr)
                continue;
            role = ClassifyColumn(label, known);
            EXPECT_EQ(role.kind, ColumnRole::Option) << label;
            EXPECT_EQ(role.option, row.option) << label;
        }
    }
}

// Refused with the field's message, or kept whole and passed on to the next check. (Leaving
// the screen reads each field in the same loop, only without stopping: the form's own tests.)
TEST(FieldTable, TallFieldsHoldTheirLimitsOnTheCommandLine) {
    for (const FieldRow &row : FieldTable()) {
        if (row.tall.message == nullptr)
            continue;
        for (const Probe &probe : WithLongestTyped(ProbesOf(row.tall.limits, 0.001), kTallForm)) {
            SCOPED_TRACE(std::string(row.name) + " " + probe.text);
            OutletInputs in{};
            OutletCase screen;
            const RequestError e = PrepareOutlet(CaseDWith(row.field, probe.text), in, &screen);
            EXPECT_EQ(e.message == row.tall.message, !probe.valid) << e.message;
            if (probe.valid) {
                EXPECT_EQ(std::string(in.*row.tall.text), probe.text);
            }
        }
    }
}

TEST(FieldTable, LowFieldsHoldTheirLimitsWithEachCasesMessage) {
    for (const FieldRow &row : FieldTable()) {
        if (row.low.messageA == nullptr)
            continue;
        for (OutletCase lowCase : {CaseA, CaseB}) {
            if (lowCase == CaseA && row.field == Field::BuildingHeight)
                continue;
            const char *message = lowCase == CaseA ? row.low.messageA : row.low.messageB;
            for (const Probe &probe : WithLongestTyped(ProbesOf(row.low.limits, 0.001), kLowForm)) {
                SCOPED_TRACE(std::string(row.name) + " " + probe.text);
                OutletOptions o = {{OptionOf(Field::Case), lowCase == CaseA ? "A" : "B"},
                                   {OptionOf(Field::OutletHeight), lowCase == CaseA ? "5" : "10"},
                                   {OptionOf(Field::No1Standard), "12"},
                                   {OptionOf(Field::SizeClass), "small"}};
                if (lowCase == CaseB)
                    o[OptionOf(Field::BuildingHeight)] = "5";
                o[row.option] = probe.text;
                OutletInputs in{};
                OutletCase screen;
                const RequestError e = PrepareOutlet(o, in, &screen);
                EXPECT_EQ(e.message == message, !probe.valid) << e.message;
                if (probe.valid) {
                    EXPECT_EQ(std::string(in.*row.low.text), probe.text);
                }
                // メニューに戻る keeps a valid field and leaves a faulty one not set.
                LowFormTexts form{"12", lowCase == CaseA ? "5" : "10", "5"};
                (row.field == Field::No1Standard    ? form.no1
                 : row.field == Field::OutletHeight ? form.outletHeight
                                                    : form.buildingHeight) = probe.text;
                OutletInputs left{};
                ResetLowOutletInputs(left);
                const LowVerdict v = ValidateLowForm(lowCase, form, ValidationMode::Silent, left);
                EXPECT_EQ(v.message, nullptr);
                EXPECT_EQ(std::string(left.*row.low.text), probe.valid ? probe.text : "");
            }
        }
    }
}

// The reports print a label for every field of the case screens.
TEST(FieldTable, EveryFieldOfTheCaseScreensHasAPrintLabel) {
    for (const FieldRow &row : FieldTable()) {
        if (row.forms & (kLowForm | kTallForm)) {
            EXPECT_NE(PrintLabelOf(row.field), nullptr) << row.name;
        }
    }
}
