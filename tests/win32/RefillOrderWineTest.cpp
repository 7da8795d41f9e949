// The rows go into the real sorted list view in the order the control was
// found to sort them, without its search. Whatever the names, the control
// must show exactly what it shows when given them one by one in node order:
// the same names in the same rows with the same item data, equal names
// included.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DialogSession.h"
#include "MaterialDataDialogIds.h"
#include "MaterialListDialogIds.h"

namespace {

struct Row {
  std::string name;
  int itemData;
  bool operator==(const Row& other) const {
    return name == other.name && itemData == other.itemData;
  }
};

// The names as the driver reads them, the item data as the dialog does.
std::vector<Row> rowsOf(HWND control) {
  ListViewReader list(control);
  ListView dialogsView;
  dialogsView.attach(control);
  std::vector<Row> rows;
  for (int position = 0; position < list.rowCount(); ++position) {
    char name[512];
    list.cellText(position, 0, name, sizeof name);
    rows.push_back({name, dialogsView.itemData(position)});
  }
  return rows;
}

std::string describe(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& row : rows) text += "[" + row.name + " #" + std::to_string(row.itemData) + "] ";
  return text;
}

// A list view with the dialog's list styles and its name column.
HWND sortedListView(HWND parent, ListView& list) {
  HWND control = CreateWindowExA(0, WC_LISTVIEWA, "",
                                 WS_CHILD | LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING, 0, 0,
                                 100, 100, parent, nullptr, nullptr, nullptr);
  list.attach(control);
  list.insertColumn(0, "Name", 120);
  return control;
}

// A second list view, filled in node order.
std::vector<Row> rowsInNodeOrder(HWND dialogWindow, const MaterialNode* head) {
  ListView reference;
  HWND control = sortedListView(dialogWindow, reference);
  int nodeIndex = 0;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode, ++nodeIndex) {
    if (node->material == nullptr) continue;
    reference.insertRow(nodeIndex, node->material->name != nullptr ? node->material->name : "",
                        nodeIndex, false);
  }
  std::vector<Row> rows = rowsOf(control);
  DestroyWindow(control);
  return rows;
}

class RefillOrder : public ListDialogSession {
 protected:
  void expectNodeOrderRows(const std::vector<std::string>& names) {
    MaterialList head = createNode();
    for (const std::string& name : names) append(head, makeMaterial(name.c_str(), 1));
    removeAt(head, 2);  // an empty node, which later item data count through
    dialog.materials = head;
    driver.check([this](HWND window) -> std::string {
      std::vector<Row> shown = rowsOf(GetDlgItem(window, IDC_LIST_MATERIALS));
      std::vector<Row> expected = rowsInNodeOrder(window, dialog.materials);
      if (shown == expected) return "";
      return "shown: " + describe(shown) + "\nnode order: " + describe(expected);
    });
    driver.press("Cancel");
    run();
    expectDriven();
  }
};

TEST_F(RefillOrder, NamesEqualButForCaseKeepTheirNodeOrder) {
  expectNodeOrderRows({"steel", "Steel", "gone", "STEEL", "brass", "steel", "Brass", "BRASS",
                       "", "zinc", "Zinc"});
}

// Punctuation, digits, blanks and accented letters, where the control's
// collation and a plain comparison of the letters disagree.
TEST_F(RefillOrder, NamesWhereCollationIsNotAPlainComparison) {
  expectNodeOrderRows({"co-op", "coop", "gone", "Co-Op", "O'Brien alloy", "OBrien alloy",
                       "_special", "1.4301", "1,4301", "14301", "\xC4rmco iron", "Armco iron",
                       "armco iron", "\xDF steel", "ss steel", " zinc", "zinc ", "zinc", "Zinc-",
                       "~tilde", "alloy 10", "alloy 9", "alloy 9", "\xE9tain", "etain", "Etain"});
}

// Longer names go to the control in its narrow form.
TEST_F(RefillOrder, LongNamesAmongShortOnes) {
  std::string longName(300, 'b');
  expectNodeOrderRows({longName + "2", "b", "gone", longName + "1", "B", longName, "bb"});
}

// A check that the dialog's list shows the rows and item data that a list
// view filled afresh in node order shows, and the remembered row selected.
std::function<std::string(HWND)> rowsAsFreshFill(const MaterialListDialog& dialog,
                                                 const MaterialListDialogPeer& peer) {
  return [&dialog, &peer](HWND window) -> std::string {
    HWND control = GetDlgItem(window, IDC_LIST_MATERIALS);
    std::vector<Row> shown = rowsOf(control);
    std::vector<Row> expected = rowsInNodeOrder(window, dialog.materials);
    if (shown != expected)
      return std::to_string(shown.size()) + " rows shown, " + std::to_string(expected.size()) +
             " filled afresh; first difference at row " +
             std::to_string(
                 std::mismatch(shown.begin(), shown.end(), expected.begin(), expected.end()).first -
                 shown.begin());
    int selected = ListViewReader(control).selectedRow();
    int selectedData = selected >= 0 ? shown[static_cast<std::size_t>(selected)].itemData : -1;
    if (selectedData != peer.selectedNodeIndex())
      return "the selected row leads to node " + std::to_string(selectedData) +
             ", the remembered one is " + std::to_string(peer.selectedNodeIndex());
    return "";
  };
}

