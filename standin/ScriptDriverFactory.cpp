#include "ScriptDriverFactory.h"

#include "Win32WindowDriver.h"

std::unique_ptr<WindowDriver> makeWindowDriver(HWND hostWindow) {
  return std::make_unique<Win32WindowDriver>(hostWindow);
}

std::unique_ptr<DialogVerbs> makeDialogVerbs(HWND) { return nullptr; }
