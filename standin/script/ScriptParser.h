// Reads a host script. Lines hold one action each: a verb, then its argument
// as the rest of the line. Blank lines and lines whose first non-blank
// character is "#" are comments.
#pragma once

#include <string>

#include "Script.h"

// False, with `failure` naming the first bad line, when a line has an unknown
// verb or arguments its verb cannot take, or when anything but comments
// follows "quit".
bool parseScript(const std::string& content, Script& script, ScriptFailure& failure);
