#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "FakeDialogRunner.h"
#include "MaterialDataDialog.h"
#include "MaterialDataDialogIds.h"

namespace {

// Name, then the eight numbers in presentation order.
const int kFields[] = {IDC_DATA_NAME,           IDC_DATA_DENSITY,
                       IDC_DATA_YOUNG_MODULUS,  IDC_DATA_POISSON_RATIO,
                       IDC_DATA_YIELD_STRENGTH, IDC_DATA_TENSILE_STRENGTH,
                       IDC_DATA_THERMAL_CONDUCTIVITY, IDC_DATA_LINEAR_EXPANSION,
                       IDC_DATA_SPECIFIC_HEAT};

std::vector<std::string> shownFields(const FakeDialogControls& controls) {
  std::vector<std::string> texts;
  for (int id : kFields) texts.push_back(controls.text(id));
  return texts;
}

// A record as the list holds it: steel with all eight numbers.
struct SteelRecord {
  SteelRecord() {
    record.makeEmpty();
    record.setName("Steel");
    record.setDensity(7.85);
    record.setYoungModulus(210);
    record.setPoissonRatio(0.3);
    record.setYieldStrength(235);
    record.setTensileStrength(360);
    record.setThermalConductivity(50);
    record.setLinearExpansion(1.2);
    record.setSpecificHeat(460);
  }
  ~SteelRecord() { record.freeStrings(); }
  Material record;
};

void expectSteelUnchanged(const Material& record) {
  EXPECT_STREQ(record.name, "Steel");
  EXPECT_EQ(record.density, 7.85);
  EXPECT_EQ(record.youngModulus, 210);
  EXPECT_EQ(record.poissonRatio, 0.3);
  EXPECT_EQ(record.yieldStrength, 235);
  EXPECT_EQ(record.tensileStrength, 360);
  EXPECT_EQ(record.thermalConductivity, 50);
  EXPECT_EQ(record.linearExpansion, 1.2);
  EXPECT_EQ(record.specificHeat, 460);
}

class CreateDialog : public ::testing::Test {
 protected:
  void SetUp() override { record.makeEmpty(); }
  void TearDown() override { record.freeStrings(); }
  bool run(FakeDialogRunner::DataDialogUser user) {
    dialogs.dataDialogUsers.push_back(std::move(user));
    return runCreateDialog(record, dialogs);
  }
  FakeDialogRunner dialogs;
  Material record;
};

TEST_F(CreateDialog, OpensEmptyWithItsTitleAndTheFocusOnTheName) {
  EXPECT_FALSE(run([](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    EXPECT_EQ(controls.title, "Create new material");
    EXPECT_EQ(shownFields(controls), std::vector<std::string>(9, ""));
    EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), "");
    EXPECT_EQ(controls.focusedId, IDC_DATA_NAME);
    dialog.onCancel();
  }));
  EXPECT_EQ(record.name, nullptr);
}

TEST_F(CreateDialog, OkAtOnceRejectsTheEmptyNameAndConvertsNothing) {
  EXPECT_FALSE(run([this](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    controls.type(IDC_DATA_DENSITY, "7.85");
    controls.focusControl(IDC_DATA_DENSITY);
    dialog.onOk();
    EXPECT_FALSE(controls.ended());
    EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), "Name cannot be blank.");
    EXPECT_EQ(controls.focusedId, IDC_DATA_NAME);
    EXPECT_EQ(record.density, 0);
    dialog.onCancel();
  }));
}

