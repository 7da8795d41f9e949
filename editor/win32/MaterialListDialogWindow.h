// The material list dialog on template 129: its buttons, Enter, Esc and the
// close box, and the notifications of list 1000 mapped onto its behaviour.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ListView.h"
#include "MaterialListDialog.h"
#include "ModalDialog.h"

class MaterialListDialogWindow : public ModalDialog {
 public:
  explicit MaterialListDialogWindow(MaterialListDialog& behaviour) : behaviour_(behaviour) {}

  // `owner`: as ModalDialog::run takes it.
  DialogResult run(HWND owner);

 private:
  void onInitDialog() override;
  void onCommand(int controlId, int notifyCode) override;
  LRESULT onNotify(const NMHDR& header) override;
  void supplyWideCellText(const LVITEMW& cell);

  MaterialListDialog& behaviour_;
  ListView listView_;
};
