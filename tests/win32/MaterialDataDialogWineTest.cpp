// The material data dialog on its real template and controls.
#include <windows.h>

#include <clocale>

#include "DialogSession.h"
#include "MaterialDataDialog.h"
#include "MaterialDataDialogIds.h"

namespace {

class DataDialogWine : public ::testing::Test {
 protected:
  void SetUp() override { record.makeEmpty(); }
  void TearDown() override { record.freeStrings(); }
  bool create() { return driven([this] { return runCreateDialog(record, dialogs); }); }
  bool edit() { return driven([this] { return runEditDialog(record, dialogs); }); }
  template <typename Run>
  bool driven(Run run) {
    driver.start();
    bool ok = run();
    driver.stop();
    EXPECT_TRUE(driver.succeeded()) << "step " << driver.failedLine() << ": " << driver.failure();
    return ok;
  }
  void fillSteel() {
    record.setName("Steel");
    record.setDensity(7.856789);
    record.setYoungModulus(2.1e11);
    record.setPoissonRatio(0.3);
    record.setYieldStrength(235);
    record.setTensileStrength(360);
    record.setThermalConductivity(50);
    record.setLinearExpansion(1.2e-5);
    record.setSpecificHeat(-460);
  }

  Material record;
  Win32DialogRunner dialogs;
  DialogDriver driver;
};

TEST_F(DataDialogWine, OpensWithTheFocusOnTheNameAndTabsInTemplateOrder) {
  driver.expectWindow("Create new material");
  driver.expectFocus(IDC_DATA_NAME);
  for (int id : {IDC_DATA_DENSITY, IDC_DATA_YOUNG_MODULUS, IDC_DATA_POISSON_RATIO,
                 IDC_DATA_YIELD_STRENGTH, IDC_DATA_TENSILE_STRENGTH, IDC_DATA_THERMAL_CONDUCTIVITY,
                 IDC_DATA_LINEAR_EXPANSION, IDC_DATA_SPECIFIC_HEAT, IDOK, IDCANCEL, IDC_DATA_NAME}) {
    driver.key("Tab");
    driver.expectFocus(id);
  }
  driver.key("Escape");
  EXPECT_FALSE(create());
}

TEST_F(DataDialogWine, CreateStoresWhatIsTypedWhenOkFindsEveryFieldAcceptable) {
  driver.set(IDC_DATA_NAME, "Titanium Grade 2");
  driver.set(IDC_DATA_DENSITY, "4.51");
  driver.set(IDC_DATA_YOUNG_MODULUS, "105 GPa");
  driver.set(IDC_DATA_POISSON_RATIO, "  0.37");
  driver.set(IDC_DATA_YIELD_STRENGTH, "275");
  driver.set(IDC_DATA_TENSILE_STRENGTH, "345");
  driver.set(IDC_DATA_THERMAL_CONDUCTIVITY, "");
  driver.set(IDC_DATA_LINEAR_EXPANSION, "0.86");
  driver.set(IDC_DATA_SPECIFIC_HEAT, "523");
  driver.press("OK");
  EXPECT_TRUE(create());
  EXPECT_STREQ(record.name, "Titanium Grade 2");
  EXPECT_EQ(record.density, 4.51);
  EXPECT_EQ(record.youngModulus, 105);
  EXPECT_EQ(record.poissonRatio, 0.37);
  EXPECT_EQ(record.thermalConductivity, 0);
  EXPECT_EQ(record.specificHeat, 523);
}

TEST_F(DataDialogWine, EditShowsSixSignificantDigitsAndEnterStoresWhatWasShown) {
  fillSteel();
  driver.expectWindow("Edit material");
  driver.expectText(IDC_DATA_NAME, "Steel");
  driver.expectText(IDC_DATA_DENSITY, "7.85679");
  driver.expectText(IDC_DATA_YOUNG_MODULUS, "2.1e+011");
  driver.expectText(IDC_DATA_LINEAR_EXPANSION, "1.2e-005");
  driver.expectText(IDC_DATA_SPECIFIC_HEAT, "-460");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "");
  driver.key("Enter");
  EXPECT_TRUE(edit());
  EXPECT_EQ(record.density, 7.85679);
  EXPECT_EQ(record.youngModulus, 2.1e11);
}

TEST_F(DataDialogWine, EditCancelledAfterFailedOksLeavesTheRecordAsItWas) {
  fillSteel();
  driver.set(IDC_DATA_NAME, "Renamed");
  driver.set(IDC_DATA_POISSON_RATIO, "-1");
  driver.set(IDC_DATA_YOUNG_MODULUS, "-1");
  driver.press("OK");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "Poisson ratio must be >= 0");
  driver.expectFocus(IDC_DATA_POISSON_RATIO);
  driver.set(IDC_DATA_POISSON_RATIO, "0.3");
  driver.press("OK");
  driver.expectText(IDC_DATA_MESSAGE_LINE, "Young modul must be >= 0");
  driver.expectFocus(IDC_DATA_YOUNG_MODULUS);
  driver.press("Cancel");
  EXPECT_FALSE(edit());
  EXPECT_STREQ(record.name, "Steel");
  EXPECT_EQ(record.density, 7.856789);
  EXPECT_EQ(record.youngModulus, 2.1e11);
}

TEST_F(DataDialogWine, NumbersReadAndShowTheSameUnderALocaleWithADecimalComma) {
  const char* before = std::setlocale(LC_ALL, nullptr);
  std::string restore = before != nullptr ? before : "C";
  if (std::setlocale(LC_ALL, "German_Germany.1252") == nullptr) GTEST_SKIP() << "no German locale";
  record.setName("Steel");
  record.setDensity(7.85);
  driver.expectText(IDC_DATA_DENSITY, "7.85");
  driver.set(IDC_DATA_POISSON_RATIO, "0.29");
  driver.press("OK");
  bool ok = edit();
  std::setlocale(LC_ALL, restore.c_str());
  EXPECT_TRUE(ok);
  EXPECT_EQ(record.poissonRatio, 0.29);
}

}  // namespace
