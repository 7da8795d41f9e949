// Where a command writes: its results to `out`, its messages to `err`.
#pragma once

#include <ostream>

struct Console {
  std::ostream& out;
  std::ostream& err;
  // Makes `out` keep every byte as written, so that a format with its own line
  // end (CSV) survives Windows text mode; absent where `out` already does.
  void (*keepOutBytes)() = nullptr;
  // `err` is a terminal that a user watches: a long command may show progress.
  bool errIsTerminal = false;
};

// Exit codes shared by every command.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitFindings = 1,  // the command ran and has something to report
  kExitTrouble = 2,   // a file cannot be read or written, or the command line is wrong
  kExitWarnings = 3,  // check: nothing was dropped or rejected, but values look implausible
};
