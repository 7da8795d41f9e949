// The stand-in host's main window: owner of the module's top-level message
// boxes, and where the host's own posted work arrives (a command to run, a
// line typed at the console), so that work runs in whatever message loop is
// current, never inside a script step.
#pragma once

#include <windows.h>

#include <string>

class HostWindow {
 public:
  class Events {
   public:
    virtual void onRunCommand() = 0;
    // `line` absent: the console input has ended.
    virtual void onConsoleLine(const std::string* line) = 0;
    // The user asked to close the window.
    virtual void onCloseRequest() = 0;

   protected:
    ~Events() = default;
  };

  explicit HostWindow(Events& events) : events_(events) {}
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Creates and shows the window. False when it cannot be created.
  bool create();
  HWND handle() const { return window_; }

  bool postRunCommand();
  // From any thread. The window takes `line` over (absent: input ended).
  bool postConsoleLine(std::string* line);

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  Events& events_;
  HWND window_ = nullptr;
};
