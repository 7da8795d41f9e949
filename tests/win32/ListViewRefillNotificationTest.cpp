// What Wine's list view tells the dialog while the rows are set again, measured
// on the real dialog: the remembered row must come out of a refill as it went
// in, whatever the control sends meanwhile.
#include <windows.h>

#include <commctrl.h>

#include <iostream>
#include <sstream>

#include "DialogSession.h"
#include "MaterialListDialogIds.h"

namespace {

struct Notification {
  UINT code;
  int row;
  UINT oldState;
  UINT newState;
};

std::vector<Notification> heard;
WNDPROC dialogProcedure = nullptr;

LRESULT CALLBACK listening(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    bool rowNotification = header.code >= LVN_DELETEALLITEMS && header.code <= LVN_ITEMCHANGING;
    if (header.idFrom == IDC_LIST_MATERIALS && rowNotification) {
      const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
      heard.push_back({header.code, change.iItem, change.uOldState,
                       change.uNewState});
    }
  }
  return CallWindowProcA(dialogProcedure, window, message, wParam, lParam);
}

std::string describe(const std::vector<Notification>& notifications) {
  std::ostringstream text;
  for (const Notification& n : notifications) {
    switch (n.code) {
      case LVN_ITEMCHANGING: text << "ITEMCHANGING"; break;
      case LVN_ITEMCHANGED: text << "ITEMCHANGED"; break;
      case LVN_INSERTITEM: text << "INSERTITEM"; break;
      case LVN_DELETEITEM: text << "DELETEITEM"; break;
      case LVN_DELETEALLITEMS: text << "DELETEALLITEMS"; break;
    }
    text << "(row " << n.row << ", state " << n.oldState << "->" << n.newState << ") ";
  }
  return text.str();
}

class RefillNotifications : public ListDialogSession {
 protected:
  // Selects `name`, then listens while the rows are set again once, after
  // the list gained a material of this name when one is given.
  void refillWithSelected(const std::string& name, const char* added = nullptr) {
    dialog.materials = fourMaterials();
    driver.select(name);
    driver.check([this, added](HWND window) -> std::string {
      rememberedBefore = peer.selectedNodeIndex();
      if (added != nullptr) append(dialog.materials, makeMaterial(added, 1));
      heard.clear();
      dialogProcedure = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listening)));
      peer.refillList();
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogProcedure));
      ListViewReader list(GetDlgItem(window, IDC_LIST_MATERIALS));
      selectedRow = list.selectedRow();
      selectedRowFocused = selectedRow >= 0 && list.isFocused(selectedRow);
      return "";
    });
    driver.press("Cancel");
    run();
    expectDriven();
    std::cout << "refill with \"" << name << "\" selected: " << describe(heard) << "\n";
  }

  std::vector<Notification> itemChanges() const {
    std::vector<Notification> changes;
    for (const Notification& n : heard)
      if (n.code == LVN_ITEMCHANGED) changes.push_back(n);
    return changes;
  }
  int count(UINT code) const {
    int found = 0;
    for (const Notification& n : heard) found += n.code == code;
    return found;
  }

  int rememberedBefore = -2;
  int selectedRow = -2;
  bool selectedRowFocused = false;
};

constexpr UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

// The rows stay; each is set again in its place, and Wine's control asks
// leave to change every one (ITEMCHANGING) but reports none of them changed
// when nothing did.
TEST_F(RefillNotifications, RowsSetAgainUnchangedReportNoChange) {
  refillWithSelected("copper");  // node 3, at row 2
  EXPECT_EQ(count(LVN_DELETEALLITEMS), 0);
  EXPECT_EQ(count(LVN_DELETEITEM), 0);
  EXPECT_EQ(count(LVN_INSERTITEM), 0);
  EXPECT_EQ(count(LVN_ITEMCHANGING), 4);
  EXPECT_TRUE(itemChanges().empty()) << describe(heard);
  EXPECT_EQ(rememberedBefore, 3);
  EXPECT_EQ(peer.selectedNodeIndex(), 3);
  EXPECT_EQ(selectedRow, 2);
  EXPECT_TRUE(selectedRowFocused);
}

// A name that sorts first moves every row down by one: each row changes,
// the selected one leaves row 2 for row 3, and the new last row is added.
TEST_F(RefillNotifications, RowsThatMoveDownReportTheirChangesAndTheSelectionFollows) {
  refillWithSelected("copper", "aaa");
  EXPECT_EQ(count(LVN_DELETEALLITEMS), 0);
  EXPECT_EQ(count(LVN_INSERTITEM), 1);
  std::vector<int> changedRows;
  for (const Notification& change : itemChanges()) changedRows.push_back(change.row);
  EXPECT_EQ(changedRows, (std::vector<int>{0, 1, 2, 3})) << describe(heard);
  EXPECT_EQ(peer.selectedNodeIndex(), 3);
  EXPECT_EQ(selectedRow, 3);
  EXPECT_TRUE(selectedRowFocused);
}

TEST_F(RefillNotifications, TheLastRowSelected) {
  refillWithSelected("steel");  // node 0, the last name
  EXPECT_TRUE(itemChanges().empty()) << describe(heard);
  EXPECT_EQ(peer.selectedNodeIndex(), 0);
  EXPECT_EQ(selectedRow, 3);
  EXPECT_TRUE(selectedRowFocused);
}

}  // namespace
