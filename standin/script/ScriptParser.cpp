#include "ScriptParser.h"

#include <cstdlib>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text) {
  std::string::size_type start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  std::string::size_type end = text.size();
  while (end > start && isBlank(text[end - 1])) --end;
  return text.substr(start, end - start);
}

struct VerbName {
  const char* name;
  ScriptVerb verb;
};

constexpr VerbName kVerbs[] = {
    {"command", ScriptVerb::Command},
    {"expect-window", ScriptVerb::ExpectWindow},
    {"press", ScriptVerb::Press},
    {"set", ScriptVerb::Set},
    {"select", ScriptVerb::Select},
    {"key", ScriptVerb::Key},
    {"expect-text", ScriptVerb::ExpectText},
    {"expect-focus", ScriptVerb::ExpectFocus},
    {"rows", ScriptVerb::Rows},
    {"picture", ScriptVerb::Picture},
    {"quit", ScriptVerb::Quit},
    {"send-command", ScriptVerb::SendCommand},
    {"close-drawing", ScriptVerb::CloseDrawing},
    {"unload", ScriptVerb::Unload},
    {"expect-refused", ScriptVerb::ExpectRefused},
    {"expect-owner", ScriptVerb::ExpectOwner},
    {"expect-host", ScriptVerb::ExpectHost},
    {"expect-style", ScriptVerb::ExpectStyle},
    {"expect-find-file", ScriptVerb::ExpectFindFile},
    {"copy-file", ScriptVerb::FileCopy},
    {"delete-file", ScriptVerb::FileDelete},
};

struct KeyName {
  const char* name;
  ScriptKey key;
};

constexpr KeyName kKeys[] = {
    {"Enter", ScriptKey::Enter},
    {"Escape", ScriptKey::Escape},
    {"Insert", ScriptKey::Insert},
    {"Delete", ScriptKey::Delete},
};

bool findVerb(const std::string& name, ScriptVerb& verb) {
  for (const VerbName& entry : kVerbs) {
    if (name == entry.name) {
      verb = entry.verb;
      return true;
    }
  }
  return false;
}

bool findKey(const std::string& name, ScriptKey& key) {
  for (const KeyName& entry : kKeys) {
    if (name == entry.name) {
      key = entry.key;
      return true;
    }
  }
  return false;
}

// A control id is a decimal number that a dialog template can hold.
bool parseControlId(const std::string& text, int& id) {
  if (text.empty() || text.size() > 5) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > 65535) return false;
  id = static_cast<int>(value);
  return true;
}

