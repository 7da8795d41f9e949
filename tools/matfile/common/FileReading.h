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
// returns false. A file that is no material file at all (a table, a workbook:
// lines none of which starts a material, or bytes that are no text) is such a
// failure: reported line by line it would pass for a damaged material file.
// The observer hears of the file only when it is read as a material file.
bool readForCommand(const std::string& path, OwnedList& list, Console& console,
                    MaterialFileObserver* observer = nullptr);

// readForCommand that takes any text as a material file, for a comparison
// that must show whatever two versions of a file hold.
bool readForComparison(const std::string& path, OwnedList& list, Console& console,
                       MaterialFileObserver* observer = nullptr);

// False, with the message on console.err, when `path` names a folder, a device
// or a pipe: a save would replace it, so a command refuses before it reads
// anything (reading a pipe could wait forever).
bool checkSaveTarget(const std::string& path, Console& console);
