// The --codepage option of the commands that convert names (import, export,
// chart): the code page it names, or this system's default.
#pragma once

#include "CodePage.h"
#include "CommandLine.h"
#include "Console.h"

// False, with the message on console.err, for a code page matfile does not know.
bool codePageOption(const Invocation& invocation, Console& console, CodePage& page);
