#include "Win32WindowDriver.h"

#include "DriverActions.h"
#include "ScreenPicture.h"
#include "UserInput.h"

namespace {

// The host's main window and the command's windows all belong to this
// thread: the area that shows them all.
BOOL CALLBACK addShownWindow(HWND window, LPARAM area) {
  RECT frame;
  if (!IsWindowVisible(window) || !GetWindowRect(window, &frame)) return TRUE;
  RECT* shown = reinterpret_cast<RECT*>(area);
  if (IsRectEmpty(shown))
    *shown = frame;
  else
    UnionRect(shown, shown, &frame);
  return TRUE;
}

}  // namespace

bool Win32WindowDriver::activeWindowTitle(std::string& title) {
  HWND window = UserInput::activeModalWindow();
  if (window == nullptr) return false;
  title = UserInput::windowText(window);
  return true;
}

ActionResult Win32WindowDriver::activeWindowOwner(std::string& ownerTitle) {
  HWND window = UserInput::activeModalWindow();
  if (window == nullptr) return ActionResult::failed("no window is open");
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner == nullptr)
    return ActionResult::failed("\"" + UserInput::windowText(window) + "\" has no owner");
  ownerTitle = UserInput::windowText(owner);
  return ActionResult::success();
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

ActionResult Win32WindowDriver::savePicture(const std::string& path) {
  RECT shown = {};
  EnumThreadWindows(GetCurrentThreadId(), &addShownWindow, reinterpret_cast<LPARAM>(&shown));
  return ActionResult::unless(saveScreenPicture(shown, path));
}
