#include "Win32WindowDriver.h"

#include "DriverActions.h"
#include "UserInput.h"

bool Win32WindowDriver::activeWindowTitle(std::string& title) {
  HWND window = UserInput::activeModalWindow();
  if (window == nullptr) return false;
  title = UserInput::windowText(window);
  return true;
}

ActionResult Win32WindowDriver::press(const std::string& label) {
  HWND window = UserInput::activeModalWindow();
  if (window == nullptr) return ActionResult::failed("no window is open");
  return ActionResult::unless(DriverActions::press(window, label));
}

bool Win32WindowDriver::closeActiveWindow() {
  HWND window = UserInput::activeModalWindow();
  if (window == nullptr) return false;
  DriverActions::closeAsUser(window);
  return true;
}
