// The matfile program: reads the command line, runs the command, returns the
// exit code.
#pragma once

#include <string>
#include <vector>

#include "Console.h"

// `arguments` are those after the program name.
int runMatfile(const std::vector<std::string>& arguments, Console& console);
