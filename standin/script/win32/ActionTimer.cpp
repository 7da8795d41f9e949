#include "ActionTimer.h"

#include <cstdio>
#include <cstring>

namespace {

ActionTimer* runningTimer = nullptr;

bool isDialog(HWND window) {
  char name[16];
  return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

// A dialog that is not shown yet is one whose modal loop has not yet found
// the queue empty: it shows then, and paints.
BOOL CALLBACK findHiddenDialog(HWND window, LPARAM found) {
  if (!isDialog(window) || IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

// The queue holds a paint message while any window of the thread waits to be
// painted: one question answers for all of them (asking each window cost
// milliseconds with a dialog's many controls, counted in every timing).
bool windowsSettled() {
  if ((HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0) return false;
  bool hiddenDialog = false;
  EnumThreadWindows(GetCurrentThreadId(), &findHiddenDialog,
                    reinterpret_cast<LPARAM>(&hiddenDialog));
  return !hiddenDialog;
}

}  // namespace

ActionTimer::ActionTimer() {
  QueryPerformanceFrequency(&frequency_);
  runningTimer = this;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, &ActionTimer::onMessageTaken, nullptr,
                            GetCurrentThreadId());
}

ActionTimer::~ActionTimer() {
  if (timing_) report("did not settle", millisecondsSinceStart());
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  runningTimer = nullptr;
}

void ActionTimer::start(int lineNumber, const std::string& lineText) {
  if (timing_) report("did not settle", millisecondsSinceStart());
  lineNumber_ = lineNumber;
  lineText_ = lineText;
  timing_ = true;
  QueryPerformanceCounter(&started_);
}

LRESULT CALLBACK ActionTimer::onMessageTaken(int code, WPARAM removal, LPARAM message) {
  const MSG* taken = reinterpret_cast<const MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && taken->message == WM_TIMER &&
      runningTimer != nullptr)
    runningTimer->onTimerMessage();
  return CallNextHookEx(nullptr, code, removal, message);
}

// The moment is read before the windows are looked at, so that the look is
// not counted.
void ActionTimer::onTimerMessage() {
  if (!timing_) return;
  double elapsed = millisecondsSinceStart();
  if (!windowsSettled()) return;
  timing_ = false;
  report("settled", elapsed);
}

double ActionTimer::millisecondsSinceStart() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart - started_.QuadPart) /
         static_cast<double>(frequency_.QuadPart);
}

void ActionTimer::report(const char* outcome, double milliseconds) const {
  std::fprintf(stderr, "timing: line %d: %s: %s after %.1f ms\n", lineNumber_, lineText_.c_str(),
               outcome, milliseconds);
  std::fflush(stderr);
}
