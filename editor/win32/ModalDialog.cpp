#include "ModalDialog.h"

#include <cstdlib>

#include "ModuleResources.h"

static_assert(MessageBoxStyle::kYesNo == MB_YESNO && MessageBoxStyle::kIconStop == MB_ICONSTOP &&
                  MessageBoxStyle::kIconQuestion == MB_ICONQUESTION &&
                  MessageBoxStyle::kDefaultButton2 == MB_DEFBUTTON2 &&
                  MessageBoxAnswer::kYes == IDYES && MessageBoxAnswer::kNo == IDNO &&
                  MessageBoxAnswer::kOk == IDOK,
              "the behaviour passes message box styles and answers through unchanged");

ModalDialog* ModalDialog::innermost_ = nullptr;

// The dialog manager disables the owner while the dialog is open and enables
// it again when the dialog ends, however it ends: the host's window takes no
// command while the editor is open.
DialogResult ModalDialog::run(int templateId, HWND owner) {
  if (innermost_ != nullptr) owner = innermost_->window_;
  outer_ = innermost_;
  innermost_ = this;
  INT_PTR ended = DialogBoxParamA(moduleResources(), MAKEINTRESOURCEA(templateId), owner,
                                  dialogProcedure, reinterpret_cast<LPARAM>(this));
  innermost_ = outer_;
  window_ = nullptr;
  return ended == IDOK ? DialogResult::Ok : DialogResult::Cancel;
}

namespace {

struct OwnedWindowSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK findOwnedWindowTakingInput(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<OwnedWindowSearch*>(parameter);
  if (GetWindow(window, GW_OWNER) != search.owner || !IsWindowVisible(window) ||
      !IsWindowEnabled(window))
    return TRUE;
  search.found = window;
  return FALSE;
}

// The visible, enabled window of this thread that `owner` owns, or null: the
// next one up the chain of open modal windows.
HWND ownedWindowTakingInput(HWND owner) {
  OwnedWindowSearch search{owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), findOwnedWindowTakingInput,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

void ModalDialog::bringInnermostToFront(HWND owner) {
  HWND front = innermost_ != nullptr ? innermost_->window_ : nullptr;
  HWND start = front != nullptr ? front : owner;
  if (start == nullptr) return;
  for (HWND next = ownedWindowTakingInput(start); next != nullptr;
       next = ownedWindowTakingInput(next))
    front = next;
  if (front == nullptr) return;
  SetForegroundWindow(front);
  BringWindowToTop(front);
}

INT_PTR CALLBACK ModalDialog::dialogProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<ModalDialog*>(lParam)->window_ = window;
  }
  // Null for the few messages that come before WM_INITDIALOG.
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  return dialog != nullptr ? dialog->handleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR ModalDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      onInitDialog();
      return FALSE;  // the focus is set
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, onNotify(*reinterpret_cast<NMHDR*>(lParam)));
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT ModalDialog::onNotify(const NMHDR&) { return 0; }

char* ModalDialog::controlText(int id) {
  HWND control = GetDlgItem(window_, id);
  int length = control != nullptr ? GetWindowTextLengthA(control) : 0;
  char* text = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
  if (text == nullptr) return nullptr;
  text[0] = '\0';
  if (control != nullptr) GetWindowTextA(control, text, length + 1);
  return text;
}

void ModalDialog::setControlText(int id, const char* text) { SetDlgItemTextA(window_, id, text); }

void ModalDialog::focusControl(int id) {
  HWND control = GetDlgItem(window_, id);
  // Through the dialog manager, so that the default button follows and an
  // edit control's text comes selected, ready to be typed over.
  if (control != nullptr) SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void ModalDialog::setTitle(const char* text) { SetWindowTextA(window_, text); }

int ModalDialog::showMessageBox(const char* text, const char* caption, unsigned style) {
  return MessageBoxA(window_, text, caption, style);
}

void ModalDialog::endDialog(DialogResult result) {
  EndDialog(window_, result == DialogResult::Ok ? IDOK : IDCANCEL);
}
