#include "FakeDialogRunner.h"

#include <gtest/gtest.h>

#include "MaterialDataDialog.h"
#include "MaterialDataDialogIds.h"
#include "MaterialListDialog.h"

bool FakeDialogRunner::runModal(MaterialListDialog& dialog) {
  FakeDialogControls controls = listDialogControls();
  FakeListView list;
  list.reportTo(dialog);
  dialog.onInitDialog(controls, list);
  if (listDialogUsers.empty()) {
    ADD_FAILURE() << "a list dialog opened that no user expected";
    return false;
  }
  ListDialogUser user = std::move(listDialogUsers.front());
  listDialogUsers.pop_front();
  user(dialog, controls, list);
  EXPECT_TRUE(controls.ended()) << "the user left the list dialog open";
  return controls.result == DialogResult::Ok;
}

bool FakeDialogRunner::runModal(MaterialDataDialog& dialog) {
  ++dataDialogsShown;
  FakeDialogControls controls = dataDialogControls();
  dialog.onInitDialog(controls);
  if (dataDialogUsers.empty()) {
    ADD_FAILURE() << "a data dialog opened that no user expected";
    return false;
  }
  DataDialogUser user = std::move(dataDialogUsers.front());
  dataDialogUsers.pop_front();
  user(dialog, controls);
  EXPECT_TRUE(controls.ended()) << "the user left the data dialog open";
  return controls.result == DialogResult::Ok;
}

FakeDialogRunner::DataDialogUser typesAndPressesOk(const std::vector<std::string>& fields) {
  return [fields](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    static const int kFieldControls[] = {
        IDC_DATA_NAME,           IDC_DATA_DENSITY,          IDC_DATA_YOUNG_MODULUS,
        IDC_DATA_POISSON_RATIO,  IDC_DATA_YIELD_STRENGTH,   IDC_DATA_TENSILE_STRENGTH,
        IDC_DATA_THERMAL_CONDUCTIVITY, IDC_DATA_LINEAR_EXPANSION, IDC_DATA_SPECIFIC_HEAT};
    ASSERT_EQ(fields.size(), 9u);
    for (std::size_t field = 0; field < fields.size(); ++field)
      controls.type(kFieldControls[field], fields[field]);
    dialog.onOk();
  };
}

FakeDialogRunner::DataDialogUser pressesCancel() {
  return [](MaterialDataDialog& dialog, FakeDialogControls&) { dialog.onCancel(); };
}
