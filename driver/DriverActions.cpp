#include "DriverActions.h"

#include "DecimalText.h"
#include "ListViewReader.h"
#include "UserInput.h"

namespace DriverActions {

namespace {

constexpr int kListId = 1000;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string title(HWND window) { return quoted(UserInput::windowText(window)); }

bool hasClass(HWND control, const char* className) {
  char name[16] = {};
  if (control != nullptr) GetClassNameA(control, name, sizeof name);
  return lstrcmpiA(name, className) == 0;
}

}  // namespace

std::string press(HWND window, const std::string& label) {
  HWND button = UserInput::findButton(window, label);
  if (button == nullptr) return title(window) + " has no button " + quoted(label);
  UserInput::clickButton(button);
  return "";
}

std::string setText(HWND window, int controlId, const std::string& text) {
  HWND edit = GetDlgItem(window, controlId);
  if (!hasClass(edit, "Edit"))
    return title(window) + " has no edit control " + decimalText(controlId);
  UserInput::typeText(window, edit, text);
  return "";
}

std::string clickRow(HWND window, const std::string& name, bool twice) {
  HWND list = GetDlgItem(window, kListId);
  if (list == nullptr) return title(window) + " has no list";
  int position = ListViewReader(list).findRow(name.c_str());
  if (position < 0) return "the list has no row " + quoted(name);
  bool clicked =
      twice ? UserInput::doubleClickRow(list, position) : UserInput::clickRow(list, position);
  if (!clicked) return "the row " + quoted(name) + " cannot be clicked";
  if (ListViewReader(list).selectedRow() != position)
    return "a click on " + quoted(name) + " did not select it";
  return "";
}

std::string pressKey(HWND window, UINT virtualKey) {
  HWND focus = GetFocus();
  UserInput::pressKey(focus != nullptr ? focus : window, virtualKey);
  return "";
}

std::string readText(HWND window, int controlId, std::string& text) {
  HWND control = GetDlgItem(window, controlId);
  if (control == nullptr) return title(window) + " has no control " + decimalText(controlId);
  text = UserInput::windowText(control);
  return "";
}

std::string readFocus(HWND window, int& controlId) {
  HWND focus = GetFocus();
  if (focus == nullptr || GetParent(focus) != window)
    return "the focus is on no control of " + title(window);
  controlId = GetDlgCtrlID(focus);
  return "";
}

std::string readRows(HWND window, std::vector<std::string>& rows) {
  HWND list = GetDlgItem(window, kListId);
  if (list == nullptr) return title(window) + " has no list";
  rows = UserInput::listRows(list);
  return "";
}

void closeAsUser(HWND window) {
  for (const char* label : {"No", "Cancel", "OK"}) {
    HWND button = UserInput::findButton(window, label);
    if (button == nullptr) continue;
    UserInput::clickButton(button);
    return;
  }
  EndDialog(window, IDCANCEL);
}

}  // namespace DriverActions
