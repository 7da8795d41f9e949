#include "StepTimer.h"

#include <utility>

namespace {

StepTimer* runningTimer = nullptr;

}  // namespace

StepTimer::StepTimer(std::function<void()> step) : step_(std::move(step)) {
  runningTimer = this;
  timer_ = SetTimer(nullptr, 0, kIntervalMilliseconds, &StepTimer::onTick);
}

StepTimer::~StepTimer() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  runningTimer = nullptr;
}

void CALLBACK StepTimer::onTick(HWND, UINT, UINT_PTR, DWORD) {
  StepTimer* timer = runningTimer;
  if (timer == nullptr || timer->inStep_) return;
  timer->inStep_ = true;
  timer->step_();
  timer->inStep_ = false;
}
