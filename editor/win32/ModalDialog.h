// A modal dialog from a template in the module's own resources: the base of
// every dialog window of the module. It keeps `this` with the window, hands
// each message to a named handler of the derived class, and offers the
// dialog's controls to the behaviour as DialogControls.
//
// A dialog shown while another is open is owned by that one, which takes no
// input until it ends; the first one is owned by the window it is given (the
// host's main window), which takes no input while any of them is open. All of
// this runs on one user-interface thread.
#pragma once

#include <windows.h>

#include "DialogControls.h"

class ModalDialog : public DialogControls {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows template `templateId` and returns once the dialog has ended; Cancel
  // also when it could not be created. `owner` owns it unless another dialog
  // of the module is open (null: no owner).
  DialogResult run(int templateId, HWND owner);

  // Activates the window that takes input in front of the innermost open
  // dialog, or, with none open, in front of `owner`: that dialog itself, or
  // the message box or dialog it has open. Nothing when there is none.
  static void bringInnermostToFront(HWND owner);

  char* controlText(int id) override;
  void setControlText(int id, const char* text) override;
  void focusControl(int id) override;
  void setTitle(const char* text) override;
  int showMessageBox(const char* text, const char* caption, unsigned style) override;
  void endDialog(DialogResult result) override;

 protected:
  ModalDialog() = default;
  ~ModalDialog() = default;

  HWND window() const { return window_; }

  // WM_INITDIALOG, once the controls exist. The focus is the handler's choice.
  virtual void onInitDialog() = 0;
  // WM_COMMAND from a control, Enter (IDOK), Esc and the close box (IDCANCEL).
  virtual void onCommand(int controlId, int notifyCode) = 0;
  // WM_NOTIFY; the result goes back to the control.
  virtual LRESULT onNotify(const NMHDR& header);

 private:
  static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  ModalDialog* outer_ = nullptr;  // open when this one was shown
  static ModalDialog* innermost_;
};