TEST_F(CreateDialog, ReportsOnlyTheFirstRejectionInStepOrderUntilAllNineAreStored) {
  struct Step {
    int control;
    const char* message;
    const char* correction;
  };
  // Every field but the specific heat, which takes any number, starts out
  // rejected; each OK reports the first one left, which is then corrected.
  const Step steps[] = {
      {IDC_DATA_NAME, "Name cannot be blank.", "Steel"},
      {IDC_DATA_DENSITY, "Density must be > 0", "7.85"},
      {IDC_DATA_POISSON_RATIO, "Poisson ratio must be >= 0", "0.3"},
      {IDC_DATA_TENSILE_STRENGTH, "Tensile strength must be >= 0", "360"},
      {IDC_DATA_YIELD_STRENGTH, "Yield strength must be >= 0", "235"},
      {IDC_DATA_LINEAR_EXPANSION, "Linear expansion must be >= 0", "1.2"},
      {IDC_DATA_THERMAL_CONDUCTIVITY, "Thermal conductivity must be >= 0", "50"},
      {IDC_DATA_YOUNG_MODULUS, "Young modul must be >= 0", "210"},
  };
  EXPECT_TRUE(run([&](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    controls.type(IDC_DATA_DENSITY, "0");
    for (int id : {IDC_DATA_YOUNG_MODULUS, IDC_DATA_POISSON_RATIO, IDC_DATA_YIELD_STRENGTH,
                   IDC_DATA_TENSILE_STRENGTH, IDC_DATA_THERMAL_CONDUCTIVITY,
                   IDC_DATA_LINEAR_EXPANSION})
      controls.type(id, "-1");
    controls.type(IDC_DATA_SPECIFIC_HEAT, "-5");
    for (const Step& step : steps) {
      dialog.onOk();
      ASSERT_FALSE(controls.ended());
      EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), step.message);
      EXPECT_EQ(controls.focusedId, step.control);
      controls.type(step.control, step.correction);
    }
    dialog.onOk();
    EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), "");
  }));
  EXPECT_STREQ(record.name, "Steel");
  EXPECT_EQ(record.density, 7.85);
  EXPECT_EQ(record.youngModulus, 210);
  EXPECT_EQ(record.specificHeat, -5);
}

TEST_F(CreateDialog, ARejectionLeavesTheEarlierStepsStoredAndTheLaterOnesUntouched) {
  EXPECT_FALSE(run([this](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    const std::vector<std::string> fields = {"Steel", "7.85", "210", "0.3", "-1",
                                             "360",   "50",   "1.2", "460"};
    for (std::size_t field = 0; field < fields.size(); ++field)
      controls.type(kFields[field], fields[field]);
    dialog.onOk();  // the yield strength is step 5
    EXPECT_EQ(controls.focusedId, IDC_DATA_YIELD_STRENGTH);
    EXPECT_STREQ(record.name, "Steel");
    EXPECT_EQ(record.density, 7.85);
    EXPECT_EQ(record.poissonRatio, 0.3);
    EXPECT_EQ(record.tensileStrength, 360);
    EXPECT_EQ(record.yieldStrength, 0);
    EXPECT_EQ(record.linearExpansion, 0);
    EXPECT_EQ(record.specificHeat, 0);
    EXPECT_EQ(record.thermalConductivity, 0);
    EXPECT_EQ(record.youngModulus, 0);
    dialog.onCancel();
  }));
  // Cancel after a failed attempt: the caller discards the record, which still
  // holds what the attempt stored.
  EXPECT_STREQ(record.name, "Steel");
}

TEST_F(CreateDialog, NumbersReadAsTheCRuntimeReadsThem) {
  EXPECT_TRUE(run(typesAndPressesOk(
      {" x", "  7.85 g/cm^3", "", "abc", "+235", "3.6e2MPa", "\t50", "-0", "-4.5e-3"})));
  EXPECT_STREQ(record.name, " x");  // names are stored as typed
  EXPECT_EQ(record.density, 7.85);
  EXPECT_EQ(record.youngModulus, 0);
  EXPECT_EQ(record.poissonRatio, 0);
  EXPECT_EQ(record.yieldStrength, 235);
  EXPECT_EQ(record.tensileStrength, 360);
  EXPECT_EQ(record.thermalConductivity, 50);
  EXPECT_EQ(record.linearExpansion, 0);
  EXPECT_EQ(record.specificHeat, -4.5e-3);
}

TEST_F(CreateDialog, DensityWithoutANumberIsZeroAndRejected) {
  EXPECT_FALSE(run([](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    controls.type(IDC_DATA_NAME, "Steel");
    controls.type(IDC_DATA_DENSITY, "heavy");
    dialog.onOk();
    EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), "Density must be > 0");
    EXPECT_EQ(controls.focusedId, IDC_DATA_DENSITY);
    dialog.onCancel();
  }));
}

