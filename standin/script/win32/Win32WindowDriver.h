// The windows of the running command as the dialog driver library finds and
// handles them: the active modal window (a dialog or a message box of this
// thread, never the host's main window), its buttons, and closing it as a
// user would; and pictures of them for the documentation.
#pragma once

#include "ScriptDrivers.h"

class Win32WindowDriver final : public WindowDriver {
 public:
  bool activeWindowTitle(std::string& title) override;
  ActionResult activeWindowOwner(std::string& ownerTitle) override;
  ActionResult press(const std::string& label) override;
  bool closeActiveWindow() override;
  ActionResult savePicture(const std::string& path) override;
};
