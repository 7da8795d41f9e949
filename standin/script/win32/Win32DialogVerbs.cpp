#include "Win32DialogVerbs.h"

#include <windows.h>

#include <functional>

#include "DriverActions.h"
#include "UserInput.h"

namespace {

ActionResult onActiveWindow(const std::function<std::string(HWND window)>& action) {
  HWND window = UserInput::activeModalWindow();
  if (window == nullptr) return ActionResult::failed("no window is open");
  return ActionResult::unless(action(window));
}

UINT virtualKeyOf(ScriptKey key) {
  switch (key) {
    case ScriptKey::Enter:
      return VK_RETURN;
    case ScriptKey::Escape:
      return VK_ESCAPE;
    case ScriptKey::Insert:
      return VK_INSERT;
    case ScriptKey::Delete:
      return VK_DELETE;
  }
  return 0;
}

}  // namespace

ActionResult Win32DialogVerbs::setText(int controlId, const std::string& text) {
  return onActiveWindow([&](HWND window) { return DriverActions::setText(window, controlId, text); });
}

ActionResult Win32DialogVerbs::selectRow(const std::string& name) {
  return onActiveWindow([&](HWND window) { return DriverActions::clickRow(window, name, false); });
}

ActionResult Win32DialogVerbs::pressKey(ScriptKey key) {
  return onActiveWindow(
      [&](HWND window) { return DriverActions::pressKey(window, virtualKeyOf(key)); });
}

ActionResult Win32DialogVerbs::controlText(int controlId, std::string& text) {
  return onActiveWindow(
      [&](HWND window) { return DriverActions::readText(window, controlId, text); });
}

ActionResult Win32DialogVerbs::focusedControl(int& controlId) {
  return onActiveWindow([&](HWND window) { return DriverActions::readFocus(window, controlId); });
}

ActionResult Win32DialogVerbs::listRows(std::vector<std::string>& rows) {
  return onActiveWindow([&](HWND window) { return DriverActions::readRows(window, rows); });
}
