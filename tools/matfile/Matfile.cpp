#include "Matfile.h"

#include "CommandLine.h"
#include "Commands.h"

namespace {

void writeUsage(std::ostream& stream) {
  stream << "usage: matfile COMMAND ...\n";
  for (const CommandEntry& command : matfileCommands()) {
    stream << "  matfile " << command.name << (*command.arguments != '\0' ? " " : "")
           << command.arguments << "\n      " << command.summary << '\n';
  }
  stream << "exit codes: 0 done, 1 something to report, 2 trouble (file or command line),\n"
            "  3 check found nothing but warnings\n";
}

bool isHelpOption(const std::string& argument) { return argument == "--help" || argument == "-h"; }

bool asksForHelp(const std::vector<std::string>& arguments) {
  return arguments.size() == 1 && (arguments[0] == "help" || isHelpOption(arguments[0]));
}

// `matfile COMMAND ... --help`: the command's own usage, whatever else is given.
const CommandEntry* commandAskingForHelp(const std::vector<std::string>& arguments) {
  if (arguments.size() < 2) return nullptr;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (isHelpOption(arguments[i])) return findCommand(matfileCommands(), arguments[0]);
  }
  return nullptr;
}

void writeCommandHelp(std::ostream& stream, const CommandEntry& command) {
  stream << "usage: matfile " << command.name << (*command.arguments != '\0' ? " " : "")
         << command.arguments << "\n  " << command.summary << '\n';
  if (command.details != nullptr) stream << '\n' << command.details;
}

}  // namespace

int runMatfile(const std::vector<std::string>& arguments, Console& console) {
  if (asksForHelp(arguments)) {
    writeUsage(console.out);
    return kExitSuccess;
  }
  if (const CommandEntry* command = commandAskingForHelp(arguments)) {
    writeCommandHelp(console.out, *command);
    return kExitSuccess;
  }
  Invocation invocation;
  std::string error;
  if (!parseCommandLine(arguments, matfileCommands(), invocation, error)) {
    console.err << "matfile: " << error << '\n';
    writeUsage(console.err);
    return kExitTrouble;
  }
  return invocation.command->run(invocation, console);
}
