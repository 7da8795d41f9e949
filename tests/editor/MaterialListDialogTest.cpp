#include <gtest/gtest.h>

#include <malloc.h>
#include <strings.h>

#include <cctype>
#include <cstring>
#include <string>

#include "FakeDialogRunner.h"
#include "MaterialDataDialog.h"
#include "MaterialDataDialogIds.h"
#include "MaterialListDialog.h"
#include "MaterialListDialogIds.h"
#include "MaterialListDialogPeer.h"
#include "TestMaterials.h"

namespace {

// What the dialog handed to the save, and what the save answers.
struct SaveLog {
  int calls = 0;
  std::string list;  // as describeNames writes it
  std::string path;
  int result = 1;
};
SaveLog saveLog;

int recordingSave(const MaterialNode* head, const char* path) {
  ++saveLog.calls;
  saveLog.list = describeNames(head);
  saveLog.path = path != nullptr ? path : "(absent)";
  return saveLog.result;
}

const std::string kSteelRow = "steel\t7.85\t200\t0.3\t250\t400\t50\t1.2\t460";
const std::string kAluminiumRow = "Aluminium\t2.7\t200\t0.3\t250\t400\t50\t1.2\t460";
const std::string kBrassRow = "brass\t8.5\t200\t0.3\t250\t400\t50\t1.2\t460";

class ListDialog : public ::testing::Test {
 protected:
  void SetUp() override { saveLog = SaveLog(); }
  void TearDown() override { releaseList(dialog.materials); }

  // The chain steel, Aluminium, brass: node 0 is not the top row on screen.
  void openWithThree() {
    MaterialList head = createNode();
    append(head, makeMaterial("steel", 7.85));
    append(head, makeMaterial("Aluminium", 2.7));
    append(head, makeMaterial("brass", 8.5));
    open(head);
  }
  void open(MaterialList head) {
    dialog.filePath = "C:\\data\\zodo.mat";
    dialog.materials = head;
    list.reportTo(dialog);
    dialog.onInitDialog(controls, list);
  }
  void click(const std::string& name) {
    int row = list.findRow(name);
    ASSERT_GE(row, 0) << "no row " << name;
    list.clickRow(row);
  }
  std::string selectedName() const {
    int row = list.selectedRow();
    return row >= 0 ? list.rows[static_cast<std::size_t>(row)].text : "(none)";
  }

  FakeDialogRunner dialogs;
  MaterialListDialog dialog{dialogs, recordingSave};
  MaterialListDialogPeer peer{dialog};
  FakeDialogControls controls = listDialogControls();
  FakeListView list;
};

const std::vector<std::string> kStandardFields = {"Copper", "8.96", "120", "0.34", "70",
                                                  "220",    "400",  "1.7", "385"};

TEST_F(ListDialog, OpensWithNineTitledColumnsThePathAnEmptyMessageLineAndTheFocusOnTheList) {
  openWithThree();
  ASSERT_EQ(list.columns.size(), 9u);
  const char* titles[] = {"Name",           "Density",          "Young Modul",
                          "Poisson Ratio",  "Yield Strength",   "Tensile Strength",
                          "Thermal Conductivity", "Linear Expansion", "Specific Heat"};
  const int widths[] = {120, 60, 80, 80, 80, 80, 80, 80, 80};
  for (int column = 0; column < 9; ++column) {
    EXPECT_EQ(list.columns[static_cast<std::size_t>(column)].column, column);
    EXPECT_EQ(list.columns[static_cast<std::size_t>(column)].title, titles[column]);
    EXPECT_EQ(list.columns[static_cast<std::size_t>(column)].width, widths[column]);
  }
  EXPECT_EQ(controls.text(IDC_LIST_FILE_PATH), "C:\\data\\zodo.mat");
  EXPECT_EQ(controls.text(IDC_LIST_MESSAGE_LINE), "");
  EXPECT_EQ(controls.focusedId, IDC_LIST_MATERIALS);
  EXPECT_EQ(peer.selectedNodeIndex(), -1);
}

TEST_F(ListDialog, WithoutAPathTheLabelKeepsItsTemplateText) {
  dialog.onInitDialog(controls, list);
  EXPECT_EQ(controls.text(IDC_LIST_FILE_PATH), "Static");
}

TEST_F(ListDialog, RowsStandInNameOrderAndCarryTheirNodeIndexCountingEmptyNodes) {
  MaterialList head = createNode();
  append(head, makeMaterial("steel", 7.85));
  append(head, makeMaterial("x", 1));
  removeAt(head, 1);  // leaves an empty node at index 1
  append(head, makeMaterial("Aluminium", 2.7));
  append(head, makeMaterial("brass", 8.5));
  append(head, makeMaterial("brass", 8.5));
  open(head);
  EXPECT_EQ(list.rowTexts(),
            (std::vector<std::string>{kAluminiumRow, kBrassRow, kBrassRow, kSteelRow}));
  EXPECT_EQ(list.itemData(), (std::vector<int>{2, 3, 4, 0}));
}

TEST_F(ListDialog, NumbersShowWithSixSignificantDigitsAndThreeDigitExponents) {
  MaterialList head = createNode();
  Material* record = makeMaterial("Tiny", 1.23456789);
  record->setYoungModulus(2.1e11);
  record->setLinearExpansion(1e-5);
  append(head, record);
  open(head);
  EXPECT_EQ(list.rowTexts(), (std::vector<std::string>{
                                 "Tiny\t1.23457\t2.1e+011\t0.3\t250\t400\t50\t1e-005\t460"}));
}

TEST_F(ListDialog, AnAbsentListShowsNoRowsAndOffersNothingToEditOrDelete) {
  open(nullptr);
  EXPECT_TRUE(list.rows.empty());
  dialog.onEdit();
  dialog.onDoubleClick();
  dialog.onDelete();
  dialog.onListKeyDown(0x2E);
  dialog.onDeleteAll();
  EXPECT_TRUE(controls.messageBoxes.empty());
  EXPECT_EQ(dialogs.dataDialogsShown, 0);
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 0);
  EXPECT_EQ(controls.result, DialogResult::Ok);
}

