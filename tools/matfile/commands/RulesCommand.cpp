#include "Commands.h"
#include "PlausibilityRules.h"

int runRules(const Invocation&, Console& console) {
  console.out << plausibilityTable();
  return kExitSuccess;
}
