#include "Commands.h"
#include "FileReading.h"
#include "PlausibilityRules.h"
#include "ReportingObserver.h"

// The errors come first, as the reader meets them; the warnings need the whole
// file (a name may clash with a later one) and follow in line order.
int runCheck(const Invocation& invocation, Console& console) {
  ReportingObserver reports(console.out, "");
  OwnedList list;
  if (!readForCommand(invocation.files[0], list, console, &reports)) return kExitTrouble;
  PlausibilityCheck plausibility;
  long warnings = 0;
  for (const ReportingObserver::MaterialAt& entry : reports.materials()) {
    for (const std::string& warning : plausibility.warningsFor(entry.nameLine, *entry.material)) {
      console.out << entry.nameLine << ": warning: " << warning << '\n';
      ++warnings;
    }
  }
  if (reports.count() > 0) return kExitFindings;
  return warnings > 0 ? kExitWarnings : kExitSuccess;
}
