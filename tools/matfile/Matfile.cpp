#include "Matfile.h"

#include <string>

#include "CommandLine.h"
#include "CommandTable.h"

namespace {

void writeUsage(std::ostream& stream) {
  stream << "usage: matfile COMMAND ...\n";
  for (const CommandEntry& command : matfileCommands()) {
    stream << "  matfile " << command.name << (*command.arguments != '\0' ? " " : "")
           << command.arguments << "\n      " << command.summary << '\n';
  }
  stream << "  matfile COMMAND --help\n      that command's options and exit codes\n"
            "  matfile --version\n"
            "exit codes: 0 done, 1 something to report, 2 trouble (file or command line),\n"
            "  3 check found nothing but warnings\n";
}

// What each exit code means for a command whose own help does not say.
struct CommandExitCodes {
  const char* command;
  const char* text;
};
const CommandExitCodes kExitCodes[] = {
    {"list",
     "0 listed; 2 trouble (the file cannot be read or is not a material file, or the "
     "command line is wrong)"},
    {"check",
     "0 nothing to report; 1 a line was dropped or a value rejected; 2 trouble (the "
     "file cannot be read or is not a material file, or the command line is wrong);\n"
     "  3 nothing dropped or rejected, but warnings"},
    {"format", "0 written; 1 refused, formatting would lose what is reported; 2 trouble"},
    {"export",
     "0 the table holds every material; 1 written, but it lacks what the reader "
     "dropped;\n  2 trouble"},
    {"import",
     "0 FILE written, or nothing to write, or (--dry-run) the import would succeed;\n"
     "  1 nothing written, because of a bad table, row or card, a warning (see\n"
     "  --accept-warnings) or a file that saving would damage; or, with --skip-invalid,\n"
     "  written without what is reported as left out; 2 trouble"},
};

const char* exitCodesOf(const CommandEntry& command) {
  for (const CommandExitCodes& codes : kExitCodes) {
    if (std::string(codes.command) == command.name) return codes.text;
  }
  return "0 done; 2 trouble (a file cannot be read or written, or the command line is wrong)";
}

void writeCommandHelp(std::ostream& stream, const CommandEntry& command) {
  stream << "usage: matfile " << command.name << (*command.arguments != '\0' ? " " : "")
         << command.arguments << "\n  " << command.summary << '\n';
  std::string details = command.details != nullptr ? command.details() : "";
  stream << details;
  if (details.find("Exit codes:") == std::string::npos) {
    stream << "Exit codes: " << exitCodesOf(command) << ".\n";
  }
}

bool asksForHelp(const std::vector<std::string>& arguments) {
  return arguments.size() == 1 &&
         (arguments[0] == "help" || arguments[0] == "--help" || arguments[0] == "-h");
}

bool asksForVersion(const std::vector<std::string>& arguments) {
  return arguments.size() == 1 && (arguments[0] == "--version" || arguments[0] == "version");
}

}  // namespace

int runMatfile(const std::vector<std::string>& arguments, Console& console) {
  if (asksForHelp(arguments)) {
    writeUsage(console.out);
    return kExitSuccess;
  }
  if (asksForVersion(arguments)) {
    console.out << "matfile " << PRALVIK_VERSION << '\n';
    return kExitSuccess;
  }
  if (arguments.empty()) {
    writeUsage(console.err);
    return kExitTrouble;
  }
  // The one line that says what is wrong stays in sight; the usage is a
  // command away.
  Invocation invocation;
  std::string error;
  if (!parseCommandLine(arguments, matfileCommands(), invocation, error)) {
    console.err << "matfile: " << error << '\n';
    std::string help = invocation.command != nullptr
                           ? std::string("matfile ") + invocation.command->name + " --help"
                           : "matfile --help";
    console.err << "try '" << help << "'\n";
    return kExitTrouble;
  }
  if (invocation.helpAsked) {
    writeCommandHelp(console.out, *invocation.command);
    return kExitSuccess;
  }
  return invocation.command->run(invocation, console);
}
