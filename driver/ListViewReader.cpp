#include "ListViewReader.h"

#include <commctrl.h>

#include <cstring>

int ListViewReader::rowCount() const {
  return static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
}

int ListViewReader::columnCount() const {
  HWND header = reinterpret_cast<HWND>(SendMessageA(control_, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void ListViewReader::cellText(int position, int column, char* text, int size) const {
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

int ListViewReader::findRow(const char* text) const {
  for (int position = 0, count = rowCount(); position < count; ++position) {
    char name[1024];
    cellText(position, 0, name, sizeof name);
    if (std::strcmp(name, text) == 0) return position;
  }
  return -1;
}

int ListViewReader::selectedRow() const {
  return static_cast<int>(SendMessageA(control_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                       MAKELPARAM(LVNI_SELECTED, 0)));
}

bool ListViewReader::isFocused(int position) const {
  return SendMessageA(control_, LVM_GETITEMSTATE, static_cast<WPARAM>(position), LVIS_FOCUSED) != 0;
}

bool ListViewReader::rowRectangle(int position, RECT& rectangle) const {
  SendMessageA(control_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position), FALSE);
  rectangle.left = LVIR_LABEL;
  return SendMessageA(control_, LVM_GETITEMRECT, static_cast<WPARAM>(position),
                      reinterpret_cast<LPARAM>(&rectangle)) != 0;
}
