#include "ListView.h"

#include <commctrl.h>

#include <algorithm>

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

void ListView::removeRow(int position) {
  SendMessageA(control_, LVM_DELETEITEM, static_cast<WPARAM>(position), 0);
}

int ListView::rowCount() const {
  return static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
}

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

// Texts whose order tells the candidates apart: equal texts, texts equal but
// for case, and punctuation, digits, blanks and an accented letter, where
// collations differ.
constexpr const char* kProbeTexts[] = {"x",  "x",     "b",  "B",  "B",          "b",     "co-op",
                                       "coop", "_x", "1x", "\xC4rmco", "armco", " zinc", "zinc"};
constexpr int kProbeCount = sizeof kProbeTexts / sizeof kProbeTexts[0];

using WideComparison = int(WINAPI*)(LPCWSTR, LPCWSTR);

// The texts compared as the control keeps them, in UTF-16.
int compareAsKept(WideComparison comparison, const char* first, const char* second) {
  WideText a(first), b(second);
  if (a.converted() && b.converted()) return comparison(a.text(), b.text());
  return comparison == &lstrcmpW ? lstrcmpA(first, second) : lstrcmpiA(first, second);
}

// The order, as probe indexes from the top, in which a sorting control that
// compares with `comparison` and places equal texts as `equal` says shows
// the probe texts inserted one by one.
void predictProbeOrder(WideComparison comparison, ListViewControl::EqualTexts equal,
                       int (&order)[kProbeCount]) {
  bool laterFirst = equal == ListViewControl::EqualTexts::LaterRowFirst;
  for (int taken = 0; taken < kProbeCount; ++taken) {
    int position = 0;
    for (; position < taken; ++position) {
      int c = compareAsKept(comparison, kProbeTexts[order[position]], kProbeTexts[taken]);
      if (c > 0 || (c == 0 && laterFirst)) break;
    }
    for (int i = taken; i > position; --i) order[i] = order[i - 1];
    order[position] = taken;
  }
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

bool ListView::setRow(int position, const char* text, int itemData, bool selected) {
  WideText wide(text);
  if (wide.converted()) {
    LVITEMW row = rowItem<LVITEMW>(position, wide.text(), itemData, selected);
    return SendMessageW(control_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&row)) != 0;
  }
  LVITEMA row = rowItem<LVITEMA>(position, const_cast<char*>(text), itemData, selected);
  return SendMessageA(control_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&row)) != 0;
}

// A cell never set may already be one whose text the control asks for, as
// the control says when its text is asked for with LVIF_NORECOMPUTE. Then
// marking the many cells of a refill would only cost a message and a block
// of the control's each. The first cell of the control's life is checked.
void ListView::setCellOnDemand(int position, int column) {
  if (!unsetCellsChecked_) {
    unsetCellsChecked_ = true;
    unsetCellsOnDemand_ = isCellOnDemand(position, column);
  }
  if (unsetCellsOnDemand_) return;
  LVITEMW cell = {};
  cell.iSubItem = column;
  cell.pszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(control_, LVM_SETITEMTEXTW, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(&cell));
}

bool ListView::isCellOnDemand(int position, int column) const {
  wchar_t text[2];
  LVITEMW cell = {};
  cell.mask = LVIF_TEXT | LVIF_NORECOMPUTE;
  cell.iItem = position;
  cell.iSubItem = column;
  cell.pszText = text;
  cell.cchTextMax = 2;
  return SendMessageW(control_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&cell)) &&
         cell.pszText == LPSTR_TEXTCALLBACKW;
}

// Once learned, the control's own comparison of the texts as it keeps them;
// before, one that orders most names alike.
int ListView::compareRowTexts(const char* first, const char* second) const {
  if (comparison_ == nullptr) return lstrcmpiA(first, second);
  return compareAsKept(comparison_, first, second);
}

bool ListView::beginRowsInOrder(EqualTexts& equalTexts) {
  LONG style = GetWindowLongA(control_, GWL_STYLE);
  if ((style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) != LVS_SORTASCENDING) return false;
  if (!rowOrderLearned_) {
    if (rowCount() != 0) return false;
    learnRowOrder();
  }
  if (comparison_ == nullptr) return false;
  SetWindowLongA(control_, GWL_STYLE, style & ~LVS_SORTASCENDING);
  equalTexts = equalTexts_;
  return true;
}

void ListView::endRowsInOrder() {
  SetWindowLongA(control_, GWL_STYLE, GetWindowLongA(control_, GWL_STYLE) | LVS_SORTASCENDING);
}

// The probe rows go in and out while the control is empty; it is left as it
// was. When its order matches none of the candidates, or more than one, the
// control goes on placing each row itself.
void ListView::learnRowOrder() {
  rowOrderLearned_ = true;
  int shown[kProbeCount];
  bool inserted = true;
  for (int i = 0; i < kProbeCount && inserted; ++i)
    inserted = insertRow(0, kProbeTexts[i], i, false) >= 0;
  for (int position = 0; inserted && position < kProbeCount; ++position)
    shown[position] = itemData(position);
  removeAllRows();
  if (!inserted) return;
  int matches = 0;
  for (WideComparison comparison : {&lstrcmpW, &lstrcmpiW})
    for (EqualTexts equal : {EqualTexts::LaterRowFirst, EqualTexts::EarlierRowFirst}) {
      int predicted[kProbeCount];
      predictProbeOrder(comparison, equal, predicted);
      if (!std::equal(predicted, predicted + kProbeCount, shown)) continue;
      ++matches;
      comparison_ = comparison;
      equalTexts_ = equal;
    }
  if (matches != 1) comparison_ = nullptr;
}

int ListView::itemData(int position) const {
  LVITEMA row = {};
  row.mask = LVIF_PARAM;
  row.iItem = position;
  if (!SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row))) return -1;
  return static_cast<int>(row.lParam);
}
