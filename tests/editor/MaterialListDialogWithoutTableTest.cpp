// Linked without a string table: every text of the dialogs is its built-in
// default, which differs from the table for some.
#include <gtest/gtest.h>

#include "FakeDialogRunner.h"
#include "MaterialListDialog.h"

namespace {

int failingSave(const MaterialNode*, const char*) { return 0; }

TEST(ListDialogWithoutTable, ShowsTheBuiltInTitlesAndCaptions) {
  FakeDialogRunner dialogs;
  MaterialListDialog dialog(dialogs, failingSave);
  FakeDialogControls controls = listDialogControls();
  FakeListView list;
  list.reportTo(dialog);
  dialog.materials = createNode();
  Material* steel = createMaterial();
  steel->setName("steel");
  append(dialog.materials, steel);
  dialog.onInitDialog(controls, list);

  std::vector<std::string> titles;
  for (const FakeColumn& column : list.columns) titles.push_back(column.title);
  EXPECT_EQ(titles, (std::vector<std::string>{"Name", "Density", "Yound Modul", "Poisson ratio",
                                              "Yield Strength", "Tensile Strength",
                                              "Thermal Conductivity", "Linear Expansion",
                                              "Specific Heat"}));

  list.clickRow(0);
  controls.answers = {MessageBoxAnswer::kNo, MessageBoxAnswer::kNo};
  dialog.onDelete();
  dialog.onDeleteAll();
  dialog.onOk();
  ASSERT_EQ(controls.messageBoxes.size(), 3u);
  EXPECT_EQ(controls.messageBoxes[0].caption, "Delete Item");
  EXPECT_EQ(controls.messageBoxes[1].caption, "Delete Item");
  EXPECT_EQ(controls.messageBoxes[2].text, "Cannot save file");
  EXPECT_EQ(controls.messageBoxes[2].caption, "Error");
  releaseList(dialog.materials);
}

}  // namespace
