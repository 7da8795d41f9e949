#include "DriverStep.h"

#include <cstdlib>

namespace {

constexpr DriverKey kKeys[] = {
    {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Insert", VK_INSERT}, {"Delete", VK_DELETE},
    {"Tab", VK_TAB},      {"Up", VK_UP},         {"Down", VK_DOWN},     {"Home", VK_HOME},
    {"End", VK_END},      {"Space", VK_SPACE},
};

struct Verb {
  const char* name;
  DriverAction action;
  bool takesId;
  bool takesText;
};

constexpr Verb kVerbs[] = {
    {"expect-window", DriverAction::ExpectWindow, false, true},
    {"press", DriverAction::Press, false, true},
    {"set", DriverAction::Set, true, true},
    {"select", DriverAction::Select, false, true},
    {"double-click", DriverAction::DoubleClick, false, true},
    {"key", DriverAction::Key, false, true},
    {"expect-text", DriverAction::ExpectText, true, true},
    {"expect-focus", DriverAction::ExpectFocus, true, false},
    {"rows", DriverAction::Rows, false, false},
};

// Splits off the first word; `rest` is what follows the single space after
// it ("" when nothing does).
void splitWord(const std::string& text, std::string& word, std::string& rest) {
  std::size_t space = text.find(' ');
  word = text.substr(0, space);
  rest = space == std::string::npos ? std::string() : text.substr(space + 1);
}

bool parseId(const std::string& text, int& id) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  id = std::atoi(text.c_str());
  return true;
}

}  // namespace

UINT driverKeyCode(const std::string& name) {
  for (const DriverKey& key : kKeys)
    if (name == key.name) return key.virtualKey;
  return 0;
}

bool parseDriverStep(const std::string& text, int line, DriverStep& step, std::string& error) {
  std::string verbName, rest;
  splitWord(text, verbName, rest);
  for (const Verb& verb : kVerbs) {
    if (verbName != verb.name) continue;
    step = DriverStep();
    step.action = verb.action;
    step.line = line;
    if (verb.takesId) {
      std::string id;
      splitWord(rest, id, rest);
      if (!parseId(id, step.controlId)) {
        error = verbName + " needs a control id, not \"" + id + "\"";
        return false;
      }
    }
    if (verb.takesText) step.text = rest;
    if (!verb.takesText && !rest.empty()) {
      error = verbName + " takes nothing more than " + (verb.takesId ? "an id" : "its name");
      return false;
    }
    if (verb.action == DriverAction::Key) {
      step.virtualKey = driverKeyCode(rest);
      if (step.virtualKey == 0) {
        error = "unknown key \"" + rest + "\"";
        return false;
      }
    }
    return true;
  }
  error = "unknown action \"" + verbName + "\"";
  return false;
}
