// Where a command puts a result it makes whole (a table, a chart): the file
// that --output names, replaced in one step, or standard output.
#pragma once

#include <string>

#include "CommandLine.h"
#include "Console.h"

// Writes `text` byte for byte. A failed write leaves the --output file as it
// was and is reported on console.err; it returns false. So does an --output
// that names `input`, the material file the result is made from, which the
// result would replace.
bool writeResult(const Invocation& invocation, Console& console, const std::string& text,
                 const std::string& input);
