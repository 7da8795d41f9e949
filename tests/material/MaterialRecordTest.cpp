#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Material.h"
#include "MaterialProperty.h"

namespace {

class MaterialRecord : public ::testing::Test {
 protected:
  void SetUp() override { record.makeEmpty(); }
  void TearDown() override { record.freeStrings(); }
  Material record;
};

TEST_F(MaterialRecord, FreshRecordHasNoTextsAndZeroNumbers) {
  EXPECT_EQ(record.name, nullptr);
  EXPECT_EQ(record.errorText, nullptr);
  for (int position = 0; position < kPropertyCount; ++position) {
    EXPECT_EQ(propertyValue(record, propertyAt(position)), 0.0) << position;
  }
}

TEST_F(MaterialRecord, DensityZeroAndNegativeZeroAreRejectedAndFieldKept) {
  ASSERT_EQ(record.setDensity(7.85), 1);
  EXPECT_EQ(record.setDensity(0.0), 0);
  EXPECT_STREQ(record.errorText, "Density must be > 0");
  EXPECT_EQ(record.setDensity(-0.0), 0);
  EXPECT_EQ(record.density, 7.85);
}

TEST_F(MaterialRecord, SettersWithNonNegativeRuleAcceptZeroAndRejectNegatives) {
  struct Case {
    MaterialProperty property;
    const char* message;
  };
  const Case cases[] = {
      {MaterialProperty::PoissonRatio, "Poisson ratio must be >= 0"},
      {MaterialProperty::YieldStrength, "Yield strength must be >= 0"},
      {MaterialProperty::TensileStrength, "Tensile strength must be >= 0"},
      {MaterialProperty::ThermalConductivity, "Thermal conductivity must be >= 0"},
      {MaterialProperty::LinearExpansion, "Linear expansion must be >= 0"},
      {MaterialProperty::YoungModulus, "Young modul must be >= 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(propertyName(c.property));
    ASSERT_EQ(setPropertyValue(record, c.property, 5.0), 1);
    EXPECT_EQ(setPropertyValue(record, c.property, -1e-300), 0);
    EXPECT_STREQ(record.errorText, c.message);
    EXPECT_EQ(propertyValue(record, c.property), 5.0);
    EXPECT_EQ(setPropertyValue(record, c.property, 0.0), 1);
    EXPECT_EQ(setPropertyValue(record, c.property, -0.0), 1);
  }
}

// Each bound on both sides: the last value a setter takes and the first it
// refuses. Density's bound is open (0 refused, the least subnormal taken); the
// others are closed at 0; no property has an upper bound, so the largest
// finite double is taken everywhere and specific heat takes the lowest too.
TEST_F(MaterialRecord, EveryBoundTakesItsLimitAndRefusesTheNextValue) {
  const double tiny = std::numeric_limits<double>::denorm_min();
  const double lowest = std::numeric_limits<double>::lowest();
  const double largest = std::numeric_limits<double>::max();
  const double none = std::numeric_limits<double>::quiet_NaN();  // no value refused
  struct Case {
    MaterialProperty property;
    double lowestTaken;
    double highestRefused;
  };
  const Case cases[] = {
      {MaterialProperty::Density, tiny, 0.0},
      {MaterialProperty::YoungModulus, 0.0, -tiny},
      {MaterialProperty::PoissonRatio, 0.0, -tiny},
      {MaterialProperty::YieldStrength, 0.0, -tiny},
      {MaterialProperty::TensileStrength, 0.0, -tiny},
      {MaterialProperty::ThermalConductivity, 0.0, -tiny},
      {MaterialProperty::LinearExpansion, 0.0, -tiny},
      {MaterialProperty::SpecificHeat, lowest, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(propertyName(c.property));
    record.setErrorText(nullptr);
    EXPECT_EQ(setPropertyValue(record, c.property, c.lowestTaken), 1);
    EXPECT_EQ(propertyValue(record, c.property), c.lowestTaken);
    EXPECT_EQ(setPropertyValue(record, c.property, largest), 1);
    EXPECT_EQ(propertyValue(record, c.property), largest);
    EXPECT_EQ(record.errorText, nullptr);
    if (std::isnan(c.highestRefused)) continue;
    EXPECT_EQ(setPropertyValue(record, c.property, c.highestRefused), 0);
    EXPECT_NE(record.errorText, nullptr);
    EXPECT_EQ(propertyValue(record, c.property), largest);
    EXPECT_EQ(setPropertyValue(record, c.property, lowest), 0);
  }
}

TEST_F(MaterialRecord, SpecificHeatTakesAnyValue) {
  EXPECT_EQ(record.setSpecificHeat(-460.0), 1);
  EXPECT_EQ(record.specificHeat, -460.0);
  EXPECT_EQ(record.errorText, nullptr);
}

TEST_F(MaterialRecord, NotANumberPassesEveryTest) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(record.setDensity(nan), 1);
  EXPECT_EQ(record.setYoungModulus(nan), 1);
  EXPECT_TRUE(std::isnan(record.youngModulus));
}

TEST_F(MaterialRecord, NameAbsentOrEmptyIsRejectedAndNameKept) {
  ASSERT_EQ(record.setName("Steel"), 1);
  EXPECT_EQ(record.setName(nullptr), 0);
  EXPECT_STREQ(record.errorText, "Name cannot be blank.");
  EXPECT_EQ(record.setName(""), 0);
  EXPECT_STREQ(record.errorText, "Name cannot be blank.");
  EXPECT_STREQ(record.name, "Steel");
}

TEST_F(MaterialRecord, NameIsStoredAsOwnCopyWithoutTrimming) {
  char text[] = "  Brass %s ";
  ASSERT_EQ(record.setName(text), 1);
  text[0] = 'X';
  EXPECT_STREQ(record.name, "  Brass %s ");
}

TEST_F(MaterialRecord, SuccessfulSetKeepsEarlierErrorText) {
  record.setDensity(-1.0);
  EXPECT_EQ(record.setPoissonRatio(0.3), 1);
  EXPECT_EQ(record.setName("Copper"), 1);
  EXPECT_STREQ(record.errorText, "Density must be > 0");
}

TEST_F(MaterialRecord, SetErrorTextCopiesAndClears) {
  record.setErrorText("first");
  EXPECT_STREQ(record.errorText, "first");
  record.setErrorText(nullptr);
  EXPECT_EQ(record.errorText, nullptr);
}

class MaterialCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    source.makeEmpty();
    destination.makeEmpty();
  }
  void TearDown() override {
    source.freeStrings();
    destination.freeStrings();
  }
  Material source;
  Material destination;
};

