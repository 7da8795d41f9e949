// What a dialog's behaviour may do with its own window: the controls of its
// template, its title, message boxes it owns, and its end. The Win32 layer
// maps it onto the real window; tests put a fake behind it.
#pragma once

enum class DialogResult { Ok, Cancel };

// Message box styles and answers, with the values the platform gives them.
namespace MessageBoxStyle {
constexpr unsigned kOk = 0x0;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconStop = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kDefaultButton2 = 0x100;
}  // namespace MessageBoxStyle

namespace MessageBoxAnswer {
constexpr int kOk = 1;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace MessageBoxAnswer

class DialogControls {
 public:
  // The text of control `id` as a heap copy (std::malloc) that the caller
  // releases with std::free; "" for a control without text or an unknown id.
  // Null only when the copy cannot be allocated.
  virtual char* controlText(int id) = 0;

  // Does nothing for an unknown id.
  virtual void setControlText(int id, const char* text) = 0;

  // Gives the keyboard focus to control `id`; does nothing for an unknown id.
  virtual void focusControl(int id) = 0;

  virtual void setTitle(const char* text) = 0;

  // A message box owned by the dialog; returns the answer (MessageBoxAnswer).
  // Text and caption must both stay valid for the call.
  virtual int showMessageBox(const char* text, const char* caption, unsigned style) = 0;

  // Closes the dialog once the current handler returns.
  virtual void endDialog(DialogResult result) = 0;

 protected:
  ~DialogControls() = default;
};