TEST_F(ListDialog, TheFirstInsertCreatesTheListWithTheMaterialInItsHead) {
  open(nullptr);
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  EXPECT_EQ(describeNames(dialog.materials), "Copper");
  EXPECT_EQ(list.rowTexts(),
            (std::vector<std::string>{"Copper\t8.96\t120\t0.34\t70\t220\t400\t1.7\t385"}));
  EXPECT_EQ(controls.focusedId, IDC_LIST_MATERIALS);
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 1);
  EXPECT_EQ(saveLog.list, "Copper");
  EXPECT_EQ(saveLog.path, "C:\\data\\zodo.mat");
}

TEST_F(ListDialog, InsertAppendsToTheChainShowsInNameOrderAndKeepsTheRememberedRow) {
  openWithThree();
  click("brass");
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass,Copper");
  EXPECT_EQ(list.rows[2].text, "Copper");
  EXPECT_EQ(list.rows[2].itemData, 3);
  EXPECT_EQ(selectedName(), "brass");
  EXPECT_EQ(peer.selectedNodeIndex(), 2);
}

TEST_F(ListDialog, InsertIntoAnEmptyHeadNodeFillsIt) {
  MaterialList head = createNode();
  append(head, makeMaterial("steel", 7.85));
  open(head);
  click("steel");
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDelete();
  ASSERT_EQ(describeNames(dialog.materials), "-");
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  EXPECT_EQ(dialog.materials, head);
  EXPECT_EQ(describeNames(dialog.materials), "Copper");
  EXPECT_EQ(list.itemData(), (std::vector<int>{0}));
}

TEST_F(ListDialog, InsertEndedWithCancelAfterFailedAttemptsAddsNothing) {
  openWithThree();
  dialogs.dataDialogUsers.push_back([](MaterialDataDialog& data, FakeDialogControls& fields) {
    fields.type(IDC_DATA_NAME, "Never");
    data.onOk();
    EXPECT_EQ(fields.text(IDC_DATA_MESSAGE_LINE), "Density must be > 0");
    data.onOk();
    data.onCancel();
  });
  dialog.onInsert();
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass");
  EXPECT_EQ(list.rows.size(), 3u);
}