TEST_F(MaterialCopy, CopiesNameAndAllNumbersButNotErrorText) {
  source.setName("Titanium");
  for (int position = 0; position < kPropertyCount; ++position) {
    setPropertyValue(source, propertyAt(position), position + 1.5);
  }
  source.setErrorText("source error");
  EXPECT_EQ(destination.copyFrom(source), 1);
  EXPECT_STREQ(destination.name, "Titanium");
  EXPECT_NE(destination.name, source.name);
  for (int position = 0; position < kPropertyCount; ++position) {
    EXPECT_EQ(propertyValue(destination, propertyAt(position)), position + 1.5);
  }
  EXPECT_EQ(destination.errorText, nullptr);
}

TEST_F(MaterialCopy, AbsentNameKeepsDestinationNameAndStillCopiesNumbers) {
  destination.setName("Old");
  source.setDensity(2.7);
  source.setYoungModulus(70.0);
  EXPECT_EQ(destination.copyFrom(source), 1);
  EXPECT_STREQ(destination.name, "Old");
  EXPECT_EQ(destination.density, 2.7);
  EXPECT_STREQ(destination.errorText, "Name cannot be blank.");
}

TEST_F(MaterialCopy, ErrorTextIsThatOfTheLastFailingSetterInDeclaredOrder) {
  source.setName("Bad");
  // A fresh record's density of 0 fails setDensity; the others then pass.
  source.setYoungModulus(1.0);
  EXPECT_EQ(destination.copyFrom(source), 1);
  EXPECT_STREQ(destination.errorText, "Density must be > 0");
}

TEST_F(MaterialCopy, ResultIsThatOfYoungModulusAlone) {
  source.setName("X");
  source.setDensity(1.0);
  source.youngModulus = -3.0;  // only a file or an old record could hold this
  EXPECT_EQ(destination.copyFrom(source), 0);
  EXPECT_STREQ(destination.errorText, "Young modul must be >= 0");
}

TEST(MaterialAllocation, CreateAndReleaseHandleNull) {
  Material* material = createMaterial();
  ASSERT_NE(material, nullptr);
  EXPECT_EQ(material->name, nullptr);
  material->setName("A");
  releaseMaterial(material);
  releaseMaterial(nullptr);
}

}  // namespace
