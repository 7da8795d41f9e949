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

void writeCommandHelp(std::ostream& stream, const CommandEntry& command) {
  stream << "usage: matfile " << command.name << (*command.arguments != '\0' ? " " : "")
         << command.arguments << "\n  " << command.summary << '\n';
  if (command.details != nullptr) stream << command.details();
}

bool asksForHelp(const std::vector<std::string>& arguments) {
  return arguments.size() == 1 &&
         (arguments[0] == "help" || arguments[0] == "--help" || arguments[0] == "-h");
}

}  // namespace

int runMatfile(const std::vector<std::string>& arguments, Console& console) {
  if (asksForHelp(arguments)) {
    writeUsage(console.out);
    return kExitSuccess;
  }
  Invocation invocation;
  std::string error;
  if (!parseCommandLine(arguments, matfileCommands(), invocation, error)) {
    console.err << "matfile: " << error << '\n';
    writeUsage(console.err);
    return kExitTrouble;
  }
  if (invocation.helpAsked) {
    writeCommandHelp(console.out, *invocation.command);
    return kExitSuccess;
  }
  return invocation.command->run(invocation, console);
}