TEST_F(ListDialog, TheRememberedRowSurvivesEveryRefillEvenWhenTheControlNotifiesDuringIt) {
  openWithThree();
  list.notifiesEveryChange = true;
  click("Aluminium");
  ASSERT_EQ(peer.selectedNodeIndex(), 1);
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  EXPECT_GT(list.notificationCount, 4);
  EXPECT_EQ(peer.selectedNodeIndex(), 1);
  EXPECT_EQ(selectedName(), "Aluminium");
  EXPECT_TRUE(list.rows[0].focused);
}

TEST_F(ListDialog, AClickOnTheEmptyAreaKeepsTheDeselectedRowRemembered) {
  openWithThree();
  click("brass");
  list.clickEmptyArea();
  EXPECT_EQ(list.selectedRow(), -1);
  EXPECT_EQ(peer.selectedNodeIndex(), 2);
  dialogs.dataDialogUsers.push_back([](MaterialDataDialog& data, FakeDialogControls& fields) {
    EXPECT_EQ(fields.text(IDC_DATA_NAME), "brass");
    data.onCancel();
  });
  dialog.onDoubleClick();
  EXPECT_EQ(dialogs.dataDialogsShown, 1);
}

TEST_F(ListDialog, EditChangesTheRememberedRowsRecordAndRebuildsTheRows) {
  openWithThree();
  click("steel");
  dialogs.dataDialogUsers.push_back([](MaterialDataDialog& data, FakeDialogControls& fields) {
    fields.type(IDC_DATA_NAME, "Carbon steel");
    fields.type(IDC_DATA_DENSITY, "7.87");
    data.onOk();
  });
  dialog.onEdit();
  EXPECT_EQ(describeNames(dialog.materials), "Carbon steel,Aluminium,brass");
  EXPECT_EQ(list.rows[2].text, "Carbon steel");
  EXPECT_EQ(list.cellText(2, 1), "7.87");
  EXPECT_EQ(selectedName(), "Carbon steel");
}

TEST_F(ListDialog, EditFollowedByCancelKeepsTheMaterialAndStillRebuildsTheRows) {
  openWithThree();
  click("brass");
  list.rows[0].text = "stale";  // gone once the rows are rebuilt
  dialogs.dataDialogUsers.push_back([](MaterialDataDialog& data, FakeDialogControls& fields) {
    fields.type(IDC_DATA_DENSITY, "-1");
    data.onOk();
    data.onCancel();
  });
  dialog.onEdit();
  EXPECT_EQ(list.rowTexts(), (std::vector<std::string>{kAluminiumRow, kBrassRow, kSteelRow}));
  EXPECT_EQ(dialog.materials->nextNode->nextNode->material->density, 8.5);
}

TEST_F(ListDialog, BehindTheDataDialogTheRowsShowTheStoredValuesNotTheFieldsBeingEdited) {
  openWithThree();
  click("brass");
  dialogs.dataDialogUsers.push_back([this](MaterialDataDialog& data, FakeDialogControls& fields) {
    fields.type(IDC_DATA_DENSITY, "9.9");
    fields.type(IDC_DATA_POISSON_RATIO, "-1");
    data.onOk();  // the density passes, the Poisson ratio stops it
    EXPECT_EQ(list.rowTexts(), (std::vector<std::string>{kAluminiumRow, kBrassRow, kSteelRow}));
    fields.type(IDC_DATA_POISSON_RATIO, "0.35");
    data.onOk();
  });
  dialog.onEdit();
  EXPECT_EQ(list.cellText(1, 1), "9.9");
  EXPECT_EQ(list.cellText(1, 3), "0.35");
}

TEST_F(ListDialog, CellTextsAreCutAsTheControlCutsItsOwnAndEmptyWhereNoMaterialIs) {
  MaterialList head = createNode();
  append(head, makeMaterial("Tiny", 1.23456789));
  append(head, makeMaterial("gone", 1));
  removeAt(head, 1);  // node 1 stays behind empty
  open(head);
  const int asked[][3] = {{0, 1, 4}, {0, 1, 1}, {-1, 1, 8}, {1, 1, 8}, {2, 1, 8}, {0, 0, 8}, {0, 9, 8}};
  const char* expected[] = {"1.2", "", "", "", "", "", ""};
  for (int i = 0; i < 7; ++i) {
    char text[8] = "x";
    dialog.onCellTextNeeded(asked[i][0], asked[i][1], text, asked[i][2]);
    EXPECT_STREQ(text, expected[i]) << i;
  }
}

