// What a user does with the mouse and the keyboard, done from inside the
// process to the windows of this thread. Actions that may open a modal loop
// (a button click, a key, a double-click) are posted, so that they run in the
// loop that is already running and the caller returns at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace UserInput {

// The innermost open dialog or message box of this thread (the one that takes
// input), or null.
HWND activeModalWindow();

std::string windowText(HWND window);

// The enabled, visible button of `window` whose text, "&" removed, is `label`.
HWND findButton(HWND window, const std::string& label);

void clickButton(HWND button);

// Gives edit control `edit` the focus and types `text` over its whole text.
void typeText(HWND dialog, HWND edit, const std::string& text);

// Clicks the row at `position` of a list view as the mouse does, or
// double-clicks it (posted).
bool clickRow(HWND list, int position);
bool doubleClickRow(HWND list, int position);

// Presses and releases a key in `control`.
void pressKey(HWND control, UINT virtualKey);

// Rows of a list view, top to bottom, each its columns joined by tabs.
std::vector<std::string> listRows(HWND list);

}  // namespace UserInput
