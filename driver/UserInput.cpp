#include "UserInput.h"

#include <commctrl.h>

#include "ListViewReader.h"

namespace UserInput {

namespace {

bool isDialogClass(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

bool takesInput(HWND window) {
  return window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window) &&
         isDialogClass(window);
}

BOOL CALLBACK findTakingInput(HWND window, LPARAM found) {
  if (!takesInput(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

std::string withoutMnemonics(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" stands for one "&"
    plain += text[i];
  }
  return plain;
}

struct ButtonSearch {
  const std::string* label;
  HWND found;
};

BOOL CALLBACK findButtonChild(HWND child, LPARAM search) {
  auto& wanted = *reinterpret_cast<ButtonSearch*>(search);
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Button") != 0 || !IsWindowVisible(child) || !IsWindowEnabled(child))
    return TRUE;
  if (withoutMnemonics(windowText(child)) != *wanted.label) return TRUE;
  wanted.found = child;
  return FALSE;
}

POINT rowPoint(const RECT& row) {
  LONG inset = row.right - row.left > 8 ? 4 : 0;
  return POINT{row.left + inset, (row.top + row.bottom) / 2};
}

}  // namespace

HWND activeModalWindow() {
  HWND active = GetActiveWindow();
  if (takesInput(active)) return active;
  // No window manager may mean no activation: the open chain of modal
  // windows has exactly one that is enabled.
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findTakingInput, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string windowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(window, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

HWND findButton(HWND window, const std::string& label) {
  ButtonSearch search{&label, nullptr};
  EnumChildWindows(window, findButtonChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void clickButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void typeText(HWND dialog, HWND edit, const std::string& text) {
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageA(edit, WM_CHAR, VK_BACK, 1);
  for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool clickRow(HWND list, int position) {
  RECT row;
  if (!ListViewReader(list).rowRectangle(position, row)) return false;
  POINT at = rowPoint(row);
  // The list view follows a button press in a loop of its own until the
  // button comes up; the release waits in the queue for it.
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  return true;
}

bool doubleClickRow(HWND list, int position) {
  if (!clickRow(list, position)) return false;
  RECT row;
  ListViewReader(list).rowRectangle(position, row);
  POINT at = rowPoint(row);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  return true;
}

void pressKey(HWND control, UINT virtualKey) {
  UINT scanCode = MapVirtualKeyA(virtualKey, 0);
  bool extended = virtualKey == VK_INSERT || virtualKey == VK_DELETE || virtualKey == VK_HOME ||
                  virtualKey == VK_END || virtualKey == VK_UP || virtualKey == VK_DOWN;
  LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16) | (extended ? 1 << 24 : 0);
  // Posted, so that the dialog's loop sees it first: Enter, Esc and Tab are
  // the dialog manager's, not the control's.
  PostMessageA(control, WM_KEYDOWN, virtualKey, down);
  PostMessageA(control, WM_KEYUP, virtualKey, down | static_cast<LPARAM>(0xC0000000u));
}

std::vector<std::string> listRows(HWND list) {
  ListViewReader view(list);
  std::vector<std::string> rows;
  int columns = view.columnCount();
  for (int position = 0, count = view.rowCount(); position < count; ++position) {
    std::string row;
    for (int column = 0; column < columns; ++column) {
      char cell[1024];
      view.cellText(position, column, cell, sizeof cell);
      if (column > 0) row += '\t';
      row += cell;
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace UserInput
