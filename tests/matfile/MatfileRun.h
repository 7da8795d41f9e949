// Runs the matfile commands in-process and keeps what they wrote.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "Matfile.h"

struct MatfileRun {
  int exitCode;
  std::string out;
  std::string err;
};

inline MatfileRun matfile(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  Console console{out, err};
  int exitCode = runMatfile(arguments, console);
  return {exitCode, out.str(), err.str()};
}
