// What a running script needs from the program around it: the host (its
// commands, its clock, its output), the windows of the running command, and
// the dialog verbs, which a dialog driver library provides. Each is an
// interface so the script's logic runs natively against fakes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Script.h"

// The outcome of one action on a window.
struct ActionResult {
  bool held = true;
  std::string reason;  // why it did not hold

  static ActionResult success() { return ActionResult{}; }
  static ActionResult failed(std::string reason) { return ActionResult{false, std::move(reason)}; }
  // Held when `reason` is empty.
  static ActionResult unless(std::string reason) {
    return reason.empty() ? success() : failed(std::move(reason));
  }
};

// What a user or another program may ask of the host besides a command.
enum class HostRequest {
  CloseDrawing,  // the module removes its commands
  Unload,        // the drawing closes, the application ends, the library goes
};

// A message box of the module as it asked for it.
struct ModuleMessageBox {
  std::string caption;
  std::string text;
  unsigned style = 0;
  bool owned = false;      // it named an owner window
  std::string ownerTitle;  // that window's title
};

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // Starts the registered command `name` once the host is back in a message
  // loop (the running command's, if one runs), so that the command's modal
  // loops never run inside a script step. False when no command of that name
  // is registered.
  virtual bool startCommand(const std::string& name) = 0;
  // From startCommand until every command started has returned.
  virtual bool commandRunning() const = 0;
  // Whether the host's main window takes input: where a user types commands.
  virtual bool mainWindowEnabled() const = 0;
  // Carries the request out at once, or refuses it (false) while a window of
  // the module is open or its command runs.
  virtual bool request(HostRequest request) = 0;
  // The name that the module passed to its last ads_findfile; false when it
  // made none.
  virtual bool lastFileSearch(std::string& name) const = 0;
  // The innermost message box that the module has open, as it asked for it.
  // False when it has none open.
  virtual bool openMessageBox(ModuleMessageBox& box) const = 0;
  // What another program may do to the module's files while a command runs:
  // replace `to` with a copy of `from`, or delete `name` (paths as given,
  // relative to the working folder).
  virtual ActionResult copyFile(const std::string& from, const std::string& to) = 0;
  virtual ActionResult deleteFile(const std::string& name) = 0;
  // A monotonic clock.
  virtual long long milliseconds() const = 0;
  // One line of the script's output (standard output).
  virtual void writeOutputLine(const std::string& line) = 0;
  // A line that acts on the command or its windows (command, press, set,
  // select, key) has just done so; what it started runs after the step.
  virtual void onLineActed(const ScriptLine& /*line*/) {}
};

// The windows of the running command as a user meets them. The active window
// is the topmost one that takes input; every action acts on it. Actions that
// may open another modal loop are posted: they take effect after the step.
class WindowDriver {
 public:
  virtual ~WindowDriver() = default;
  // False when the command has no window open.
  virtual bool activeWindowTitle(std::string& title) = 0;
  // The title of the window that owns the active window; fails when no window
  // is open or the active one has no owner.
  virtual ActionResult activeWindowOwner(std::string& ownerTitle) = 0;
  // Clicks the button whose text, "&" removed, is `label`.
  virtual ActionResult press(const std::string& label) = 0;
  // Closes the active window as a user would: Cancel, or No in a question,
  // or OK when that is its only way out, or the close box. False when no
  // window is open.
  virtual bool closeActiveWindow() = 0;
  // Saves a picture of the screen around the host's main window and every
  // window of the command, as they are painted, into the BMP file `path`.
  virtual ActionResult savePicture(const std::string& path) = 0;
};

// The verbs that act on the controls of the module's dialogs (list 1000 and
// the dialogs' edit fields). A host without them fails those lines.
class DialogVerbs {
 public:
  virtual ~DialogVerbs() = default;
  // Sets the control's text as typing does.
  virtual ActionResult setText(int controlId, const std::string& text) = 0;
  // Selects the row of list 1000 whose name is `name`, as a click does.
  virtual ActionResult selectRow(const std::string& name) = 0;
  // Presses the key in the focused control.
  virtual ActionResult pressKey(ScriptKey key) = 0;
  virtual ActionResult controlText(int controlId, std::string& text) = 0;
  virtual ActionResult focusedControl(int& controlId) = 0;
  // The rows of list 1000 top to bottom, each the nine column texts joined by
  // single tab characters.
  virtual ActionResult listRows(std::vector<std::string>& rows) = 0;
};
