// The table of matfile's commands: name, arguments, summary, options, and the
// function that runs each.
#pragma once

#include <vector>

#include "CommandLine.h"

const std::vector<CommandEntry>& matfileCommands();
