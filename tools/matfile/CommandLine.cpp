#include "CommandLine.h"

namespace {

const OptionEntry* findOption(const CommandEntry& command, const std::string& name) {
  for (const OptionEntry& option : command.options) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

bool looksLikeOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-';
}

}  // namespace

const CommandEntry* findCommand(const std::vector<CommandEntry>& commands, const std::string& name) {
  for (const CommandEntry& command : commands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

std::string Invocation::option(const std::string& name, const std::string& fallback) const {
  auto found = options.find(name);
  return found != options.end() ? found->second : fallback;
}

bool parseCommandLine(const std::vector<std::string>& arguments,
                      const std::vector<CommandEntry>& commands, Invocation& invocation,
                      std::string& error) {
  if (arguments.empty()) {
    error = "no command given";
    return false;
  }
  invocation.command = findCommand(commands, arguments[0]);
  if (invocation.command == nullptr) {
    error = "unknown command '" + arguments[0] + "'";
    return false;
  }
  const CommandEntry& command = *invocation.command;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--help" || arguments[i] == "-h") {
      invocation.helpAsked = true;
      return true;
    }
  }
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!looksLikeOption(argument)) {
      invocation.files.push_back(argument);
      continue;
    }
    const OptionEntry* option = findOption(command, argument);
    if (option == nullptr) {
      error = "unknown option '" + argument + "' for " + command.name;
      return false;
    }
    std::string value;
    if (option->takesValue) {
      if (i + 1 == arguments.size()) {
        error = "option " + argument + " needs a value";
        return false;
      }
      value = arguments[++i];
    }
    invocation.options[argument] = value;
  }
  for (const OptionEntry& option : command.options) {
    if (option.required && !invocation.has(option.name)) {
      error = std::string(command.name) + " needs " + option.name;
      return false;
    }
  }
  bool tooFew = invocation.files.size() < command.fileCount;
  if (tooFew || (!command.moreFiles && invocation.files.size() != command.fileCount)) {
    error = std::string(command.name) + " takes " + (command.moreFiles ? "at least " : "") +
            std::to_string(command.fileCount) + (command.fileCount == 1 ? " file" : " files");
    return false;
  }
  return true;
}
