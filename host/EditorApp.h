// The application object of the module, started by host message 1 and
// stopped by message 2. The dialogs need nothing from it: they load the
// module's own resources (ModuleResources.h) and ready the window classes
// they use themselves, so that they show alike in the module and in a test
// program. It stays as the one place where the module's application starts
// and ends, which a build on the host's dialog framework fills in
// (docs/porting.md).
#pragma once

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

 private:
  bool started_ = false;
};
