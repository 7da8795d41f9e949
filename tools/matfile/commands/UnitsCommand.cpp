#include "Commands.h"
#include "UnitConversion.h"

int runUnits(const Invocation&, Console& console) {
  console.out << unitsTable();
  return kExitSuccess;
}
