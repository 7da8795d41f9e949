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

// The short forms people type without looking: each stands for its long
// option in every command that has that option.
struct ShortOption {
  const char* shortName;
  const char* longName;
};
const ShortOption kShortOptions[] = {
    {"-o", "--output"}, {"-n", "--dry-run"}, {"-f", "--force"}, {"-v", "--verbose"}};

std::string longNameOf(const CommandEntry& command, const std::string& name) {
  for (const ShortOption& option : kShortOptions) {
    if (name == option.shortName && findOption(command, option.longName) != nullptr) {
      return option.longName;
    }
  }
  return name;
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
  bool optionsEnded = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || !looksLikeOption(argument)) {
      invocation.files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    // "--x=density" is "--x density".
    std::size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
    std::string name = longNameOf(command, argument.substr(0, equals));
    const OptionEntry* option = findOption(command, name);
    if (option == nullptr) {
      error = "unknown option '" + argument.substr(0, equals) + "' for " + command.name;
      return false;
    }
    std::string value;
    if (equals != std::string::npos) {
      if (!option->takesValue) {
        error = "option " + name + " takes no value";
        return false;
      }
      value = argument.substr(equals + 1);
    } else if (option->takesValue) {
      if (i + 1 == arguments.size()) {
        error = "option " + name + " needs a value";
        return false;
      }
      value = arguments[++i];
    }
    invocation.options[name] = value;
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
