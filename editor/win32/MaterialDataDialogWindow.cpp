#include "MaterialDataDialogWindow.h"

#include "MaterialDataDialogIds.h"

DialogResult MaterialDataDialogWindow::run(HWND owner) {
  return ModalDialog::run(IDD_MATERIAL_DATA, owner);
}

void MaterialDataDialogWindow::onInitDialog() { behaviour_.onInitDialog(*this); }

void MaterialDataDialogWindow::onCommand(int controlId, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  if (controlId == IDOK) {
    behaviour_.onOk();
  } else if (controlId == IDCANCEL) {
    behaviour_.onCancel();
  }
}
