// Units and values as data sheets and cards write them: every spelling of a
// unit gives the same factor, the exact definitions hold, and whatever cannot
// be read or measures something else is an error that names it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "MatfileRun.h"
#include "TestFiles.h"
#include "UnitConversion.h"
#include "UnitTable.h"
#include "UnitText.h"
#include "ValueText.h"

namespace {

using Property = MaterialProperty;

double factorOf(Property property, const std::string& unit) {
  double factor = 0;
  std::string error;
  EXPECT_TRUE(factorToStored(property, unit, factor, error)) << unit << ": " << error;
  return factor;
}

std::string errorOf(Property property, const std::string& unit) {
  double factor = 0;
  std::string error;
  EXPECT_FALSE(factorToStored(property, unit, factor, error)) << unit;
  return error;
}

TEST(UnitTable, EveryExampleAndStoredUnitMeasuresItsProperty) {
  for (int position = 0; position < kPropertyCount; ++position) {
    Property property = propertyAt(position);
    EXPECT_EQ(factorOf(property, unitsOf(property).storedUnit), 1) << propertyName(property);
    for (const char* example : unitsOf(property).examples) factorOf(property, example);
  }
}

TEST(UnitTable, ReadmeShowsTheUnitsTableOfTheCode) {
  std::string table = unitsTable();
  EXPECT_NE(fileBytes(testDataPath("../docs/matfile.md")).find(table), std::string::npos)
      << "paste the output of `matfile units` into docs/matfile.md:\n"
      << table;
  EXPECT_EQ(matfile({"units"}).out, table);
}

struct Spellings {
  Property property;
  double factor;
  std::vector<std::string> units;
};

TEST(UnitText, EverySpellingOfAUnitGivesTheSameFactor) {
  const std::vector<Spellings> groups = {
      {Property::Density, 0.001,
       {"kg/m^3", "kg/m3", "kg/m\xC2\xB3", "kg/m\xB3", "kg m^-3", "kg\xC2\xB7m\xE2\x81\xBB\xC2\xB3",
        "kg.m-3", "g/l", "g/L"}},
      {Property::Density, 1, {"g/cm^3", "g/cc", "kg/dm^3", "g/mL", "t/m3"}},
      {Property::YieldStrength, 1, {"MPa", "N/mm^2", "N/mm\xC2\xB2", "N mm^-2"}},
      {Property::ThermalConductivity, 1,
       {"W/(m x K)", "W/(m K)", "W/m/K", "W/(m\xC2\xB7K)", "W/(m*K)", "W/mK", "W m^-1 K^-1", "W/m-K",
        "W m-1 K-1", "W/(m \xC2\xB0" "C)", "W/m\xC2\xB0" "C", "W/(m x K)", "W/(m.K)"}},
      {Property::ThermalConductivity, 1.7307346663713912,
       {"Btu/(h ft \xC2\xB0" "F)", "Btu/hr-ft-\xC2\xB0" "F", "Btu/(hr\xC2\xB7" "ft\xC2\xB7\xE2\x84\x89)",
        "Btu/(h ft degF)"}},
      {Property::LinearExpansion, 0.1,
       {"\xC2\xB5m/(m K)", "\xCE\xBCm/m/K", "um/m/K", "\xB5m/(m\xB7K)", "10^-6/K", "10-6/K",
        "1e-6/K", "ppm/K", "x10^-6 /K", "K^-1 x 10^-6", "10\xE2\x81\xBB\xE2\x81\xB6/K",
        "\xC2\xB5m/m/\xC2\xB0" "C", "\xC2\xB5m/m/\xC2\xBA" "C", "\xC2\xB5m/m\xE2\x84\x83"}},
      {Property::LinearExpansion, 1, {"10^-5m/(m xC)", "10^-5/K"}},
      {Property::SpecificHeat, 1, {"J/(Kg x K)", "J/kgK"}},
      {Property::LinearExpansion, 100000, {"1/K", "/K", "m/m/K", "K^-1", "1/\xC2\xB0" "C"}},
      {Property::LinearExpansion, 180000, {"1/\xC2\xB0" "F", "in/in/\xC2\xB0" "F", "1/degF"}},
      {Property::SpecificHeat, 1000, {"J/(g K)", "J/g/\xC2\xB0" "C", "kJ/kg/K", "kJ/(kg\xC2\xB7K)"}},
      {Property::PoissonRatio, 1, {"", " ", "-", "1", "m/m"}},
  };
  for (const Spellings& group : groups) {
    for (const std::string& unit : group.units) {
      EXPECT_NEAR(factorOf(group.property, unit), group.factor, group.factor * 1e-12) << unit;
    }
  }
}

// The international inch, foot and pound and the International Table Btu.
TEST(UnitText, ExactDefinitionsOfTheCustomaryUnits) {
  EXPECT_DOUBLE_EQ(factorOf(Property::YieldStrength, "psi"), 6894.757293168361e-6);
  EXPECT_DOUBLE_EQ(factorOf(Property::YoungModulus, "Msi"), 6.894757293168361);
  EXPECT_DOUBLE_EQ(factorOf(Property::Density, "lb/in^3"), 0.45359237 / (0.0254 * 0.0254 * 0.0254) / 1000);
  EXPECT_DOUBLE_EQ(factorOf(Property::Density, "lb/ft^3"), 0.45359237 / (0.3048 * 0.3048 * 0.3048) / 1000);
  EXPECT_DOUBLE_EQ(factorOf(Property::SpecificHeat, "Btu/(lb \xC2\xB0" "F)"), 4186.8);
  EXPECT_DOUBLE_EQ(factorOf(Property::LinearExpansion, "\xC2\xB5in/(in \xC2\xB0" "F)"), 0.18);
}

TEST(UnitText, UnknownOrWrongUnitsAreErrorsThatNameThem) {
  EXPECT_EQ(errorOf(Property::Density, "s"),
            "\"s\" is not a unit of a density (such as kg/m^3, g/cm^3 or kg/dm^3; matfile units "
            "lists them)");
  EXPECT_EQ(errorOf(Property::YoungModulus, "mPa"),
            "unit \"mPa\" is not known: no unit \"mPa\" (matfile units lists the units)");
  EXPECT_EQ(errorOf(Property::YoungModulus, "N/m"),
            "\"N/m\" is not a unit of a stress (such as GPa, MPa or N/mm^2; matfile units lists "
            "them)");
  EXPECT_EQ(errorOf(Property::PoissonRatio, "%"),
            "unit \"%\" is not known: \"%\" is not a unit (matfile units lists the units)");
  EXPECT_EQ(errorOf(Property::PoissonRatio, "MPa"), "\"MPa\" is not a unit of a ratio (it has none)");
  const std::vector<std::pair<std::string, std::string>> unreadable = {
      {"kg/q", "no unit \"q\""},
      {"kg/m^", "\"^\" without a power after it"},
      {"kg/m^10", "a power beyond 9"},
      {"W/(m K", "a \"(\" that is not closed"},
      {"W/(m K))", "\")\" cannot follow"},
      {"W/", "nothing after \"/\""},
      {"2 W/(m K)", "a number in a unit is 1 or a power of ten"},
      {"100 W/(m K)", "a power of ten written with its exponent (10^2, 1e2)"},
      {"10/(m K) W", "a power of ten written with its exponent (10^1, 1e1)"},
      {"W/(((((m K)))))", "brackets nested too deep"},
      {"W/(m\xC3\x98K)", "a character that no unit holds at byte 5"},
      {"1e99 W/(m K)", "a power beyond 30"},
      {"W/mK^2", "\"mK\" with a power is ambiguous"},
  };
  for (const auto& [unit, problem] : unreadable) {
    std::string error = errorOf(Property::ThermalConductivity, unit);
    EXPECT_NE(error.find(problem), std::string::npos) << unit << ": " << error;
    EXPECT_EQ(error.rfind("unit \"" + unit + "\" is not known: ", 0), 0u) << error;
  }
}

// The powers a unit may hold, on both sides of zero: the limit itself is read,
// one past it is an error that says so. A power of ten is bounded once as
// written (1e30, 10^30) and once as multiplied out (100^15, 10e29: the
// zeros add to the exponent).
TEST(UnitText, PowersAtTheirLimitsOnBothSides) {
  const struct {
    const char* unit;
    double inSi;  // 0: refused
    int length;
    const char* problem;
  } cases[] = {
      {"1e30", 1e30, 0, ""},       {"1e31", 0, 0, "a power beyond 30"},
      {"1e-30", 1e-30, 0, ""},     {"1e-31", 0, 0, "a power beyond 30"},
      {"10^30", 1e30, 0, ""},      {"10^31", 0, 0, "a power beyond 30"},
      {"10^-30", 1e-30, 0, ""},    {"10^-31", 0, 0, "a power beyond 30"},
      {"10-30", 1e-30, 0, ""},     {"10-31", 0, 0, "a power beyond 30"},
      {"100^15", 1e30, 0, ""},     {"100^16", 0, 0, "a power of ten out of range"},
      {"100^-15", 1e-30, 0, ""},   {"100^-16", 0, 0, "a power of ten out of range"},
      {"1e15^2", 1e30, 0, ""},     {"1e-16^2", 0, 0, "a power of ten out of range"},
      {"10e29", 1e30, 0, ""},      {"10e30", 0, 0, "a power of ten out of range"},
      {"10e29^-1", 1e-30, 0, ""},  {"10e30^-1", 0, 0, "a power of ten out of range"},
      {"m^9", 1, 9, ""},           {"m^10", 0, 0, "a power beyond 9"},
      {"m^-9", 1, -9, ""},         {"m^-10", 0, 0, "a power beyond 9"},
      {"(m)^9", 1, 9, ""},         {"(m)^-10", 0, 0, "a power beyond 9"},
      {"mm^-9", 1e27, -9, ""},     {"mm-10", 0, 0, "a power beyond 9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit);
    Unit unit;
    std::string error;
    bool read = readUnitText(c.unit, unit, error);
    EXPECT_EQ(read, c.inSi != 0) << error;
    if (c.inSi == 0) {
      EXPECT_NE(error.find(c.problem), std::string::npos) << error;
      continue;
    }
    EXPECT_DOUBLE_EQ(unit.inSi, c.inSi);
    EXPECT_EQ(unit.dimension.length, c.length);
  }
}

ValueText valueOf(const std::string& text) {
  ValueText value;
  std::string error;
  EXPECT_TRUE(readValueText(text, value, error)) << text << ": " << error;
  return value;
}

std::string valueErrorOf(const std::string& text) {
  ValueText value;
  std::string error;
  EXPECT_FALSE(readValueText(text, value, error)) << text;
  return error;
}

TEST(ValueText, NumberThenUnitWithBlanksOrNone) {
  ValueText value = valueOf("  7800 kg/m^3 ");
  EXPECT_EQ(value.number, 7800);
  EXPECT_EQ(value.unit, "kg/m^3");
  EXPECT_FALSE(value.decimalComma);
  EXPECT_EQ(valueOf("7800kg/m^3").unit, "kg/m^3");
  EXPECT_EQ(valueOf("1.2e-5 1/K").number, 1.2e-5);
  EXPECT_EQ(valueOf("1.2e-5 1/K").unit, "1/K");
  EXPECT_EQ(valueOf("12 10^-6/K").unit, "10^-6/K");
  EXPECT_EQ(valueOf("12\xC2\xA0" "10\xE2\x81\xBB\xE2\x81\xB6/K").number, 12);
  EXPECT_EQ(valueOf("2e").unit, "e");
  EXPECT_EQ(valueOf("-.5").number, -0.5);
  EXPECT_EQ(valueOf("0.3").unit, "");
}

// A thousands separator groups three digits after one to three leading ones
// that are not all zero; anything else with a comma is a decimal comma.
TEST(ValueText, DecimalCommaWhereItCannotBeAThousandsSeparator) {
  for (const auto& [text, number] : std::vector<std::pair<std::string, double>>{
           {"1200,00 kg/m^3", 1200}, {"0,300", 0.3}, {"7,5", 7.5}, {"1,2345", 1.2345},
           {"1234,567", 1234.567}, {"1,200e3", 1200}, {",5", 0.5}}) {
    ValueText value = valueOf(text);
    EXPECT_EQ(value.number, number) << text;
    EXPECT_TRUE(value.decimalComma) << text;
  }
  EXPECT_EQ(valueOf("1200,00 kg/m^3").numberText, "1200.00");
  EXPECT_EQ(valueErrorOf("1,200 kg/m^3"),
            "ambiguous: 1200 with a thousands separator or 1.200 with a decimal comma; write it "
            "without the comma or with a decimal point");
  EXPECT_NE(valueErrorOf("-7,850").find("ambiguous"), std::string::npos);
  for (const char* text : {"1,200,000", "1.200,5", "1.5.3"}) {
    EXPECT_NE(valueErrorOf(text).find("without thousands separators"), std::string::npos) << text;
  }
}

// Not 7 times a unit of 100 kg/m^3.
TEST(ValueText, DigitsGroupedByBlanksAreAnError) {
  for (const char* text : {"7 100 kg/m^3", "7\xC2\xA0" "100 kg/m^3", "7\xE2\x80\xAF" "100",
                           "1.2 100 GPa", "1 100 J/kg/K", "7 10 kg/m^3", "7 1000"}) {
    EXPECT_NE(valueErrorOf(text).find("digits grouped by blanks"), std::string::npos) << text;
  }
}

TEST(ValueText, NoNumberOrOneBeyondRangeIsAnError) {
  for (const char* text : {"", "  ", "kg", "-", ".", "e5", "inf", "nan"}) {
    EXPECT_EQ(valueErrorOf(text), "not a number") << text;
  }
  EXPECT_EQ(valueErrorOf("1e999 MPa"), "beyond the range of a number");
  // 0 is the value of a field left empty, never what a number too small becomes.
  EXPECT_NE(valueErrorOf("1e-400").find("below the range of a number"), std::string::npos);
  EXPECT_EQ(valueOf("0.0e-400").number, 0);
  double stored = 0;
  std::string error;
  EXPECT_FALSE(storedNumber(1e-300, 1e-30, stored, error));
  EXPECT_NE(error.find("below the range of a number"), std::string::npos);
  // A number in range whose unit carries it past the largest one, and the largest itself.
  EXPECT_FALSE(storedNumber(1e300, 1e30, stored, error));
  EXPECT_NE(error.find("beyond the range of a number"), std::string::npos);
  EXPECT_TRUE(storedNumber(std::numeric_limits<double>::max(), 1, stored, error));
  EXPECT_TRUE(std::isfinite(stored));
}

}  // namespace
