#include "MaterialDataDialogWindow.h"

#include "MaterialDataDialogIds.h"

DialogResult MaterialDataDialogWindow::run() { return ModalDialog::run(IDD_MATERIAL_DATA); }

void MaterialDataDialogWindow::onInitDialog() { behaviour_.onInitDialog(*this); }

void MaterialDataDialogWindow::onCommand(int controlId, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  if (controlId == IDOK) {
    behaviour_.onOk();
  } else if (controlId == IDCANCEL) {
    behaviour_.onCancel();
  }
}
