// Reading a material file for a command, and checking where a command saves
// one, with the one message per failure.
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

// False, with the message on console.err, when `path` names a folder, a device
// or a pipe: a save would replace it, so a command refuses before it reads
// anything (reading a pipe could wait forever).
bool checkSaveTarget(const std::string& path, Console& console);
