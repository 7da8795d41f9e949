#include "Commands.h"
#include "FileReading.h"
#include "ReportingObserver.h"

int runCheck(const Invocation& invocation, Console& console) {
  ReportingObserver reports(console.out, "");
  OwnedList list;
  if (!readForCommand(invocation.files[0], list, console, &reports)) return kExitTrouble;
  return reports.count() == 0 ? kExitSuccess : kExitFindings;
}
