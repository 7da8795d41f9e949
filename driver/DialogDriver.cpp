#include "DialogDriver.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "DecimalText.h"
#include "DriverActions.h"
#include "UserInput.h"
#include "UserWait.h"

namespace {

constexpr DWORD kWindowWaitMilliseconds = static_cast<DWORD>(kUserWaitMilliseconds);
// Clicks on one window before the driver ends it itself.
constexpr int kCloseAttempts = 20;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

DialogDriver* DialogDriver::running_ = nullptr;

DialogDriver::DialogDriver(RowsReport rowsReport)
    : rowsReport_(std::move(rowsReport)), trace_(std::getenv("DIALOG_DRIVER_TRACE") != nullptr) {}

DialogDriver::~DialogDriver() { stop(); }

void DialogDriver::add(DriverStep step) { steps_.push_back(std::move(step)); }

namespace {

DriverStep makeStep(DriverAction action, int controlId, const std::string& text, int line) {
  DriverStep step;
  step.action = action;
  step.controlId = controlId;
  step.text = text;
  step.line = line;
  return step;
}

}  // namespace

// The shorthands tag each step with its position, counted from 1.
void DialogDriver::expectWindow(const std::string& title) {
  add(makeStep(DriverAction::ExpectWindow, 0, title, static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::press(const std::string& label) {
  add(makeStep(DriverAction::Press, 0, label, static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::set(int controlId, const std::string& text) {
  add(makeStep(DriverAction::Set, controlId, text, static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::select(const std::string& name) {
  add(makeStep(DriverAction::Select, 0, name, static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::doubleClick(const std::string& name) {
  add(makeStep(DriverAction::DoubleClick, 0, name, static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::key(const std::string& name) {
  DriverStep step = makeStep(DriverAction::Key, 0, name, static_cast<int>(steps_.size()) + 1);
  step.virtualKey = driverKeyCode(name);
  add(std::move(step));
}
void DialogDriver::expectText(int controlId, const std::string& text) {
  add(makeStep(DriverAction::ExpectText, controlId, text, static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::expectFocus(int controlId) {
  add(makeStep(DriverAction::ExpectFocus, controlId, "", static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::rows() {
  add(makeStep(DriverAction::Rows, 0, "", static_cast<int>(steps_.size()) + 1));
}
void DialogDriver::check(std::function<std::string(HWND window)> check) {
  DriverStep step = makeStep(DriverAction::Check, 0, "", static_cast<int>(steps_.size()) + 1);
  step.check = std::move(check);
  add(std::move(step));
}

void DialogDriver::start(UINT tickMilliseconds) {
  stop();
  running_ = this;
  timer_ = SetTimer(nullptr, 0, tickMilliseconds, onTimer);
}

void DialogDriver::stop() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  timer_ = 0;
  if (running_ == this) running_ = nullptr;
}

bool DialogDriver::succeeded() const { return failure_.empty() && next_ == steps_.size(); }

std::string DialogDriver::failure() const {
  if (!failure_.empty()) return failure_;
  if (next_ < steps_.size()) return "no window was left open for this step";
  return "";
}

int DialogDriver::failedLine() const {
  if (!failure_.empty()) return failedLine_;
  if (next_ < steps_.size()) return steps_[next_].line;
  return 0;
}

void CALLBACK DialogDriver::onTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (running_ != nullptr) running_->tick();
}

void DialogDriver::tick() {
  // A step may pump messages (the list view follows a click in a loop of
  // its own); a tick that comes meanwhile waits for the next one.
  if (inTick_) return;
  inTick_ = true;
  HWND window = UserInput::activeModalWindow();
  if (state_ == State::Stepping) {
    if (next_ < steps_.size()) {
      const DriverStep& step = steps_[next_];
      if (!stepUnderway_) {
        stepUnderway_ = true;
        stepStarted_ = GetTickCount();
      }
      Outcome outcome = runStep(step, window);
      if (trace_ && outcome != Outcome::Waiting)
        std::fprintf(stderr, "driver: line %d %s \"%s\": %s\n", step.line,
                     outcome == Outcome::Done ? "done" : "failed", step.text.c_str(),
                     failure_.c_str());
      if (outcome == Outcome::Done) {
        ++next_;
        stepUnderway_ = false;
      } else if (outcome == Outcome::Failed) {
        failedLine_ = step.line;
        state_ = State::Closing;
      }
    } else if (window != nullptr) {
      failure_ = "the steps ended with " + quoted(UserInput::windowText(window)) + " still open";
      failedLine_ = steps_.empty() ? 0 : steps_.back().line;
      state_ = State::Closing;
    }
  }
  // A window that the failed session opens later is closed as well.
  if (state_ == State::Closing && window != nullptr) closeOneWindow(window);
  inTick_ = false;
}

DialogDriver::Outcome DialogDriver::fail(const std::string& why) {
  failure_ = why;
  return Outcome::Failed;
}

DialogDriver::Outcome DialogDriver::runStep(const DriverStep& step, HWND window) {
  if (step.action == DriverAction::ExpectWindow) return expectWindow(step, window);
  // Also right after the dialog was started: it shows only once its loop
  // finds the queue empty, and a tick may come first. A check looks at the
  // window, so it waits as well.
  if (window == nullptr) {
    if (GetTickCount() - stepStarted_ < kWindowWaitMilliseconds) return Outcome::Waiting;
    return fail("no window is open");
  }
  if (step.action == DriverAction::Check) {
    std::string wrong = step.check(window);
    return wrong.empty() ? Outcome::Done : fail(wrong);
  }
  std::string wrong;
  switch (step.action) {
    case DriverAction::Press:
      wrong = DriverActions::press(window, step.text);
      break;
    case DriverAction::Set:
      wrong = DriverActions::setText(window, step.controlId, step.text);
      break;
    case DriverAction::Select:
    case DriverAction::DoubleClick:
      wrong = DriverActions::clickRow(window, step.text, step.action == DriverAction::DoubleClick);
      break;
    case DriverAction::Key:
      wrong = DriverActions::pressKey(window, step.virtualKey);
      break;
    case DriverAction::ExpectText: {
      std::string shown;
      wrong = DriverActions::readText(window, step.controlId, shown);
      if (wrong.empty() && shown != step.text)
        wrong = "control " + decimalText(step.controlId) + " shows " + quoted(shown) +
                ", not " + quoted(step.text);
      break;
    }
    case DriverAction::ExpectFocus: {
      int focused = 0;
      wrong = DriverActions::readFocus(window, focused);
      if (wrong.empty() && focused != step.controlId)
        wrong = "the focus is on control " + decimalText(focused);
      if (!wrong.empty()) wrong += ", not on control " + decimalText(step.controlId);
      break;
    }
    case DriverAction::Rows:
      wrong = DriverActions::readRows(window, lastRows_);
      if (wrong.empty() && rowsReport_) rowsReport_(lastRows_);
      break;
    default:
      wrong = "unknown step";
  }
  return wrong.empty() ? Outcome::Done : fail(wrong);
}

DialogDriver::Outcome DialogDriver::expectWindow(const DriverStep& step, HWND window) {
  std::string title = window != nullptr ? UserInput::windowText(window) : std::string();
  if (window != nullptr && title == step.text) return Outcome::Done;
  if (GetTickCount() - stepStarted_ < kWindowWaitMilliseconds) return Outcome::Waiting;
  return fail(window != nullptr ? "the active window is " + quoted(title) + ", not " +
                                      quoted(step.text)
                                : "no window " + quoted(step.text) + " came");
}

void DialogDriver::closeOneWindow(HWND window) {
  if (window != closing_) {
    closing_ = window;
    closeAttempts_ = 0;
  }
  if (++closeAttempts_ > kCloseAttempts) {
    EndDialog(window, IDCANCEL);  // a window that ignores its buttons
    return;
  }
  DriverActions::closeAsUser(window);
}
