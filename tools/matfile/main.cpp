#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

#include "Matfile.h"

namespace {

#ifdef _WIN32
void keepStandardOutputBytes() {
  std::cout.flush();
  _setmode(_fileno(stdout), _O_BINARY);
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  Console console{std::cout, std::cerr};
#ifdef _WIN32
  console.keepOutBytes = keepStandardOutputBytes;
#endif
  int exitCode = runMatfile(arguments, console);
  std::cout.flush();
  // A list cut short by a full disk or a closed pipe must not look complete.
  if (!std::cout) return kExitTrouble;
  return exitCode;
}