// Freed memory filled with a pattern, where the C library offers it: a row
// that still led to a freed node would read garbage or crash when the control
// asks for its cells.
void fillFreedMemoryWith(int pattern) {
#ifdef M_PERTURB
  mallopt(M_PERTURB, pattern);
#else
  (void)pattern;
#endif
}

TEST_F(ListDialog, NoRowLeadsToAFreedRecordWhileDeleteAndDeleteAllChangeTheList) {
  fillFreedMemoryWith(0x5A);
  openWithThree();
  list.asksAtEveryCall = true;
  click("Aluminium");
  controls.answers = {MessageBoxAnswer::kYes, MessageBoxAnswer::kYes};
  dialog.onDelete();
  EXPECT_EQ(list.rowTexts(), (std::vector<std::string>{kBrassRow, kSteelRow}));
  dialog.onDeleteAll();
  EXPECT_TRUE(list.rows.empty());
  fillFreedMemoryWith(0);
}

TEST_F(ListDialog, DeleteAsksAndThenRemembersTheHeadOfTheChain) {
  openWithThree();
  click("Aluminium");
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDelete();
  ASSERT_EQ(controls.messageBoxes.size(), 1u);
  EXPECT_EQ(controls.messageBoxes[0].text, "Are you sure ?");
  EXPECT_EQ(controls.messageBoxes[0].caption, "Delete item");
  EXPECT_EQ(controls.messageBoxes[0].style, 0x124u);
  EXPECT_EQ(describeNames(dialog.materials), "steel,brass");
  EXPECT_EQ(peer.selectedNodeIndex(), 0);
  EXPECT_EQ(selectedName(), "steel");  // the chain's first, the last row on screen
  EXPECT_EQ(list.itemData(), (std::vector<int>{1, 0}));
}

TEST_F(ListDialog, DeleteAnsweredNoChangesNothing) {
  openWithThree();
  click("brass");
  controls.answers = {MessageBoxAnswer::kNo};
  dialog.onDelete();
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass");
  EXPECT_EQ(peer.selectedNodeIndex(), 2);
}

// The guard at its edge: one past the last node is no row to delete.
TEST_F(ListDialog, RememberedRowPastTheChainDeletesNothingAndAsksNothing) {
  openWithThree();
  peer.rememberRow(3);
  dialog.onDelete();
  EXPECT_TRUE(controls.messageBoxes.empty());
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass");
}

TEST_F(ListDialog, DeletingTheLastNodesMaterialLeavesAnEmptyNodeThatLaterRowsCountThrough) {
  openWithThree();
  click("brass");
  controls.answers = {MessageBoxAnswer::kYes, MessageBoxAnswer::kYes};
  dialog.onDelete();
  ASSERT_EQ(describeNames(dialog.materials), "steel,Aluminium,-");
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  ASSERT_EQ(describeNames(dialog.materials), "steel,Aluminium,-,Copper");
  EXPECT_EQ(list.itemData(), (std::vector<int>{1, 3, 0}));
  // The row the user picks leads to its node, past the empty one.
  click("Copper");
  EXPECT_EQ(peer.selectedNodeIndex(), 3);
  dialog.onDelete();
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,-,-");
}

TEST_F(ListDialog, DeletingTheOnlyMaterialLeavesAnEmptyHeadThatOkStillWrites) {
  MaterialList head = createNode();
  append(head, makeMaterial("steel", 7.85));
  open(head);
  click("steel");
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onListKeyDown(0x2E);
  EXPECT_TRUE(list.rows.empty());
  EXPECT_EQ(peer.selectedNodeIndex(), -1);
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 1);
  EXPECT_EQ(saveLog.list, "-");
}

TEST_F(ListDialog, TheInsertAndDeleteKeysActAsTheirButtonsAndOtherKeysDoNothing) {
  openWithThree();
  dialog.onListKeyDown(0x41);
  dialog.onListKeyDown(0x0D);
  EXPECT_EQ(dialogs.dataDialogsShown, 0);
  dialogs.dataDialogUsers.push_back(pressesCancel());
  dialog.onListKeyDown(0x2D);
  EXPECT_EQ(dialogs.dataDialogsShown, 1);
  click("steel");
  controls.answers = {MessageBoxAnswer::kNo};
  dialog.onListKeyDown(0x2E);
  EXPECT_EQ(controls.messageBoxes.size(), 1u);
}

