#include "Script.h"

std::string describeFailure(const ScriptFailure& failure) {
  return "line " + std::to_string(failure.lineNumber) + ": " + failure.lineText + "\n  " +
         failure.reason + "\n";
}