TEST_F(CreateDialog, ANumberBeyondTheRangeOfADoubleIsStoredAsTheLargestFinite) {
  EXPECT_TRUE(run(typesAndPressesOk({"Dense", "1e999", "0", "0", "0", "0", "0", "0", "-1e999"})));
  EXPECT_EQ(record.density, DBL_MAX);
  EXPECT_EQ(record.specificHeat, -DBL_MAX);
}

TEST_F(CreateDialog, FieldTextsThatCannotBeCopiedStoreNothingAndKeepTheDialogOpen) {
  EXPECT_FALSE(run([this](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    controls.type(IDC_DATA_NAME, "Steel");
    controls.textCopiesBeforeFailure = 4;
    dialog.onOk();
    EXPECT_FALSE(controls.ended());
    EXPECT_EQ(record.name, nullptr);
    dialog.onCancel();
  }));
}

class EditDialog : public ::testing::Test {
 protected:
  bool run(FakeDialogRunner::DataDialogUser user) {
    dialogs.dataDialogUsers.push_back(std::move(user));
    return runEditDialog(steel.record, dialogs);
  }
  FakeDialogRunner dialogs;
  SteelRecord steel;
};

TEST_F(EditDialog, ShowsTheRecordWithSixSignificantDigits) {
  steel.record.setYoungModulus(2.1e11);
  steel.record.setDensity(7.856789);
  steel.record.setLinearExpansion(1e-5);
  EXPECT_TRUE(run([](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    EXPECT_EQ(controls.title, "Edit material");
    EXPECT_EQ(shownFields(controls),
              (std::vector<std::string>{"Steel", "7.85679", "2.1e+011", "0.3", "235", "360", "50",
                                        "1e-005", "460"}));
    EXPECT_EQ(controls.focusedId, IDC_DATA_NAME);
    dialog.onOk();
  }));
  // An OK without change stores what was shown.
  EXPECT_EQ(steel.record.density, 7.85679);
  EXPECT_EQ(steel.record.youngModulus, 2.1e11);
  EXPECT_EQ(steel.record.linearExpansion, 1e-5);
}

TEST_F(EditDialog, WorksOnACopyThatReachesTheRecordOnlyWithOk) {
  EXPECT_TRUE(run([this](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    controls.type(IDC_DATA_NAME, "Stainless steel");
    controls.type(IDC_DATA_DENSITY, "8");
    controls.type(IDC_DATA_POISSON_RATIO, "-1");
    dialog.onOk();
    EXPECT_STREQ(steel.record.name, "Steel");
    EXPECT_EQ(steel.record.density, 7.85);
    controls.type(IDC_DATA_POISSON_RATIO, "0.29");
    dialog.onOk();
  }));
  EXPECT_STREQ(steel.record.name, "Stainless steel");
  EXPECT_EQ(steel.record.density, 8);
  EXPECT_EQ(steel.record.poissonRatio, 0.29);
  EXPECT_EQ(steel.record.youngModulus, 210);
}

TEST_F(EditDialog, CancelAfterFailedAttemptsLeavesTheRecordAsItWas) {
  EXPECT_FALSE(run([](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    controls.type(IDC_DATA_NAME, "Renamed");
    controls.type(IDC_DATA_DENSITY, "9");
    controls.type(IDC_DATA_YOUNG_MODULUS, "-3");
    dialog.onOk();
    EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), "Young modul must be >= 0");
    controls.type(IDC_DATA_NAME, "");
    dialog.onOk();
    EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), "Name cannot be blank.");
    dialog.onCancel();
  }));
  expectSteelUnchanged(steel.record);
  EXPECT_EQ(steel.record.errorText, nullptr);
}

TEST_F(EditDialog, ARecordWithoutANameOpensEmptyAndNeedsEveryField) {
  Material unnamed;
  unnamed.makeEmpty();
  unnamed.setDensity(2.7);
  dialogs.dataDialogUsers.push_back([](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    EXPECT_EQ(shownFields(controls), std::vector<std::string>(9, ""));
    dialog.onOk();
    EXPECT_EQ(controls.text(IDC_DATA_MESSAGE_LINE), "Name cannot be blank.");
    dialog.onCancel();
  });
  EXPECT_FALSE(runEditDialog(unnamed, dialogs));
  EXPECT_EQ(unnamed.name, nullptr);
  EXPECT_EQ(unnamed.density, 2.7);
  unnamed.freeStrings();
}

}  // namespace
