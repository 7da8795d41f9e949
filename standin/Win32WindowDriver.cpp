#include "Win32WindowDriver.h"

#include <initializer_list>
#include <vector>

namespace {

struct WindowSearch {
  HWND hostWindow;
  std::vector<HWND> windows;
};

BOOL CALLBACK collectCommandWindow(HWND window, LPARAM parameter) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
  if (window != search->hostWindow && IsWindowVisible(window) && IsWindowEnabled(window)) {
    search->windows.push_back(window);
  }
  return TRUE;
}

std::string windowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  int copied = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

bool isButton(HWND window) {
  char className[32];
  return GetClassNameA(window, className, sizeof className) > 0 &&
         lstrcmpiA(className, "Button") == 0;
}

struct ButtonSearch {
  const std::string* label;
  HWND button;
};

BOOL CALLBACK findLabelledButton(HWND window, LPARAM parameter) {
  ButtonSearch* search = reinterpret_cast<ButtonSearch*>(parameter);
  if (isButton(window) && IsWindowVisible(window) &&
      withoutMnemonics(windowText(window)) == *search->label) {
    search->button = window;
    return FALSE;
  }
  return TRUE;
}

// As a click on the button reaches its dialog; posted, because the command
// behind the button may open a modal loop of its own.
void postClick(HWND dialog, HWND button) {
  int id = GetDlgCtrlID(button);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool usable(HWND button) {
  return button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button);
}

}  // namespace

std::string withoutMnemonics(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      plain += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      plain += '&';
      ++i;
    }
  }
  return plain;
}

HWND Win32WindowDriver::activeWindow() const {
  WindowSearch search{hostWindow_, {}};
  EnumThreadWindows(GetCurrentThreadId(), &collectCommandWindow, reinterpret_cast<LPARAM>(&search));
  if (search.windows.empty()) return nullptr;
  HWND active = GetActiveWindow();
  for (HWND window : search.windows) {
    if (window == active) return window;
  }
  return search.windows.front();
}

bool Win32WindowDriver::activeWindowTitle(std::string& title) {
  HWND window = activeWindow();
  if (window == nullptr) return false;
  title = windowText(window);
  return true;
}

ActionResult Win32WindowDriver::press(const std::string& label) {
  HWND window = activeWindow();
  if (window == nullptr) return ActionResult::failed("no window is open");
  ButtonSearch search{&label, nullptr};
  EnumChildWindows(window, &findLabelledButton, reinterpret_cast<LPARAM>(&search));
  std::string title = "\"" + windowText(window) + "\"";
  if (search.button == nullptr) {
    return ActionResult::failed("no button \"" + label + "\" in window " + title);
  }
  if (!IsWindowEnabled(search.button)) {
    return ActionResult::failed("the button \"" + label + "\" of window " + title + " is disabled");
  }
  postClick(window, search.button);
  return ActionResult::success();
}

bool Win32WindowDriver::closeActiveWindow() {
  HWND window = activeWindow();
  if (window == nullptr) return false;
  for (int way : {IDCANCEL, IDNO, IDOK}) {
    HWND button = GetDlgItem(window, way);
    if (usable(button) && isButton(button)) {
      postClick(window, button);
      return true;
    }
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  return true;
}
