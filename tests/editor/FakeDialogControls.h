// The controls of one open dialog, in memory: what the behaviour wrote, where
// the focus is, the message boxes it showed (answered from a queue) and how it
// ended. A test types into it as the user would.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "DialogControls.h"

struct ShownMessageBox {
  std::string text;
  std::string caption;
  unsigned style;
};

class FakeDialogControls : public DialogControls {
 public:
  // The template's controls with their template texts; any other id is
  // unknown.
  explicit FakeDialogControls(std::map<int, std::string> templateTexts);

  char* controlText(int id) override;
  void setControlText(int id, const char* text) override;
  void focusControl(int id) override;
  void setTitle(const char* text) override;
  int showMessageBox(const char* text, const char* caption, unsigned style) override;
  void endDialog(DialogResult result) override;

  // The user's side.
  void type(int id, const std::string& text);
  const std::string& text(int id) const;
  bool ended() const { return result.has_value(); }

  std::map<int, std::string> texts;
  int focusedId = 0;  // 0: none of the template's controls
  std::string title;
  std::deque<int> answers;  // for the coming questions, in turn; a box with
                            // only OK is answered OK
  std::vector<ShownMessageBox> messageBoxes;
  std::optional<DialogResult> result;
  // How many controlText copies succeed before the next fails (-1: all do).
  int textCopiesBeforeFailure = -1;
};

// Template 136 and 129, as far as the behaviour reaches them.
FakeDialogControls dataDialogControls();
FakeDialogControls listDialogControls();