TEST_F(ListDialog, DeleteAllAnsweredNoKeepsTheRowsButForgetsTheRememberedRow) {
  openWithThree();
  click("brass");
  controls.answers = {MessageBoxAnswer::kNo};
  dialog.onDeleteAll();
  ASSERT_EQ(controls.messageBoxes.size(), 1u);
  EXPECT_EQ(controls.messageBoxes[0].text, "Are you sure ?");
  EXPECT_EQ(controls.messageBoxes[0].caption, "Delete All Items");
  EXPECT_EQ(controls.messageBoxes[0].style, 0x124u);
  EXPECT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(selectedName(), "brass");
  EXPECT_EQ(peer.selectedNodeIndex(), -1);
  dialog.onEdit();
  dialog.onDoubleClick();
  dialog.onDelete();
  dialog.onListKeyDown(0x2E);
  EXPECT_EQ(dialogs.dataDialogsShown, 0);
  EXPECT_EQ(controls.messageBoxes.size(), 1u);
}

TEST_F(ListDialog, OkAfterAConfirmedDeleteAllWritesAFileWithoutMaterials) {
  openWithThree();
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDeleteAll();
  EXPECT_EQ(dialog.materials, nullptr);
  EXPECT_TRUE(list.rows.empty());
  EXPECT_EQ(peer.selectedNodeIndex(), -1);
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 1);
  EXPECT_EQ(saveLog.list, "absent");
  EXPECT_EQ(controls.result, DialogResult::Ok);
}

TEST_F(ListDialog, InsertAfterDeleteAllStartsANewListThatOkWrites) {
  openWithThree();
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDeleteAll();
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  dialog.onOk();
  EXPECT_EQ(saveLog.list, "Copper");
}

TEST_F(ListDialog, AFailedSaveSaysSoAndStaysOpenWithTheListAsItWas) {
  openWithThree();
  click("brass");
  saveLog.result = 0;
  dialog.onOk();
  ASSERT_EQ(controls.messageBoxes.size(), 1u);
  EXPECT_EQ(controls.messageBoxes[0].text, "Cannot save file.");
  EXPECT_EQ(controls.messageBoxes[0].caption, "Error");
  EXPECT_EQ(controls.messageBoxes[0].style, 0x10u);
  EXPECT_FALSE(controls.ended());
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass");
  EXPECT_EQ(list.rowTexts(), (std::vector<std::string>{kAluminiumRow, kBrassRow, kSteelRow}));
  EXPECT_EQ(peer.selectedNodeIndex(), 2);
  // The user fixes the cause and tries again.
  saveLog.result = 1;
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 2);
  EXPECT_EQ(controls.messageBoxes.size(), 1u);
  EXPECT_EQ(controls.result, DialogResult::Ok);
}

TEST_F(ListDialog, AFailedSaveAfterDeleteAllCanBeRetriedOrCancelled) {
  openWithThree();
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDeleteAll();
  saveLog.result = 0;
  dialog.onOk();
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 2);
  EXPECT_EQ(controls.messageBoxes.size(), 3u);
  dialog.onCancel();
  EXPECT_EQ(controls.result, DialogResult::Cancel);
}

// The file as another program may have left it: OK asks before it replaces
// a changed one, and only then.
struct FakeFileCheck final : FileChangeCheck {
  bool changedSinceRead() override {
    ++asked;
    return changed;
  }
  bool changed = false;
  int asked = 0;
};

TEST_F(ListDialog, OkReplacesAChangedFileOnlyWhenTheUserSaysYes) {
  FakeFileCheck file;
  dialog.fileChangeCheck = &file;
  openWithThree();
  dialog.onOk();
  EXPECT_TRUE(controls.messageBoxes.empty()) << "an unchanged file is saved unasked";
  EXPECT_EQ(saveLog.calls, 1);
  controls.result.reset();
  file.changed = true;
  // A question that could not be shown (no memory for the box) is no Yes.
  controls.answers = {0};
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 1);
  EXPECT_FALSE(controls.ended());
  controls.messageBoxes.clear();
  controls.answers = {MessageBoxAnswer::kNo, MessageBoxAnswer::kYes};
  dialog.onOk();
  ASSERT_EQ(controls.messageBoxes.size(), 1u);
  EXPECT_EQ(controls.messageBoxes[0].text,
            "The material file was changed by another program after it was opened. Replace it "
            "with this list?");
  EXPECT_EQ(controls.messageBoxes[0].caption, "File changed");
  EXPECT_EQ(controls.messageBoxes[0].style, 0x124u) << "Yes and No, No the default";
  EXPECT_EQ(saveLog.calls, 1);
  EXPECT_FALSE(controls.ended()) << "No keeps every change in the open dialog";
  EXPECT_EQ(describeNames(dialog.materials), "steel,Aluminium,brass");
  dialog.onOk();
  EXPECT_EQ(saveLog.calls, 2);
  EXPECT_EQ(controls.result, DialogResult::Ok);
}

