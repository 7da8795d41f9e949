// Where the stand-in host gets the drivers that its script verbs act
// through: the dialog driver library, which finds the running command's
// windows and acts on them as a user does.
#pragma once

#include <memory>

#include "ScriptDrivers.h"

std::unique_ptr<WindowDriver> makeWindowDriver();
std::unique_ptr<DialogVerbs> makeDialogVerbs();
