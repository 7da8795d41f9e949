// The material data dialog on template 136: OK and Enter, Cancel and Esc
// mapped onto its behaviour. The template has no close box.
#pragma once

#include "MaterialDataDialog.h"
#include "ModalDialog.h"

class MaterialDataDialogWindow : public ModalDialog {
 public:
  explicit MaterialDataDialogWindow(MaterialDataDialog& behaviour) : behaviour_(behaviour) {}

  // `owner`: as ModalDialog::run takes it.
  DialogResult run(HWND owner);

 private:
  void onInitDialog() override;
  void onCommand(int controlId, int notifyCode) override;

  MaterialDataDialog& behaviour_;
};
