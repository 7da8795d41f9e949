#include "MaterialListDialogWindow.h"

#include <commctrl.h>

#include "MaterialListDialogIds.h"
#include "NumberText.h"

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
      // The notification carries the row's item data: a refill that rewrites
      // many rows hears one for each, and asking the control back would
      // double its messages.
      if (change.iItem >= 0) behaviour_.onItemChanged(static_cast<int>(change.lParam));
      break;
    }
    case LVN_DELETEALLITEMS:
      // No row needs its own farewell: TRUE spares a notification per row
      // each time the rows are rebuilt.
      return TRUE;
    // The row's item data comes from the control itself: the request names
    // the row by position and is not documented to carry it.
    case LVN_GETDISPINFOA: {
      const LVITEMA& cell = reinterpret_cast<const NMLVDISPINFOA&>(header).item;
      if ((cell.mask & LVIF_TEXT) != 0)
        behaviour_.onCellTextNeeded(listView_.itemData(cell.iItem), cell.iSubItem, cell.pszText,
                                    cell.cchTextMax);
      break;
    }
    case LVN_GETDISPINFOW: {
      const LVITEMW& cell = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
      if ((cell.mask & LVIF_TEXT) != 0) supplyWideCellText(cell);
      break;
    }
    case NM_DBLCLK:
      behaviour_.onDoubleClick();
      break;
    case LVN_KEYDOWN:
      behaviour_.onListKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
      break;
  }
  return 0;
}

// Asked by a control that speaks UTF-16 to its parent. Cell texts are number
// texts, plain ASCII, which widen character by character.
void MaterialListDialogWindow::supplyWideCellText(const LVITEMW& cell) {
  if (cell.pszText == nullptr || cell.cchTextMax <= 0) return;
  char text[kNumberTextSize];
  int size = cell.cchTextMax < static_cast<int>(sizeof text) ? cell.cchTextMax : sizeof text;
  behaviour_.onCellTextNeeded(listView_.itemData(cell.iItem), cell.iSubItem, text, size);
  int i = 0;
  for (; text[i] != '\0'; ++i) cell.pszText[i] = static_cast<unsigned char>(text[i]);
  cell.pszText[i] = L'\0';
}