// A message box style as the platform writes it: hexadecimal with "0x", or
// decimal.
bool parseStyle(const std::string& text, unsigned& style) {
  if (text.empty() || text.size() > 10 || text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (*end != '\0' || value > 0xFFFFFFFFul) return false;
  style = static_cast<unsigned>(value);
  return true;
}

// Splits "ID TEXT": the id, then everything after the one blank that follows
// it, kept as written (TEXT may be empty or have blanks of its own).
bool splitIdAndText(const std::string& rest, int& id, std::string& text, std::string& reason) {
  std::string::size_type end = 0;
  while (end < rest.size() && !isBlank(rest[end])) ++end;
  if (end == 0) {
    reason = "a control id is missing";
    return false;
  }
  if (!parseControlId(rest.substr(0, end), id)) {
    reason = "\"" + rest.substr(0, end) + "\" is not a control id";
    return false;
  }
  text = end < rest.size() ? rest.substr(end + 1) : std::string();
  return true;
}

bool parseArguments(const std::string& rest, ScriptLine& line, std::string& reason) {
  std::string argument = trimmed(rest);
  switch (line.verb) {
    case ScriptVerb::Command:
    case ScriptVerb::SendCommand:
      if (argument.empty())
        reason = "the command name is missing";
      else if (argument.find_first_of(" \t") != std::string::npos)
        reason = "a command name is one word";
      break;
    case ScriptVerb::ExpectWindow:
      if (argument.empty()) reason = "the window title is missing";
      break;
    case ScriptVerb::Press:
      if (argument.empty()) reason = "the button label is missing";
      break;
    case ScriptVerb::Select:
      if (argument.empty()) reason = "the row's name is missing";
      break;
    case ScriptVerb::Picture:
      if (argument.empty()) reason = "the picture's file name is missing";
      break;
    case ScriptVerb::ExpectOwner:
      if (argument.empty()) reason = "the owner's title is missing";
      break;
    case ScriptVerb::ExpectFindFile:
    case ScriptVerb::FileDelete:
      if (argument.empty()) reason = "the file name is missing";
      break;
    case ScriptVerb::FileCopy: {
      std::string::size_type blank = argument.find_first_of(" \t");
      line.target = blank == std::string::npos ? std::string() : trimmed(argument.substr(blank));
      if (line.target.empty() || line.target.find_first_of(" \t") != std::string::npos) {
        reason = "copy-file takes two file names without blanks";
        break;
      }
      line.argument = argument.substr(0, blank);
      return true;
    }
    case ScriptVerb::ExpectHost:
      line.enabled = argument == "enabled";
      if (!line.enabled && argument != "disabled")
        reason = "\"" + argument + "\" is neither enabled nor disabled";
      break;
    case ScriptVerb::ExpectStyle:
      if (!parseStyle(argument, line.style))
        reason = argument.empty() ? "the style is missing"
                                  : "\"" + argument + "\" is not a message box style";
      break;
    case ScriptVerb::Key:
      if (!findKey(argument, line.key)) {
        reason = "\"" + argument + "\" is not a key (Enter, Escape, Insert, Delete)";
      }
      break;
    case ScriptVerb::Set:
    case ScriptVerb::ExpectText: {
      // The text keeps its blanks: a field may be set to " 7.85" on purpose.
      std::string::size_type start = 0;
      while (start < rest.size() && isBlank(rest[start])) ++start;
      if (!splitIdAndText(rest.substr(start), line.controlId, line.argument, reason)) return false;
      return true;
    }
    case ScriptVerb::ExpectFocus:
      if (!parseControlId(argument, line.controlId)) {
        reason = argument.empty() ? "a control id is missing"
                                  : "\"" + argument + "\" is not a control id";
      }
      break;
    case ScriptVerb::Rows:
    case ScriptVerb::Quit:
    case ScriptVerb::CloseDrawing:
    case ScriptVerb::Unload:
    case ScriptVerb::ExpectRefused:
      if (!argument.empty()) reason = "this action takes nothing after it";
      break;
  }
  if (!reason.empty()) return false;
  line.argument = argument;
  return true;
}

bool parseLine(int number, const std::string& text, ScriptLine& line, std::string& reason) {
  std::string::size_type start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  std::string::size_type end = start;
  while (end < text.size() && !isBlank(text[end])) ++end;
  std::string verbName = text.substr(start, end - start);
  line.number = number;
  line.text = text;
  if (!findVerb(verbName, line.verb)) {
    reason = "unknown action \"" + verbName + "\"";
    return false;
  }
  std::string rest = end < text.size() ? text.substr(end + 1) : std::string();
  return parseArguments(rest, line, reason);
}

bool isComment(const std::string& text) {
  std::string content = trimmed(text);
  return content.empty() || content[0] == '#';
}

}  // namespace

bool parseScript(const std::string& content, Script& script, ScriptFailure& failure) {
  script = Script{};
  int number = 0;
  bool quitSeen = false;
  std::string::size_type start = 0;
  while (start < content.size()) {
    std::string::size_type end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string text = content.substr(start, end - start);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    start = end + 1;
    ++number;
    if (isComment(text)) continue;
    ScriptLine line;
    std::string reason;
    if (quitSeen) {
      reason = "nothing can follow quit: these lines would never run";
    } else if (parseLine(number, text, line, reason)) {
      quitSeen = line.verb == ScriptVerb::Quit;
      script.lines.push_back(line);
      continue;
    }
    failure = ScriptFailure{number, text, reason};
    return false;
  }
  script.endLineNumber = number + 1;
  return true;
}
