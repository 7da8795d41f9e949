// The check that the module's windows are modal to the host as a real host
// needs them to be: the outermost owned by the host's main window, each other
// one by the window below it, only the innermost taking input, and the host's
// window disabled while any is open. Otherwise the user could type a command,
// close the drawing or unload the module under them, or act in a window
// below an open question.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ModuleWindowChain {
 public:
  explicit ModuleWindowChain(HWND hostWindow) : hostWindow_(hostWindow) {}

  // The dialogs and message boxes of this thread but the host's window: the
  // module's. A modal window is created, and its owner disabled, before its
  // loop first shows it, so `shownOnly` leaves out one that is being opened.
  std::vector<HWND> windows(bool shownOnly) const;

  // Each fault of the windows open now, in words; none when nothing is open.
  std::vector<std::string> faults() const;

 private:
  std::vector<std::string> ownerFaults(const std::vector<HWND>& windows) const;

  HWND hostWindow_;
};