// Nothing written, nothing lost: an OK that saves nothing asks nothing.
TEST_F(ListDialog, OkWithNothingToSaveDoesNotLookAtTheFile) {
  FakeFileCheck file;
  file.changed = true;
  dialog.fileChangeCheck = &file;
  open(nullptr);
  dialog.onOk();
  EXPECT_EQ(file.asked, 0);
  EXPECT_EQ(controls.result, DialogResult::Ok);
}

TEST_F(ListDialog, CancelWritesNothing) {
  openWithThree();
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  dialog.onCancel();
  EXPECT_EQ(saveLog.calls, 0);
  EXPECT_EQ(controls.result, DialogResult::Cancel);
}

TEST_F(ListDialog, ARowTheControlCannotTakeGetsNoCellsAndIsNotRemembered) {
  MaterialList head = createNode();
  append(head, makeMaterial("steel", 7.85));
  append(head, makeMaterial("Aluminium", 2.7));
  append(head, makeMaterial("brass", 8.5));
  peer.rememberRow(2);
  list.failingInsert = 1;  // brass: the rows go in from the first name on
  open(head);
  EXPECT_EQ(list.rowTexts(), (std::vector<std::string>{kAluminiumRow, kSteelRow}));
  EXPECT_EQ(list.itemData(), (std::vector<int>{1, 0}));
  EXPECT_EQ(peer.selectedNodeIndex(), -1);
}

// Letters ignoring case, then lower case first, as Wine's list view orders.
int lowerCaseFirst(const char* first, const char* second) {
  int order = strcasecmp(first, second);
  return order != 0 ? order : -std::strcmp(first, second);
}

struct ControlKind {
  const char* name;
  bool takesRowsInOrder;
  bool laterEqualRowsFirst;
  int (*comparison)(const char*, const char*);  // null: ignoring case
  bool sortsChangedRows = false;
};

void PrintTo(const ControlKind& kind, std::ostream* out) { *out << kind.name; }

// The rows go to the control in an order that spares it the search for their
// places: in its own order when it takes them so, else from the last name to
// the first, so that each belongs at the top. What it shows must not differ
// in any way from the rows given in node order.
class ListDialogRefill : public ListDialog, public ::testing::WithParamInterface<ControlKind> {
 protected:
  void SetUp() override {
    ListDialog::SetUp();
    list.takesRowsInOrder = GetParam().takesRowsInOrder;
    list.laterEqualRowsFirst = GetParam().laterEqualRowsFirst;
    if (GetParam().comparison != nullptr) list.comparison = GetParam().comparison;
    list.sortsChangedRows = GetParam().sortsChangedRows;
  }

  // The rows, cell texts, item data and selected row that a dialog opened
  // afresh on the same list and the same kind of control shows.
  void expectRowsOfAFreshFill() {
    FakeDialogRunner freshDialogs;
    MaterialListDialog fresh(freshDialogs, recordingSave);
    MaterialListDialogPeer(fresh).rememberRow(peer.selectedNodeIndex());
    FakeDialogControls freshControls = listDialogControls();
    FakeListView freshList;
    freshList.takesRowsInOrder = list.takesRowsInOrder;
    freshList.laterEqualRowsFirst = list.laterEqualRowsFirst;
    freshList.comparison = list.comparison;
    fresh.materials = dialog.materials;
    freshList.reportTo(fresh);
    fresh.onInitDialog(freshControls, freshList);
    EXPECT_EQ(list.rowTexts(), freshList.rowTexts());
    EXPECT_EQ(list.itemData(), freshList.itemData());
    EXPECT_EQ(list.selectedRow(), freshList.selectedRow());
    fresh.materials = nullptr;  // still the dialog's under test
  }

