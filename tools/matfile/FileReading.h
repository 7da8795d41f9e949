// Reading a material file for a command, with the one message per failure.
#pragma once

#include <string>

#include "Console.h"
#include "MaterialFile.h"
#include "OwnedList.h"

// What the user reads when a file cannot be read; errorNumber is errno after
// the attempt.
std::string readFailureText(const std::string& path, MaterialFileStatus status, int errorNumber);

// Reads `path` into `list`; on failure writes the message to console.err and
// returns false.
bool readForCommand(const std::string& path, OwnedList& list, Console& console,
                    MaterialFileObserver* observer = nullptr);
