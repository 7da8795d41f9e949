#include "ScriptDriverFactory.h"

#include "Win32DialogVerbs.h"
#include "Win32WindowDriver.h"

std::unique_ptr<WindowDriver> makeWindowDriver() { return std::make_unique<Win32WindowDriver>(); }

std::unique_ptr<DialogVerbs> makeDialogVerbs() { return std::make_unique<Win32DialogVerbs>(); }
