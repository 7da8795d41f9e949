// Where the stand-in host gets the drivers that its script verbs act
// through. The host's own window driver handles the windows of the running
// command (the file question's box); the dialog verbs come from the dialog
// driver library, and a host built without it has none (those lines fail).
#pragma once

#include <windows.h>

#include <memory>

#include "ScriptDrivers.h"

std::unique_ptr<WindowDriver> makeWindowDriver(HWND hostWindow);

// Absent when this build has no dialog driver.
std::unique_ptr<DialogVerbs> makeDialogVerbs(HWND hostWindow);
