// Acts as the user in front of this thread's dialogs: runs a list of steps,
// one per tick of a thread timer, inside whatever modal loop is running
// (dialogs and message boxes alike). A step that starts a modal loop is
// posted, so the driver never runs inside itself.
//
//   DialogDriver driver;
//   driver.add(...);                  // or parseDriverStep for script lines
//   driver.start();
//   dialog.runModal();                // the steps run while it is open
//   driver.stop();
//   if (!driver.succeeded()) report(driver.failedLine(), driver.failure());
//
// Every step waits up to 5 s for a window to act on. When a step fails, or
// the steps end while a window is still open, the driver closes the open
// windows as a user would (No in a question, else Cancel, else OK), so that
// the code that opened them returns; it goes on doing so until stopped.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DriverStep.h"

class DialogDriver {
 public:
  using RowsReport = std::function<void(const std::vector<std::string>& rows)>;

  // `rowsReport`, when given, receives what each "rows" step reads; the last
  // reading is also kept (lastRows).
  explicit DialogDriver(RowsReport rowsReport = nullptr);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  void add(DriverStep step);
  // Shorthands of add for tests.
  void expectWindow(const std::string& title);
  void press(const std::string& label);
  void set(int controlId, const std::string& text);
  void select(const std::string& name);
  void doubleClick(const std::string& name);
  void key(const std::string& name);
  void expectText(int controlId, const std::string& text);
  void expectFocus(int controlId);
  void rows();
  void check(std::function<std::string(HWND window)> check);

  // One driver runs at a time on a thread.
  void start(UINT tickMilliseconds = 10);
  void stop();

  // Every step ran and held, and no window was left open when one ticked.
  bool succeeded() const;
  // What went wrong, "" after success. When the windows closed before every
  // step ran, the first step that never ran is the one that failed.
  std::string failure() const;
  // The line tag of the failing step; of the last step when the steps ran
  // out with a window still open; 0 after success.
  int failedLine() const;
  std::size_t stepsRun() const { return next_; }
  const std::vector<std::string>& lastRows() const { return lastRows_; }

 private:
  enum class State { Stepping, Closing };
  enum class Outcome { Done, Waiting, Failed };

  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
  void tick();
  Outcome runStep(const DriverStep& step, HWND window);
  Outcome expectWindow(const DriverStep& step, HWND window);
  Outcome fail(const std::string& why);
  void closeOneWindow(HWND window);

  std::vector<DriverStep> steps_;
  std::size_t next_ = 0;
  DWORD stepStarted_ = 0;
  bool stepUnderway_ = false;
  State state_ = State::Stepping;
  std::string failure_;
  int failedLine_ = 0;
  HWND closing_ = nullptr;
  int closeAttempts_ = 0;
  RowsReport rowsReport_;
  std::vector<std::string> lastRows_;
  UINT_PTR timer_ = 0;
  bool inTick_ = false;
  bool trace_;  // DIALOG_DRIVER_TRACE set: each step's outcome on stderr
  static DialogDriver* running_;
};
