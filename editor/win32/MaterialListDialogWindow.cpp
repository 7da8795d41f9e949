#include "MaterialListDialogWindow.h"

#include <commctrl.h>

#include "MaterialListDialogIds.h"

// The template names the list view class, which must be registered before a
// dialog is created from it, in the module and in any other program alike.
// Registering it again costs nothing.
DialogResult MaterialListDialogWindow::run(HWND owner) {
  ListView::registerControlClass();
  return ModalDialog::run(IDD_MATERIAL_LIST, owner);
}

void MaterialListDialogWindow::onInitDialog() {
  listView_.attach(GetDlgItem(window(), IDC_LIST_MATERIALS));
  behaviour_.onInitDialog(*this, listView_);
}

void MaterialListDialogWindow::onCommand(int controlId, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  switch (controlId) {
    case IDOK:
      behaviour_.onOk();
      break;
    case IDCANCEL:
      behaviour_.onCancel();
      break;
    case IDC_LIST_INSERT:
      behaviour_.onInsert();
      break;
    case IDC_LIST_EDIT:
      behaviour_.onEdit();
      break;
    case IDC_LIST_DELETE:
      behaviour_.onDelete();
      break;
    case IDC_LIST_DELETE_ALL:
      behaviour_.onDeleteAll();
      break;
  }
}

LRESULT MaterialListDialogWindow::onNotify(const NMHDR& header) {
  if (header.idFrom != IDC_LIST_MATERIALS) return 0;
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      // -1 names every row at once, which no single remembered row can be.
      if (change.iItem >= 0) behaviour_.onItemChanged(listView_.itemData(change.iItem));
      break;
    }
    case LVN_DELETEALLITEMS:
      // No row needs its own farewell: TRUE spares a notification per row
      // each time the rows are rebuilt.
      return TRUE;
    case NM_DBLCLK:
      behaviour_.onDoubleClick();
      break;
    case LVN_KEYDOWN:
      behaviour_.onListKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
      break;
  }
  return 0;
}
