#include "Win32DialogRunner.h"

#include "MaterialDataDialogWindow.h"
#include "MaterialListDialogWindow.h"

bool Win32DialogRunner::runModal(MaterialListDialog& dialog) {
  MaterialListDialogWindow window(dialog);
  return window.run(owner_) == DialogResult::Ok;
}

bool Win32DialogRunner::runModal(MaterialDataDialog& dialog) {
  MaterialDataDialogWindow window(dialog);
  return window.run(owner_) == DialogResult::Ok;
}

void Win32DialogRunner::bringOpenWindowToFront() const {
  ModalDialog::bringInnermostToFront(owner_);
}
