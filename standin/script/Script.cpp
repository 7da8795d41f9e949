#include "Script.h"

#include "DecimalText.h"

std::string describeFailure(const ScriptFailure& failure) {
  return "line " + decimalText(failure.lineNumber) + ": " + failure.lineText + "\n  " +
         failure.reason + "\n";
}
