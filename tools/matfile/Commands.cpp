#include "Commands.h"

const std::vector<CommandEntry>& matfileCommands() {
  static const std::vector<CommandEntry> commands = {
      {"list", "FILE", "print each material: name and the eight numbers, tab-separated", 1, {},
       runList},
      {"check", "FILE", "report every line the reader drops and every rejected value", 1, {},
       runCheck},
      {"format", "FILE [--output OUT] [--force]",
       "rewrite FILE (or write OUT) as the editor saves it", 1,
       {{"--output", true}, {"--force", false}}, runFormat},
  };
  return commands;
}
