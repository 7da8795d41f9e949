#include "ModuleWindowChain.h"

#include <algorithm>

#include "UserInput.h"

namespace {

bool isDialogClass(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

std::string quotedTitle(HWND window) { return "\"" + UserInput::windowText(window) + "\""; }

std::string titlesOf(const std::vector<HWND>& windows) {
  std::string titles;
  for (HWND window : windows) titles += (titles.empty() ? "" : ", ") + quotedTitle(window);
  return titles;
}

bool contains(const std::vector<HWND>& windows, HWND window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

struct WindowList {
  HWND except;
  bool shownOnly;
  std::vector<HWND> windows;
};

BOOL CALLBACK addDialog(HWND window, LPARAM list) {
  auto& found = *reinterpret_cast<WindowList*>(list);
  if (window != found.except && (!found.shownOnly || IsWindowVisible(window)) &&
      isDialogClass(window))
    found.windows.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> ModuleWindowChain::windows(bool shownOnly) const {
  WindowList list{hostWindow_, shownOnly, {}};
  EnumThreadWindows(GetCurrentThreadId(), addDialog, reinterpret_cast<LPARAM>(&list));
  return list.windows;
}

std::vector<std::string> ModuleWindowChain::faults() const {
  std::vector<HWND> open = windows(false);
  if (open.empty()) return {};
  std::vector<std::string> faults = ownerFaults(open);
  if (IsWindowEnabled(hostWindow_))
    faults.push_back("the host's window took input while the module had open: " + titlesOf(open));
  return faults;
}

std::vector<std::string> ModuleWindowChain::ownerFaults(const std::vector<HWND>& windows) const {
  std::vector<std::string> faults;
  std::vector<HWND> ownedByHost, enabled;
  for (HWND window : windows) {
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr)
      faults.push_back(quotedTitle(window) + " has no owner");
    else if (owner != hostWindow_ && !contains(windows, owner))
      faults.push_back(quotedTitle(window) + " is owned by " + quotedTitle(owner) +
                       ", neither the host's window nor one of the module's");
    if (owner == hostWindow_) ownedByHost.push_back(window);
    if (IsWindowEnabled(window)) enabled.push_back(window);
  }
  if (ownedByHost.size() > 1)
    faults.push_back("the host's window owns more than one of the module's windows: " +
                     titlesOf(ownedByHost));
  if (enabled.size() != 1) {
    faults.push_back(enabled.empty()
                         ? "no window of the module takes input: " + titlesOf(windows)
                         : "more than one window of the module takes input: " + titlesOf(enabled));
  } else {
    for (HWND window : windows)
      if (GetWindow(window, GW_OWNER) == enabled.front())
        faults.push_back(quotedTitle(enabled.front()) + " takes input below " +
                         quotedTitle(window));
  }
  return faults;
}
