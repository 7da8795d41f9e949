#include "ListView.h"

#include <commctrl.h>

void ListView::registerControlClass() {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
}

void ListView::insertColumn(int column, const char* title, int width) {
  LVCOLUMNA header = {};
  header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  header.fmt = LVCFMT_LEFT;
  header.cx = width;
  header.pszText = const_cast<char*>(title);
  header.iSubItem = column;
  SendMessageA(control_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
               reinterpret_cast<LPARAM>(&header));
}

void ListView::removeAllRows() { SendMessageA(control_, LVM_DELETEALLITEMS, 0, 0); }

void ListView::suspendRedraw() { SendMessageA(control_, WM_SETREDRAW, FALSE, 0); }

// The control skipped every paint meanwhile, its scroll bars and header
// included, so all of it is drawn anew.
void ListView::resumeRedraw() {
  SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(control_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

namespace {

// The control keeps its texts in UTF-16: handed over in that form, they skip
// a conversion and a copy of its own in each of the many calls of a refill.
// A text too long for the buffer goes the control's own way.
class WideText {
 public:
  explicit WideText(const char* text)
      : converted_(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer_, kCapacity) > 0) {}
  bool converted() const { return converted_; }
  wchar_t* text() { return buffer_; }

 private:
  static constexpr int kCapacity = 128;
  wchar_t buffer_[kCapacity];
  bool converted_;
};

// LVITEMA and LVITEMW differ only in the type of their text.
template <typename Item, typename Char>
Item rowItem(int requestedPosition, Char* text, int itemData, bool selected) {
  Item row = {};
  row.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  row.iItem = requestedPosition;
  row.pszText = text;
  row.lParam = itemData;
  row.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  row.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  return row;
}

}  // namespace

int ListView::insertRow(int requestedPosition, const char* text, int itemData, bool selected) {
  WideText wide(text);
  if (wide.converted()) {
    LVITEMW row = rowItem<LVITEMW>(requestedPosition, wide.text(), itemData, selected);
    return static_cast<int>(SendMessageW(control_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
  }
  LVITEMA row = rowItem<LVITEMA>(requestedPosition, const_cast<char*>(text), itemData, selected);
  return static_cast<int>(SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

void ListView::setCellOnDemand(int position, int column) {
  LVITEMW cell = {};
  cell.iSubItem = column;
  cell.pszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(control_, LVM_SETITEMTEXTW, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(&cell));
}

// The comparison the sorting control makes of its rows' texts.
int ListView::compareRowTexts(const char* first, const char* second) const {
  return lstrcmpiA(first, second);
}

int ListView::itemData(int position) const {
  LVITEMA row = {};
  row.mask = LVIF_PARAM;
  row.iItem = position;
  if (!SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row))) return -1;
  return static_cast<int>(row.lParam);
}
