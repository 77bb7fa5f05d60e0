#include "model/input_checks.h"

#include <gtest/gtest.h>

namespace {

bool Accepts(TallField field, const char *text, bool caseC = false) {
    return ReadTallField(field, text, caseC).valid;
}

} // namespace

TEST(ReadTallField, LimitsAtTheirEdges) {
    EXPECT_TRUE(Accepts(TallField::OutletHeight, "0"));
    EXPECT_TRUE(Accepts(TallField::OutletHeight, "400"));
    EXPECT_FALSE(Accepts(TallField::OutletHeight, "400.01"));
    EXPECT_TRUE(Accepts(TallField::No1Standard, "12.5"));
    EXPECT_FALSE(Accepts(TallField::No1Standard, "9.9"));
    EXPECT_FALSE(Accepts(TallField::No1Standard, "21.1"));
    EXPECT_TRUE(Accepts(TallField::Diameter, "10"));
    EXPECT_FALSE(Accepts(TallField::Diameter, "0"));
    EXPECT_TRUE(Accepts(TallField::Area, "100"));
    EXPECT_FALSE(Accepts(TallField::DryFlow, "10000"));
    EXPECT_TRUE(Accepts(TallField::DryFlow, "9999.99"));
    EXPECT_FALSE(Accepts(TallField::Velocity, "200"));
    EXPECT_TRUE(Accepts(TallField::Temperature, "-15"));
    EXPECT_FALSE(Accepts(TallField::Temperature, "-15.5"));
    EXPECT_TRUE(Accepts(TallField::Moisture, "0"));
    EXPECT_FALSE(Accepts(TallField::Moisture, "100"));
    EXPECT_TRUE(Accepts(TallField::OutletToBoundary, "10000"));
    EXPECT_FALSE(Accepts(TallField::BuildingToBoundary, "10000.5"));
}

TEST(ReadTallField, TextRules) {
    FieldReading r = ReadTallField(TallField::OutletHeight, "１５．５", false);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.value, 15.5);
    EXPECT_EQ(r.acceptedText, "15.5");

    r = ReadTallField(TallField::DryFlow, " 300 ", false);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.acceptedText, " 300 "); // kept with its blanks
    EXPECT_FALSE(Accepts(TallField::DryFlow, "300m3"));
    EXPECT_FALSE(Accepts(TallField::DryFlow, "300 m3"));
    EXPECT_FALSE(Accepts(TallField::DryFlow, "300高"));

    r = ReadTallField(TallField::Temperature, "", false);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.value, -100.0); // the temperature's preset
    EXPECT_EQ(r.acceptedText, "");

    r = ReadTallField(TallField::OutletHeight, "12m", false);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.value, 12.0); // what was read stays
}

TEST(ReadTallField, DistancesMayBeOmittedOnlyInCaseC) {
    FieldReading r = ReadTallField(TallField::OutletToBoundary, "  ", true);
    EXPECT_TRUE(r.valid);
    EXPECT_TRUE(r.omitted);
    EXPECT_EQ(r.value, 0.0);
    EXPECT_EQ(r.acceptedText, "");
    EXPECT_FALSE(Accepts(TallField::OutletToBoundary, "", false));
    r = ReadTallField(TallField::BuildingToBoundary, " 20 ", true);
    EXPECT_EQ(r.acceptedText, "20"); // distances are trimmed
}

TEST(ReadLowField, No1IsNotTrimmedAndHeightsRefuseKanji) {
    FieldReading r = ReadLowField(LowField::No1Index, "１２");
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.acceptedText, "12");
    EXPECT_FALSE(ReadLowField(LowField::No1Index, "9").valid);
    EXPECT_FALSE(ReadLowField(LowField::No1Index, "22").valid);
    EXPECT_TRUE(ReadLowField(LowField::No1Index, "21").valid);
    r = ReadLowField(LowField::OutletHeight, " 5 ");
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.acceptedText, "5");
    r = ReadLowField(LowField::OutletHeight, "5メートル");
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.value, -1.0);
    EXPECT_FALSE(ReadLowField(LowField::OutletHeight, "五").valid);
    EXPECT_FALSE(ReadLowField(LowField::BuildingHeight, "401").valid);
}

TEST(AtLeast15TimesBuilding, ComparesAtATenthOfAMillimetre) {
    EXPECT_TRUE(AtLeast15TimesBuilding(15, 10));
    EXPECT_TRUE(AtLeast15TimesBuilding(15, 10.00001));
    EXPECT_FALSE(AtLeast15TimesBuilding(15, 10.001));
    EXPECT_TRUE(AtLeast15TimesBuilding(20, 0));
    EXPECT_TRUE(AtLeast15TimesBuilding(400, 266.6666));
    EXPECT_FALSE(AtLeast15TimesBuilding(400, 266.6667));
}