  // The rows and item data that the same control shows for the list when
  // given the rows one by one in node order.
  void expectRowsAsInNodeOrder() {
    FakeListView reference;
    reference.comparison = list.comparison;
    reference.laterEqualRowsFirst = list.laterEqualRowsFirst;
    reference.columns = list.columns;
    int nodeIndex = 0;
    for (const MaterialNode* node = dialog.materials; node != nullptr;
         node = node->nextNode, ++nodeIndex) {
      if (node->material == nullptr) continue;
      const char* name = node->material->name != nullptr ? node->material->name : "";
      reference.insertRow(nodeIndex, name, nodeIndex, false);
    }
    std::vector<std::string> names, expectedNames;
    for (const FakeRow& row : list.rows) names.push_back(row.text);
    for (const FakeRow& row : reference.rows) expectedNames.push_back(row.text);
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(list.itemData(), reference.itemData());
  }

  static MaterialList chainOf(const std::vector<const char*>& names) {
    MaterialList head = createNode();
    for (const char* name : names) append(head, makeMaterial(name, 1));
    return head;
  }
};

TEST_P(ListDialogRefill, NamesThatSortEqualKeepTheirNodeOrderAmongEmptyNodesAndAbsentNames) {
  MaterialList head = chainOf({"steel", "Brass", "STEEL", "x", "brass", "Steel", "y"});
  removeAt(head, 3);
  append(head, makeMaterial("", 1));
  append(head, createMaterial());  // no name at all
  removeAt(head, 6);
  append(head, makeMaterial("BRASS", 1));
  open(head);
  expectRowsAsInNodeOrder();
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  expectRowsAsInNodeOrder();
}

// Punctuation that the control's collation passes over, as a word sort
// does: names a plain comparison tells apart are equal for the control, and
// its order is not the plain one.
int ignoringHyphensAndCase(const char* first, const char* second) {
  std::string a, b;
  for (; *first != '\0'; ++first)
    if (*first != '-') a += static_cast<char>(std::tolower(static_cast<unsigned char>(*first)));
  for (; *second != '\0'; ++second)
    if (*second != '-') b += static_cast<char>(std::tolower(static_cast<unsigned char>(*second)));
  return a.compare(b);
}

TEST_P(ListDialogRefill, AControlThatCollatesOtherwiseStillGetsItsOwnOrder) {
  list.comparison = ignoringHyphensAndCase;
  open(chainOf({"co-op", "Coop", "co-pilot", "cobalt", "-coop", "Copper", "co-op"}));
  expectRowsAsInNodeOrder();
  click("cobalt");
  dialogs.dataDialogUsers.push_back(pressesCancel());
  dialog.onEdit();
  expectRowsAsInNodeOrder();
  EXPECT_EQ(selectedName(), "cobalt");
}

// Names in an order far from the plain one: the control's sort decides.
TEST_P(ListDialogRefill, AControlThatOrdersBackwardsStillGetsItsOwnOrder) {
  list.comparison = [](const char* first, const char* second) { return -strcasecmp(first, second); };
  std::vector<std::string> names;
  for (int i = 0; i < 60; ++i) names.push_back("alloy " + std::to_string((i * 37) % 60));
  MaterialList head = createNode();
  for (const std::string& name : names) append(head, makeMaterial(name.c_str(), 1));
  append(head, makeMaterial("alloy 7", 1));
  open(head);
  expectRowsAsInNodeOrder();
}

TEST_P(ListDialogRefill, EachRowTakesItsPlaceAtTheFirstComparison) {
  std::vector<std::string> names;
  for (int i = 0; i < 2000; ++i) {
    const char* family[] = {"Steel ", "aluminium ", "Brass ", "titanium "};
    names.push_back(family[i % 4] + std::to_string((i * 7919) % 2000));
  }
  MaterialList head = createNode();
  for (const std::string& name : names) append(head, makeMaterial(name.c_str(), 1));
  open(head);
  EXPECT_LT(list.rowComparisons, 2000);
  // The plain order puts them right: only the settling asks the control.
  EXPECT_LT(list.textComparisons, 3 * 2000);
  expectRowsAsInNodeOrder();
}

