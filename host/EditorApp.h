// The application object of the module's dialog layer. The dialog layer is
// usable between start (host message 1) and stop (host message 2); while it
// is, resourceInstance() names the module whose dialog templates and string
// table the dialogs load. The dialogs ready the window classes they use
// themselves, so that they show alike in the module and in a test program.
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

  // A second start while started changes nothing.
  void start();
  void stop();

  bool started() const { return started_; }
  // The module's resources (ModuleResources.h); absent while stopped.
  HINSTANCE resourceInstance() const;

 private:
  bool started_ = false;
};
