#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#else
#include <unistd.h>
#endif

#include "Matfile.h"
#include "StandardErrorBuffer.h"

namespace {

#ifdef _WIN32
void keepStandardOutputBytes() {
  std::cout.flush();
  _setmode(_fileno(stdout), _O_BINARY);
}
#endif

bool errIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  StandardErrorBuffer errorBuffer;
  std::ostream err(&errorBuffer);
  err.tie(&std::cout);  // what came before on standard output shows before a message
  Console console{std::cout, err};
  console.errIsTerminal = errIsTerminal();
#ifdef _WIN32
  console.keepOutBytes = keepStandardOutputBytes;
#endif
  int exitCode = runMatfile(arguments, console);
  std::cout.flush();
  err.flush();
  // A list cut short by a full disk or a closed pipe must not look complete.
  if (!std::cout) return kExitTrouble;
  return exitCode;
}
