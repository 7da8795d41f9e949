// Where a command puts a result it makes whole (a table, a chart): the file
// that --output names, replaced in one step, or standard output.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "CommandLine.h"
#include "Console.h"

// The format a command writes, as checkOutputFormat names it ("svg", "csv",
// "mat", or export's --format); "" where no file name asks for it.
std::string resultFormat(const Invocation& invocation);

// False, with the message on console.err, when the ending of `output` asks
// for another format than `format` (a chart written into "a.png" is no PNG
// any viewer opens). An ending that asks for nothing in particular passes.
bool checkOutputFormat(const std::string& output, const std::string& format,
                       const std::string& command, Console& console);

// Writes `text` byte for byte. An --output whose name asks for another format
// is refused (checkOutputFormat). A failed write leaves the --output file as it
// was and is reported on console.err; it returns false. So does an --output
// that names `input`, the material file the result is made from, which the
// result would replace.
bool writeResult(const Invocation& invocation, Console& console, const std::string& text,
                 const std::string& input);

// writeResult for a result too large to hold whole (an export of a million
// materials): `produce` writes it to the stream it is given, which hands it
// on as it comes, to standard output or to the temporary file that replaces
// --output once all of it is written. A write that fails part way is
// reported with its path and reason, and the --output file is left as it
// was; `produce` may stop early once the stream has failed. Standard output
// cannot take back what it has passed on: a failure there is reported, and
// the false return gives the caller's exit code.
bool writeResultAsMade(const Invocation& invocation, Console& console, const std::string& input,
                       const std::function<void(std::ostream&)>& produce);
