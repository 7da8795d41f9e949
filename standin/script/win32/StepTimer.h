// Calls a step function on every tick of a thread timer. A thread timer
// fires in every message loop of the thread, the modal loops of dialogs and
// message boxes included, so the steps go on while a command's windows run.
// A step that is still running when the next tick comes (because it ran a
// message loop of its own) is not entered again.
#pragma once

#include <windows.h>

#include <functional>

class StepTimer {
 public:
  static constexpr UINT kIntervalMilliseconds = 10;

  // One timer at a time per program.
  explicit StepTimer(std::function<void()> step);
  ~StepTimer();
  StepTimer(const StepTimer&) = delete;
  StepTimer& operator=(const StepTimer&) = delete;

 private:
  static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD);

  std::function<void()> step_;
  UINT_PTR timer_ = 0;
  bool inStep_ = false;
};
