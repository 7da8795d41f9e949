// Shows the editor's dialogs from the templates in the module's own
// resources, each modal to the one open before it; the outermost one is modal
// to the window the runner is given (the host's main window). Holds no state
// of its own besides that window.
#pragma once

#include <windows.h>

#include "DialogRunner.h"

class Win32DialogRunner final : public DialogRunner {
 public:
  // `owner` null: the outermost dialog has no owner (tests, tools).
  explicit Win32DialogRunner(HWND owner = nullptr) : owner_(owner) {}

  bool runModal(MaterialListDialog& dialog) override;
  bool runModal(MaterialDataDialog& dialog) override;

  // Activates the innermost open window of the module's dialogs (a message
  // box over them included), or one that the owner has open.
  void bringOpenWindowToFront() const;

 private:
  HWND owner_;
};
