#include "ListView.h"

#include <commctrl.h>

#include <cstring>

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

int ListView::insertRow(int requestedPosition, const char* text, int itemData, bool selected) {
  LVITEMA row = {};
  row.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  row.iItem = requestedPosition;
  row.pszText = const_cast<char*>(text);
  row.lParam = itemData;
  row.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  row.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  return static_cast<int>(SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

void ListView::setCell(int position, int column, const char* text) {
  LVITEMA cell = {};
  cell.iSubItem = column;
  cell.pszText = const_cast<char*>(text);
  SendMessageA(control_, LVM_SETITEMTEXTA, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(&cell));
}

int ListView::rowCount() const {
  return static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::columnCount() const {
  HWND header = reinterpret_cast<HWND>(SendMessageA(control_, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListView::itemData(int position) const {
  LVITEMA row = {};
  row.mask = LVIF_PARAM;
  row.iItem = position;
  if (!SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row))) return -1;
  return static_cast<int>(row.lParam);
}

void ListView::cellText(int position, int column, char* text, int size) const {
  if (size <= 0) return;
  text[0] = '\0';
  LVITEMA cell = {};
  cell.iSubItem = column;
  cell.pszText = text;
  cell.cchTextMax = size;
  SendMessageA(control_, LVM_GETITEMTEXTA, static_cast<WPARAM>(position),
               reinterpret_cast<LPARAM>(&cell));
  text[size - 1] = '\0';
}

int ListView::findRow(const char* text) const {
  for (int position = 0, count = rowCount(); position < count; ++position) {
    char name[1024];
    cellText(position, 0, name, sizeof name);
    if (std::strcmp(name, text) == 0) return position;
  }
  return -1;
}

int ListView::selectedRow() const {
  return static_cast<int>(SendMessageA(control_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       MAKELPARAM(LVNI_SELECTED, 0)));
}

bool ListView::isFocused(int position) const {
  return SendMessageA(control_, LVM_GETITEMSTATE, static_cast<WPARAM>(position), LVIS_FOCUSED) != 0;
}

bool ListView::rowRectangle(int position, RECT& rectangle) {
  SendMessageA(control_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
  rectangle.left = LVIR_LABEL;
  return SendMessageA(control_, LVM_GETITEMRECT, static_cast<WPARAM>(position),
                      reinterpret_cast<LPARAM>(&rectangle)) != 0;
}
