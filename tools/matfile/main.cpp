#include <iostream>

#include "Matfile.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  Console console{std::cout, std::cerr};
  int exitCode = runMatfile(arguments, console);
  std::cout.flush();
  // A list cut short by a full disk or a closed pipe must not look complete.
  if (!std::cout) return kExitTrouble;
  return exitCode;
}
