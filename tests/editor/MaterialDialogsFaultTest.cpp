// A whole list dialog session (insert, edit, delete, OK) with the Nth
// allocation of the code under test failing, once or from then on, for every
// N until a session runs without a failure. Each session must end with the
// list in a state the user could have reached by cancelling what could not be
// done, every record whole, and nothing leaked.
//
// The countdown allocator fails malloc and the nothrow new, which the
// module's code uses; the fakes that play the controls use the throwing new,
// which this program keeps out of its reach.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "AllocationFaults.h"
#include "FakeDialogRunner.h"
#include "MaterialDataDialog.h"
#include "MaterialDataDialogIds.h"
#include "MaterialListDialog.h"
#include "MaterialProperty.h"
#include "NumberText.h"

extern "C" void* __libc_malloc(std::size_t size);

void* operator new(std::size_t size) {
  void* block = __libc_malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }

namespace {

// What OK saved, kept off the heap so that it does not count as outstanding.
char savedList[512];

void appendSaved(const char* text) {
  std::strncat(savedList, text, sizeof savedList - std::strlen(savedList) - 1);
}

int recordingSave(const MaterialNode* head, const char*) {
  savedList[0] = '\0';
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (node != head) appendSaved(",");
    const Material* m = node->material;
    char entry[128] = "-";
    if (m != nullptr) std::snprintf(entry, sizeof entry, "%s:%g:%g", m->name, m->density, m->youngModulus);
    appendSaved(entry);
  }
  return 1;
}

Material* material(const char* name, double density) {
  Material* record = createMaterial();
  record->setName(name);
  record->setDensity(density);
  record->setYoungModulus(200);
  return record;
}

// Types the fields and presses OK; when the dialog stays open (a text could
// not be copied), gives up with Cancel.
FakeDialogRunner::DataDialogUser typesThenOkOrCancel(std::map<int, std::string> fields) {
  return [fields](MaterialDataDialog& dialog, FakeDialogControls& controls) {
    for (const auto& field : fields) controls.type(field.first, field.second);
    dialog.onOk();
    if (!controls.ended()) dialog.onCancel();
  };
}

// Every cell shows its row's record as stored, whether or not the dialog
// could index the rows.
void expectCellsOfTheirRecords(const FakeListView& list, const MaterialNode* head) {
  for (std::size_t position = 0; position < list.rows.size(); ++position) {
    const MaterialNode* node = head;
    for (int i = 0; node != nullptr && i < list.rows[position].itemData; ++i) node = node->nextNode;
    ASSERT_TRUE(node != nullptr && node->material != nullptr) << list.rows[position].text;
    for (int column = 1; column <= kPropertyCount; ++column) {
      char expected[kNumberTextSize];
      formatNumber(propertyValue(*node->material, propertyAt(column - 1)), expected);
      EXPECT_EQ(list.cellText(static_cast<int>(position), column), expected)
          << list.rows[position].text << ", column " << column;
    }
  }
}

void clickRow(FakeListView& list, const std::string& name) {
  int row = list.findRow(name);
  if (row >= 0) list.clickRow(row);
}

// One session; what OK saved is left in savedList ("" when nothing).
void runSession(long failing, FaultMode mode) {
  savedList[0] = '\0';
  FakeDialogRunner dialogs;
  MaterialListDialog dialog(dialogs, recordingSave);
  FakeDialogControls controls = listDialogControls();
  FakeListView list;
  list.reportTo(dialog);
  dialog.materials = createNode();
  append(dialog.materials, material("steel", 7.85));
  append(dialog.materials, material("Aluminium", 2.7));
  append(dialog.materials, material("brass", 8.5));

  beginAllocationWindow(failing, mode);
  dialog.onInitDialog(controls, list);
  dialogs.dataDialogUsers.push_back(typesThenOkOrCancel({{IDC_DATA_NAME, "Copper"},
                                                         {IDC_DATA_DENSITY, "8.96"},
                                                         {IDC_DATA_YOUNG_MODULUS, "120"}}));
  dialog.onInsert();
  dialogs.dataDialogUsers.clear();  // unused when the dialog could not open
  expectCellsOfTheirRecords(list, dialog.materials);
  clickRow(list, "steel");
  dialogs.dataDialogUsers.push_back(
      typesThenOkOrCancel({{IDC_DATA_NAME, "Carbon steel"}, {IDC_DATA_DENSITY, "7.87"}}));
  dialog.onEdit();
  dialogs.dataDialogUsers.clear();
  expectCellsOfTheirRecords(list, dialog.materials);
  clickRow(list, "brass");
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDelete();
  expectCellsOfTheirRecords(list, dialog.materials);
  dialog.onOk();
  endAllocationWindow();

  releaseList(dialog.materials);
}

// Every state the user can end in when some of the three changes could not
// be made: the edit whole or not at all, the insert there or not.
bool acceptable(const std::string& saved) {
  for (const char* first : {"steel:7.85:200", "Carbon steel:7.87:200"})
    for (const char* rest : {"Aluminium:2.7:200,Copper:8.96:120", "Aluminium:2.7:200,-"})
      if (saved == std::string(first) + "," + rest) return true;
  return false;
}

void sweep(FaultMode mode) {
  for (long failing = 1;; ++failing) {
    SCOPED_TRACE("allocation " + std::to_string(failing));
    runSession(failing, mode);
    // The session released its list; what the fakes hold is not counted.
    EXPECT_EQ(outstandingBlocks(), 0) << "leaked";
    std::string saved = savedList;
    EXPECT_TRUE(acceptable(saved)) << saved;
    if (!allocationFailed()) {
      EXPECT_EQ(saved, "Carbon steel:7.87:200,Aluminium:2.7:200,Copper:8.96:120");
      EXPECT_GT(failing, 5);  // the sweep did reach into the session
      return;
    }
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(ListDialogOutOfMemory, EachAllocationFailingOnceLeavesAWholeListAndNoLeak) {
  sweep(FaultMode::Once);
}

TEST(ListDialogOutOfMemory, AllocationsFailingFromThenOnLeaveAWholeListAndNoLeak) {
  sweep(FaultMode::FromThenOn);
}

}  // namespace
