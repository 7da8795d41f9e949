#include "ScriptSession.h"

#include <cstdio>
#include <utility>

#include "DecimalText.h"

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string hexadecimal(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

std::string firstWord(const std::string& text) {
  std::string::size_type start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  std::string::size_type end = text.find_first_of(" \t", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A message box shows its text in this control.
constexpr int kMessageBoxTextId = 65535;

bool acts(ScriptVerb verb) {
  switch (verb) {
    case ScriptVerb::Command:
    case ScriptVerb::SendCommand:
    case ScriptVerb::Press:
    case ScriptVerb::Set:
    case ScriptVerb::Select:
    case ScriptVerb::Key:
      return true;
    default:
      return false;
  }
}

}  // namespace

ScriptSession::ScriptSession(const Script& script, ScriptHost& host, WindowDriver& windows,
                             DialogVerbs* dialogVerbs)
    : script_(script), host_(host), windows_(windows), dialogVerbs_(dialogVerbs) {}

void ScriptSession::step() {
  switch (phase_) {
    case Phase::Running:
      stepRunning();
      break;
    case Phase::Closing:
      stepClosing();
      break;
    case Phase::Finished:
      break;
  }
}

// The end of the script acts as a quit line of its own.
void ScriptSession::stepRunning() {
  ScriptLine end;
  end.number = script_.endLineNumber;
  end.text = "(end of script)";
  end.verb = ScriptVerb::Quit;
  const ScriptLine& line = next_ < script_.lines.size() ? script_.lines[next_] : end;
  if (waitStart_ < 0) waitStart_ = host_.milliseconds();
  switch (runLine(line)) {
    case Progress::Done:
      if (acts(line.verb)) host_.onLineActed(line);
      ++next_;
      waitStart_ = -1;
      if (line.verb == ScriptVerb::Quit) phase_ = Phase::Finished;
      break;
    case Progress::Waiting:
      break;
    case Progress::Failed:
      startClosing(line);
      break;
  }
}

void ScriptSession::startClosing(const ScriptLine& line) {
  failed_ = true;
  failure_ = ScriptFailure{line.number, line.text, reason_};
  phase_ = Phase::Closing;
  waitStart_ = host_.milliseconds();
}

// One window per step: the close is posted and takes effect before the next
// tick, which may reveal the window below it.
void ScriptSession::stepClosing() {
  if (host_.milliseconds() - waitStart_ > kCloseMilliseconds) {
    windowsLeftOpen_ = host_.commandRunning();
    phase_ = Phase::Finished;
    return;
  }
  if (windows_.closeActiveWindow()) return;
  if (!host_.commandRunning()) phase_ = Phase::Finished;
}

bool ScriptSession::waitedTooLong() const {
  return host_.milliseconds() - waitStart_ > kWaitMilliseconds;
}

ScriptSession::Progress ScriptSession::fail(std::string reason) {
  reason_ = std::move(reason);
  return Progress::Failed;
}

ScriptSession::Progress ScriptSession::fromResult(const ActionResult& result) {
  return result.held ? Progress::Done : fail(result.reason);
}

ScriptSession::Progress ScriptSession::runLine(const ScriptLine& line) {
  switch (line.verb) {
    case ScriptVerb::Command:
      return runCommand(line);
    case ScriptVerb::ExpectWindow:
      return expectWindow(line);
    case ScriptVerb::Press:
      return press(line);
    case ScriptVerb::Picture:
      return takePicture(line);
    case ScriptVerb::Quit:
      return awaitCommandEnd("the command did not end");
    case ScriptVerb::SendCommand:
      return sendCommand(line);
    case ScriptVerb::CloseDrawing:
      return makeRequest(HostRequest::CloseDrawing);
    case ScriptVerb::Unload:
      return makeRequest(HostRequest::Unload);
    case ScriptVerb::ExpectRefused:
      return expectRefused();
    case ScriptVerb::ExpectOwner:
      return expectOwner(line);
    case ScriptVerb::ExpectHost:
      return expectHost(line);
    case ScriptVerb::ExpectStyle:
      return expectStyle(line);
    case ScriptVerb::ExpectFindFile:
      return expectFindFile(line);
    case ScriptVerb::FileCopy:
      return fromResult(host_.copyFile(line.argument, line.target));
    case ScriptVerb::FileDelete:
      return fromResult(host_.deleteFile(line.argument));
    case ScriptVerb::Set:
    case ScriptVerb::Select:
    case ScriptVerb::Key:
    case ScriptVerb::ExpectText:
    case ScriptVerb::ExpectFocus:
    case ScriptVerb::Rows:
      return runDialogVerb(line);
  }
  return fail("unknown action");
}

ScriptSession::Progress ScriptSession::awaitCommandEnd(const char* what) {
  if (!host_.commandRunning()) return Progress::Done;
  if (!waitedTooLong()) return Progress::Waiting;
  std::string title;
  if (windows_.activeWindowTitle(title))
    return fail(std::string(what) + ": window " + quoted(title) + " is open");
  return fail(std::string(what) + " within 5 s");
}

// As typed at the host's command line, which lives in its main window: while
// a command has a window open and the main window still takes input, the
// user can type the next command there and it runs at once; otherwise the
// line waits for the running command to end.
ScriptSession::Progress ScriptSession::runCommand(const ScriptLine& line) {
  std::string title;
  bool typeable = host_.mainWindowEnabled() && windows_.activeWindowTitle(title);
  if (host_.commandRunning() && !typeable) {
    Progress previous = awaitCommandEnd("the previous command did not end");
    if (previous != Progress::Done) return previous;
  }
  return sendCommand(line);
}

// As a menu macro or another program starts a command: at once, whatever runs.
ScriptSession::Progress ScriptSession::sendCommand(const ScriptLine& line) {
  if (!host_.startCommand(line.argument))
    return fail("no command " + quoted(line.argument) + " is registered");
  return Progress::Done;
}

ScriptSession::Progress ScriptSession::makeRequest(HostRequest request) {
  lastRequest_ = host_.request(request) ? RequestOutcome::CarriedOut : RequestOutcome::Refused;
  return Progress::Done;
}

ScriptSession::Progress ScriptSession::expectRefused() {
  switch (lastRequest_) {
    case RequestOutcome::Refused:
      return Progress::Done;
    case RequestOutcome::CarriedOut:
      return fail("the host carried the last request out");
    case RequestOutcome::None:
      break;
  }
  return fail("no request was made");
}

// A box of the module is judged by the owner it asked for, which the system
// may replace (by the top-level window of a child it was given).
ScriptSession::Progress ScriptSession::expectOwner(const ScriptLine& line) {
  if (windowPending()) return Progress::Waiting;
  std::string owner;
  ModuleMessageBox box;
  if (activeModuleBox(box)) {
    if (!box.owned) return fail(quoted(box.caption) + " was asked for without an owner");
    owner = box.ownerTitle;
  } else {
    ActionResult result = windows_.activeWindowOwner(owner);
    if (!result.held) return fail(result.reason);
  }
  if (owner != line.argument) return fail("the owner is " + quoted(owner));
  return Progress::Done;
}

bool ScriptSession::activeModuleBox(ModuleMessageBox& box) const {
  std::string title;
  return host_.openMessageBox(box) && windows_.activeWindowTitle(title) && title == box.caption;
}

// The state may change only once the command's windows have closed: the line
// waits for it as expect-window waits for a window.
ScriptSession::Progress ScriptSession::expectHost(const ScriptLine& line) {
  bool enabled = host_.mainWindowEnabled();
  if (enabled == line.enabled) return Progress::Done;
  if (!waitedTooLong()) return Progress::Waiting;
  return fail(std::string("the host's window is ") + (enabled ? "enabled" : "disabled"));
}

ScriptSession::Progress ScriptSession::expectStyle(const ScriptLine& line) {
  if (windowPending()) return Progress::Waiting;
  ModuleMessageBox box;
  if (!activeModuleBox(box)) return fail("the active window is no message box of the module");
  if (box.style != line.style) return fail("the box's style is " + hexadecimal(box.style));
  return Progress::Done;
}

ScriptSession::Progress ScriptSession::expectFindFile(const ScriptLine& line) {
  std::string name;
  if (!host_.lastFileSearch(name)) return fail("the module searched for no file");
  if (name != line.argument) return fail("the module searched for " + quoted(name));
  return Progress::Done;
}

// A window that can no longer come (no command running, none open) fails at
// once instead of after the whole wait.
ScriptSession::Progress ScriptSession::expectWindow(const ScriptLine& line) {
  std::string title;
  bool open = windows_.activeWindowTitle(title);
  if (open && title == line.argument) return Progress::Done;
  if (!open && !host_.commandRunning()) return fail("no window is open and no command is running");
  if (!waitedTooLong()) return Progress::Waiting;
  if (open) return fail("the active window is " + quoted(title));
  return fail("no window came within 5 s");
}

// Right after a command or a click opened a window, a tick may come before
// the window shows (its modal loop shows it once the queue is empty); while
// the command runs, a line that acts on a window waits for one.
bool ScriptSession::windowPending() const {
  std::string title;
  return !windows_.activeWindowTitle(title) && host_.commandRunning() && !waitedTooLong();
}

ScriptSession::Progress ScriptSession::press(const ScriptLine& line) {
  if (windowPending()) return Progress::Waiting;
  std::string title;
  if (!windows_.activeWindowTitle(title)) return fail("no window is open");
  return fromResult(windows_.press(line.argument));
}

ScriptSession::Progress ScriptSession::takePicture(const ScriptLine& line) {
  if (host_.milliseconds() - waitStart_ < kPaintMilliseconds) return Progress::Waiting;
  return fromResult(windows_.savePicture(line.argument));
}

ScriptSession::Progress ScriptSession::runDialogVerb(const ScriptLine& line) {
  if (dialogVerbs_ == nullptr) {
    return fail(quoted(firstWord(line.text)) + " needs the dialog driver, which this host lacks");
  }
  if (windowPending()) return Progress::Waiting;
  switch (line.verb) {
    case ScriptVerb::Set:
      return fromResult(dialogVerbs_->setText(line.controlId, line.argument));
    case ScriptVerb::Select:
      return fromResult(dialogVerbs_->selectRow(line.argument));
    case ScriptVerb::Key:
      return fromResult(dialogVerbs_->pressKey(line.key));
    case ScriptVerb::ExpectText: {
      std::string text;
      ModuleMessageBox box;
      if (line.controlId == kMessageBoxTextId && activeModuleBox(box)) {
        text = box.text;
      } else {
        ActionResult result = dialogVerbs_->controlText(line.controlId, text);
        if (!result.held) return fail(result.reason);
      }
      if (text != line.argument)
        return fail("control " + decimalText(line.controlId) + " holds " + quoted(text));
      return Progress::Done;
    }
    case ScriptVerb::ExpectFocus: {
      int focused = 0;
      ActionResult result = dialogVerbs_->focusedControl(focused);
      if (!result.held) return fail(result.reason);
      if (focused != line.controlId)
        return fail("the focus is on control " + decimalText(focused));
      return Progress::Done;
    }
    case ScriptVerb::Rows: {
      std::vector<std::string> rows;
      ActionResult result = dialogVerbs_->listRows(rows);
      if (!result.held) return fail(result.reason);
      for (const std::string& row : rows) host_.writeOutputLine(row);
      return Progress::Done;
    }
    default:
      return fail("not a dialog action");
  }
}
