// Shows the editor's dialogs modally. The behaviour of a dialog does not know
// how: the module shows the templates of its own resources
// (win32/Win32DialogRunner.h); tests act as the user behind a fake.
#pragma once

class MaterialDataDialog;
class MaterialListDialog;

class DialogRunner {
 public:
  // Each returns when the dialog has ended: true when it ended with OK, false
  // after Cancel or when the dialog could not be shown. A dialog shown while
  // another is open is modal to that one.
  virtual bool runModal(MaterialListDialog& dialog) = 0;
  virtual bool runModal(MaterialDataDialog& dialog) = 0;

 protected:
  ~DialogRunner() = default;
};