// Two thousand rows kept by the control through each change, yet exactly
// those of a fresh fill: names equal, equal but for case, unlike their node
// order, an empty node among them.
TEST_F(RefillOrder, AfterInsertEditDeleteAndDeleteAllTheRowsAreThoseOfAFreshFill) {
  const char* family[] = {"Steel ", "aluminium ", "Brass ", "steel ", "co-op ", "Zinc"};
  MaterialList head = createNode();
  for (int i = 0; i < 2000; ++i) {
    std::string name = family[i % 6] + std::to_string((i * 7919) % 1000);
    append(head, makeMaterial(name.c_str(), 1 + i % 97));
  }
  for (const char* name : {"remembered", "edited", "deleted"}) append(head, makeMaterial(name, 1));
  removeAt(head, 1234);
  dialog.materials = head;
  driver.check(rowsAsFreshFill(dialog, peer));
  driver.select("remembered");
  driver.press("Insert...");
  driver.expectWindow("Create new material");
  const std::pair<int, const char*> fields[] = {
      {IDC_DATA_NAME, "Remembered"},         {IDC_DATA_DENSITY, "7.8"},
      {IDC_DATA_YOUNG_MODULUS, "200"},       {IDC_DATA_POISSON_RATIO, "0.3"},
      {IDC_DATA_YIELD_STRENGTH, "250"},      {IDC_DATA_TENSILE_STRENGTH, "400"},
      {IDC_DATA_THERMAL_CONDUCTIVITY, "50"}, {IDC_DATA_LINEAR_EXPANSION, "1.2"},
      {IDC_DATA_SPECIFIC_HEAT, "460"}};
  for (const auto& field : fields) driver.set(field.first, field.second);
  driver.press("OK");
  driver.expectWindow("KVO Material Editor");
  driver.check(rowsAsFreshFill(dialog, peer));
  driver.select("edited");
  driver.press("Edit...");
  driver.expectWindow("Edit material");
  driver.set(IDC_DATA_NAME, "aaa edited");  // from the end of the list to its top
  driver.press("OK");
  driver.expectWindow("KVO Material Editor");
  driver.check(rowsAsFreshFill(dialog, peer));
  driver.select("deleted");
  driver.press("Delete");
  driver.expectWindow("Delete item");
  driver.press("Yes");
  driver.expectWindow("KVO Material Editor");
  driver.check(rowsAsFreshFill(dialog, peer));
  driver.press("Delete All");
  driver.expectWindow("Delete All Items");
  driver.press("Yes");
  driver.expectWindow("KVO Material Editor");
  driver.check(rowsAsFreshFill(dialog, peer));
  driver.press("Cancel");
  run();
  expectDriven();
}

// Wine's list view was found to order as lstrcmpW does, a row above the rows
// equal to it, and takes rows in that order; afterwards it sorts again.
TEST(RowsInOrder, TheControlTakesThemAtTheirPlacesAndSortsAgainAfterwards) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  ListView list;
  HWND control = sortedListView(parent, list);
  ListViewControl::EqualTexts equalTexts = ListViewControl::EqualTexts::EarlierRowFirst;
  ASSERT_TRUE(list.beginRowsInOrder(equalTexts));
  EXPECT_EQ(equalTexts, ListViewControl::EqualTexts::LaterRowFirst);
  EXPECT_GT(list.compareRowTexts("Steel", "steel"), 0);
  EXPECT_EQ(list.insertRow(0, "b", 1, false), 0);
  EXPECT_EQ(list.insertRow(1, "a", 2, false), 1);  // where it was asked to go
  list.endRowsInOrder();
  EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & LVS_SORTASCENDING);
  EXPECT_EQ(list.insertRow(2, "0", 3, false), 0);
  DestroyWindow(parent);
}

// Measured: Wine's control leaves a row whose text changed where it stands,
// sort style or not; the refill turns the style off meanwhile all the same,
// for a control that would move it.
TEST(RowsInOrder, ARowWhoseTextChangesStaysWhereItIsUnderTheSortStyle) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  ListView list;
  HWND control = sortedListView(parent, list);
  for (const char* name : {"b", "d", "f"}) list.insertRow(0, name, 0, false);
  ASSERT_TRUE(list.setRow(0, "z", 7, false));
  std::vector<Row> rows = rowsOf(control);
  EXPECT_EQ(rows.front(), (Row{"z", 7})) << describe(rows);
  EXPECT_FALSE(list.setRow(3, "x", 1, false));  // no such row
  DestroyWindow(parent);
}

}  // namespace
