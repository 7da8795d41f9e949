// The command line of matfile: a command name, its files and its options,
// checked against the command's entry in the command table.
#pragma once

#include <map>
#include <string>
#include <vector>

struct OptionEntry {
  const char* name;  // "--output"
  bool takesValue;
  bool required = false;
};

struct Invocation;
struct Console;

struct CommandEntry {
  const char* name;                 // "format"
  const char* arguments;            // "FILE [--output OUT] [--force]", for the usage text
  const char* summary;              // one line for the usage text
  std::size_t fileCount;            // files the command takes, no more and no fewer
  std::vector<OptionEntry> options;
  int (*run)(const Invocation& invocation, Console& console);
  bool moreFiles = false;               // fileCount is the least number of files
  std::string (*details)() = nullptr;   // more for `matfile COMMAND --help`
};

struct Invocation {
  const CommandEntry* command = nullptr;
  std::vector<std::string> files;
  std::map<std::string, std::string> options;  // a flag maps to ""
  bool helpAsked = false;                      // --help after the command: nothing else counts

  bool has(const std::string& option) const { return options.count(option) != 0; }
  // By value: a reference to `fallback` would outlive a temporary passed as it.
  std::string option(const std::string& name, const std::string& fallback) const;
};

// The command of that name, or null.
const CommandEntry* findCommand(const std::vector<CommandEntry>& commands, const std::string& name);

// Fills `invocation` from the arguments after the program name; on a wrong
// command line returns false with `error` saying what is wrong in one line,
// and `invocation.command` set when the command is known. "--help" or "-h"
// after a command name asks for that command's help. An option's value
// follows it or is joined to it by "=" ("--x=density"); -o, -n, -f and -v
// stand for --output, --dry-run, --force and --verbose where the command has
// those; after "--" every argument is a file. Options are stored by their
// long names.
bool parseCommandLine(const std::vector<std::string>& arguments,
                      const std::vector<CommandEntry>& commands, Invocation& invocation,
                      std::string& error);
