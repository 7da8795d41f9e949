#include "ActionTimer.h"

#include <cstdio>
#include <cstring>

namespace {

ActionTimer* runningTimer = nullptr;

struct Unsettled {
  bool found = false;
};

bool isDialog(HWND window) {
  char name[16];
  return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "#32770") == 0;
}

bool unpainted(HWND window) {
  return IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE);
}

BOOL CALLBACK checkChild(HWND child, LPARAM state) {
  if (!unpainted(child)) return TRUE;
  reinterpret_cast<Unsettled*>(state)->found = true;
  return FALSE;
}

// A dialog that is not shown yet is one whose modal loop has not yet found
// the queue empty: it shows then, and paints.
BOOL CALLBACK checkTopLevel(HWND window, LPARAM state) {
  Unsettled& unsettled = *reinterpret_cast<Unsettled*>(state);
  if ((isDialog(window) && !IsWindowVisible(window)) || unpainted(window)) {
    unsettled.found = true;
    return FALSE;
  }
  EnumChildWindows(window, &checkChild, state);
  return unsettled.found ? FALSE : TRUE;
}

bool windowsSettled() {
  Unsettled unsettled;
  EnumThreadWindows(GetCurrentThreadId(), &checkTopLevel, reinterpret_cast<LPARAM>(&unsettled));
  return !unsettled.found;
}

}  // namespace

ActionTimer::ActionTimer() {
  QueryPerformanceFrequency(&frequency_);
  runningTimer = this;
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, &ActionTimer::onMessageTaken, nullptr,
                            GetCurrentThreadId());
}

ActionTimer::~ActionTimer() {
  if (timing_) report("did not settle");
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  runningTimer = nullptr;
}

void ActionTimer::start(int lineNumber, const std::string& lineText) {
  if (timing_) report("did not settle");
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

void ActionTimer::onTimerMessage() {
  if (!timing_ || !windowsSettled()) return;
  timing_ = false;
  report("settled");
}

double ActionTimer::millisecondsSinceStart() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart - started_.QuadPart) /
         static_cast<double>(frequency_.QuadPart);
}

void ActionTimer::report(const char* outcome) const {
  std::fprintf(stderr, "timing: line %d: %s: %s after %.1f ms\n", lineNumber_, lineText_.c_str(),
               outcome, millisecondsSinceStart());
  std::fflush(stderr);
}
