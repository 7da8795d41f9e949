// The least window driving that the host's own script verbs need: find the
// active window of the running command, read its title, click one of its
// buttons, close it as a user would. Enough for the file question's box; the
// dialog driver library may take its place.
#pragma once

#include <windows.h>

#include "ScriptDrivers.h"

class Win32WindowDriver final : public WindowDriver {
 public:
  // `hostWindow` is the host's own main window, never one of the command's.
  explicit Win32WindowDriver(HWND hostWindow) : hostWindow_(hostWindow) {}

  bool activeWindowTitle(std::string& title) override;
  ActionResult press(const std::string& label) override;
  bool closeActiveWindow() override;

  // The topmost visible, enabled top-level window of this thread other than
  // the host's (a modal loop disables the windows below it); null when none.
  HWND activeWindow() const;

 private:
  HWND hostWindow_;
};

// A button's text as the user reads it: "&" marks a mnemonic, "&&" is "&".
std::string withoutMnemonics(const std::string& text);
