// The rows go into the real sorted list view in the order the control was
// found to sort them, without its search. Whatever the names, the control
// must show exactly what it shows when given them one by one in node order:
// the same names in the same rows with the same item data, equal names
// included.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "DialogSession.h"
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

}  // namespace
