// The user's actions on one open window, each done at once: what a
// DialogDriver step does once its window is there, and what the stand-in
// host's script verbs do. Every action takes the active modal window
// (UserInput::activeModalWindow, never null) and returns "" when it held,
// otherwise what was wrong, naming the window by its title. Actions that may
// open a modal loop are posted and take effect after the caller returns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace DriverActions {

// Clicks the button whose text, "&" removed, is `label`.
std::string press(HWND window, const std::string& label);

// Clicks into edit control `controlId` and types `text` over its text.
std::string setText(HWND window, int controlId, const std::string& text);

// Clicks the row of list 1000 named `name` (twice: double-clicks it) and
// checks that the click selected it.
std::string clickRow(HWND window, const std::string& name, bool twice);

// Presses and releases the key in the focused control (the window itself
// when nothing has the focus).
std::string pressKey(HWND window, UINT virtualKey);

// The text of control `controlId`.
std::string readText(HWND window, int controlId, std::string& text);

// The id of the window's control that has the keyboard focus; fails when the
// focus is on no control of the window.
std::string readFocus(HWND window, int& controlId);

// The rows of list 1000, top to bottom, each its columns joined by tabs.
std::string readRows(HWND window, std::vector<std::string>& rows);

// Closes the window as a user would: No in a question, else Cancel, else OK;
// ends it directly when it has none of them.
void closeAsUser(HWND window);

}  // namespace DriverActions
