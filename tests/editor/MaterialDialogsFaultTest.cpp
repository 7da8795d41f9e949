// A whole list dialog session (insert, edit, delete, OK) with the Nth
// allocation of the code under test failing, once or from then on, for every
// N until a session runs without a failure. Each session must end with the
// list in a state the user could have reached by cancelling what could not be
// done, every record whole, and nothing leaked.
//
// The allocator is replaced for the whole program: malloc and nothrow new
// (what the module's code uses) can be made to fail; the throwing new of the
// tests and the fakes never fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "FakeDialogRunner.h"
#include "MaterialDataDialog.h"
#include "MaterialDataDialogIds.h"
#include "MaterialListDialog.h"

extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);
extern "C" void* __libc_realloc(void* block, std::size_t size);
extern "C" void __libc_free(void* block);

namespace {

enum class FailureMode { Once, FromThenOn };

struct Injection {
  bool armed = false;
  long failAt = 0;  // 1-based count of injectable requests while armed
  FailureMode mode = FailureMode::Once;
  long requests = 0;
  long failures = 0;
};
Injection injection;
long outstanding = 0;  // blocks handed out and not yet released

bool injectFailure() {
  if (!injection.armed) return false;
  ++injection.requests;
  bool fail = injection.mode == FailureMode::Once ? injection.requests == injection.failAt
                                                  : injection.requests >= injection.failAt;
  if (fail) ++injection.failures;
  return fail;
}

void* counted(void* block) {
  if (block != nullptr) ++outstanding;
  return block;
}

}  // namespace

extern "C" void* malloc(std::size_t size) {
  return injectFailure() ? nullptr : counted(__libc_malloc(size));
}

extern "C" void* calloc(std::size_t count, std::size_t size) {
  return injectFailure() ? nullptr : counted(__libc_calloc(count, size));
}

extern "C" void* realloc(void* block, std::size_t size) {
  if (block == nullptr) return malloc(size);
  if (injectFailure()) return nullptr;
  return __libc_realloc(block, size);
}

extern "C" void free(void* block) {
  if (block != nullptr) --outstanding;
  __libc_free(block);
}

void* operator new(std::size_t size) {
  void* block = counted(__libc_malloc(size != 0 ? size : 1));
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, std::size_t) noexcept { free(block); }
void operator delete[](void* block, std::size_t) noexcept { free(block); }

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

void clickRow(FakeListView& list, const std::string& name) {
  int row = list.findRow(name);
  if (row >= 0) list.clickRow(row);
}

// One session; what OK saved is left in savedList ("" when nothing).
void runSession(Injection armedWith) {
  savedList[0] = '\0';
  FakeDialogRunner dialogs;
  MaterialListDialog dialog(dialogs, recordingSave);
  FakeDialogControls controls = listDialogControls();
  FakeListView list;
  list.itemChanged = [&dialog](int itemData) { dialog.onItemChanged(itemData); };
  dialog.materials = createNode();
  append(dialog.materials, material("steel", 7.85));
  append(dialog.materials, material("Aluminium", 2.7));
  append(dialog.materials, material("brass", 8.5));

  injection = armedWith;
  injection.armed = true;
  dialog.onInitDialog(controls, list);
  dialogs.dataDialogUsers.push_back(typesThenOkOrCancel({{IDC_DATA_NAME, "Copper"},
                                                         {IDC_DATA_DENSITY, "8.96"},
                                                         {IDC_DATA_YOUNG_MODULUS, "120"}}));
  dialog.onInsert();
  dialogs.dataDialogUsers.clear();  // unused when the dialog could not open
  clickRow(list, "steel");
  dialogs.dataDialogUsers.push_back(
      typesThenOkOrCancel({{IDC_DATA_NAME, "Carbon steel"}, {IDC_DATA_DENSITY, "7.87"}}));
  dialog.onEdit();
  dialogs.dataDialogUsers.clear();
  clickRow(list, "brass");
  controls.answers = {MessageBoxAnswer::kYes};
  dialog.onDelete();
  dialog.onOk();
  injection.armed = false;

  releaseList(dialog.materials);
}

// The blocks that one session left outstanding.
long session(Injection armedWith) {
  long before = outstanding;
  runSession(armedWith);
  return outstanding - before;
}

// Every state the user can end in when some of the three changes could not
// be made: the edit whole or not at all, the insert there or not.
bool acceptable(const std::string& saved) {
  for (const char* first : {"steel:7.85:200", "Carbon steel:7.87:200"})
    for (const char* rest : {"Aluminium:2.7:200,Copper:8.96:120", "Aluminium:2.7:200,-"})
      if (saved == std::string(first) + "," + rest) return true;
  return false;
}

void sweep(FailureMode mode) {
  for (long failAt = 1;; ++failAt) {
    SCOPED_TRACE("allocation " + std::to_string(failAt));
    Injection failing;
    failing.failAt = failAt;
    failing.mode = mode;
    long leaked = session(failing);
    std::string saved = savedList;
    EXPECT_EQ(leaked, 0);
    EXPECT_TRUE(acceptable(saved)) << saved;
    if (injection.failures == 0) {
      EXPECT_EQ(saved, "Carbon steel:7.87:200,Aluminium:2.7:200,Copper:8.96:120");
      EXPECT_GT(failAt, 5);  // the sweep did reach into the session
      return;
    }
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(ListDialogOutOfMemory, EachAllocationFailingOnceLeavesAWholeListAndNoLeak) {
  sweep(FailureMode::Once);
}

TEST(ListDialogOutOfMemory, AllocationsFailingFromThenOnLeaveAWholeListAndNoLeak) {
  sweep(FailureMode::FromThenOn);
}

}  // namespace
