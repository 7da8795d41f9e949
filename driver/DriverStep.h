// One action of a user in front of the dialogs, as a DialogDriver runs it.
// Every step acts on the active modal window of the thread (the innermost
// dialog or message box). Scripts are written in the stand-in host's script
// language (standin/script), whose dialog verbs act through this library.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

enum class DriverAction {
  ExpectWindow,  // "expect-window TITLE": waits up to 5 s for that title
  Press,         // "press LABEL": clicks the button whose text, "&" removed, is LABEL
  Set,           // "set ID TEXT": clicks into edit control ID and types TEXT over its text
  Select,        // "select NAME": clicks the row of list 1000 with that name
  DoubleClick,   // "double-click NAME": selects that row, then double-clicks it
  Key,           // "key NAME": presses a key in the focused control
  ExpectText,    // "expect-text ID TEXT": control ID shows exactly TEXT
  ExpectFocus,   // "expect-focus ID": control ID has the keyboard focus
  Rows,          // "rows": reports the rows of list 1000, top to bottom
  Check,         // a test's own check (no script verb)
};

// Keys that "key" knows: Enter, Escape, Insert, Delete, Tab, Up, Down, Home,
// End, Space.
struct DriverKey {
  const char* name;
  UINT virtualKey;
};

struct DriverStep {
  DriverAction action = DriverAction::Rows;
  int controlId = 0;  // Set, ExpectText, ExpectFocus
  std::string text;   // the title, label, name, key name or expected text
  UINT virtualKey = 0;  // Key
  // Check: given the active modal window, once one is open, returns "" when
  // the check holds, otherwise what is wrong.
  std::function<std::string(HWND window)> check;
  int line = 0;  // where the step came from, for the caller's report
};

// The virtual key of a key name, 0 when unknown.
UINT driverKeyCode(const std::string& name);
