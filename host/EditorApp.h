// The application object of the module's dialog layer. The dialog layer is
// usable between start (host message 1) and stop (host message 2); while it
// is, resourceInstance() names the module whose dialog templates and string
// table the dialogs load.
#pragma once

#include <windows.h>

class EditorApp {
 public:
  // The module's one application object registers itself; it exists from the
  // runtime start to the runtime's termination.
  EditorApp();
  ~EditorApp();
  EditorApp(const EditorApp&) = delete;
  EditorApp& operator=(const EditorApp&) = delete;

  // The application object, or absent before the runtime start and after its
  // termination.
  static EditorApp* current();

  // Makes the module's resources the dialog layer's and readies the window
  // classes its dialogs use. False, with everything undone, when the classes
  // cannot be had. A second start while started changes nothing.
  bool start(HINSTANCE moduleInstance);
  void stop();

  bool started() const { return resourceInstance_ != nullptr; }
  // Absent while stopped.
  HINSTANCE resourceInstance() const { return resourceInstance_; }

 private:
  HINSTANCE resourceInstance_ = nullptr;
};