// A few thousand rows, names equal, equal but for case, and unlike their
// node order, an empty node among them: after each change the control keeps
// its rows, yet shows exactly what a fresh fill shows.
TEST_P(ListDialogRefill, AfterInsertEditDeleteAndDeleteAllTheRowsAreThoseOfAFreshFill) {
  const char* family[] = {"Steel ", "aluminium ", "Brass ", "steel ", "co-op ", "Zinc"};
  MaterialList head = createNode();
  for (int i = 0; i < 3000; ++i) {
    std::string name = family[i % 6] + std::to_string((i * 7919) % 1500);
    append(head, makeMaterial(name.c_str(), 1 + i % 97));
  }
  removeAt(head, 1234);
  append(head, makeMaterial("x", 1));
  removeAt(head, nodeCount(head) - 1);  // leaves the last node empty
  open(head);
  expectRowsOfAFreshFill();
  ASSERT_EQ(list.rows.size(), 2999u);

  std::string remembered = list.rows[1000].text;
  list.clickRow(1000);
  std::vector<std::string> inserted = kStandardFields;
  inserted[0] = remembered;  // beside the remembered row, into the empty last node
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(inserted));
  dialog.onInsert();
  expectRowsOfAFreshFill();
  EXPECT_EQ(selectedName(), remembered);

  list.clickRow(10);
  std::vector<std::string> renamed = kStandardFields;
  renamed[0] = "Zinc 7";  // from near the top to near the end
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(renamed));
  dialog.onEdit();
  expectRowsOfAFreshFill();
  EXPECT_EQ(selectedName(), "Zinc 7");

  list.clickRow(2000);
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDelete();
  expectRowsOfAFreshFill();
  EXPECT_EQ(list.rows.size(), 2999u);

  if (GetParam().takesRowsInOrder) {
    EXPECT_EQ(list.allRowsRemovals, 0);
    EXPECT_EQ(list.rowsRemoved, 1);
    EXPECT_EQ(list.insertsMade, 3000);
  }
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDeleteAll();
  expectRowsOfAFreshFill();
  EXPECT_TRUE(list.rows.empty());
  EXPECT_EQ(list.rowsRemoved, GetParam().takesRowsInOrder ? 1 : 0);  // none one by one
}

// Rows that cannot be rewritten where they stand go in anew: no row may lead
// to another node than its text says.
TEST_P(ListDialogRefill, ARowTheControlCannotRewriteHasAllRowsPutInAnew) {
  openWithThree();
  click("brass");
  list.failingSet = 1;
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  expectRowsOfAFreshFill();
  EXPECT_EQ(selectedName(), "brass");
}

TEST_P(ListDialogRefill, RowsAreRebuiltWithRedrawSuspendedAndDrawnOnceAfterwards) {
  openWithThree();
  click("brass");
  dialogs.dataDialogUsers.push_back(typesAndPressesOk(kStandardFields));
  dialog.onInsert();
  dialogs.dataDialogUsers.push_back(pressesCancel());
  dialog.onEdit();
  EXPECT_EQ(list.rowsInsertedWhileDrawing, 0);
  EXPECT_EQ(list.redrawsResumed, 3);
  EXPECT_FALSE(list.redrawSuspended);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ListDialogRefill,
    ::testing::Values(ControlKind{"PlacingEachRow", false, false, nullptr},
                      ControlKind{"InOrderEarlierEqualFirst", true, false, nullptr},
                      ControlKind{"InOrderLaterEqualFirstCaseSensitive", true, true,
                                  lowerCaseFirst},
                      ControlKind{"InOrderMovingChangedRows", true, false, nullptr, true}),
    [](const ::testing::TestParamInfo<ControlKind>& kind) { return std::string(kind.param.name); });

TEST(ListDialogRun, EndsAsTheUserEndsIt) {
  FakeDialogRunner dialogs;
  MaterialListDialog dialog(dialogs, recordingSave);
  dialogs.listDialogUsers.push_back(
      [](MaterialListDialog& list, FakeDialogControls&, FakeListView&) { list.onCancel(); });
  EXPECT_FALSE(dialog.runModal());
  dialogs.listDialogUsers.push_back(
      [](MaterialListDialog& list, FakeDialogControls&, FakeListView&) { list.onOk(); });
  EXPECT_TRUE(dialog.runModal());
}

}  // namespace
