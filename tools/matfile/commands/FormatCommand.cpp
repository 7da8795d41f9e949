#include "Commands.h"
#include "FileReading.h"
#include "ReportingObserver.h"
#include "ResultOutput.h"

// A save writes only what the reader took in, so a line it dropped or a value
// it rejected would be gone from the rewritten file. That is refused unless
// asked for: a hand-kept file deserves a look first.
int runFormat(const Invocation& invocation, Console& console) {
  const std::string& input = invocation.files[0];
  const std::string& output = invocation.option("--output", input);
  if (invocation.has("--output") && !checkOutputFormat(output, "mat", "format", console)) {
    return kExitTrouble;
  }
  if (!checkSaveTarget(output, console)) return kExitTrouble;
  ReportingObserver reports(console.err, input + ":");
  OwnedList list;
  if (!readForCommand(input, list, console, &reports)) return kExitTrouble;
  if (reports.count() > 0 && !invocation.has("--force")) {
    console.err << "matfile: " << input << " not formatted: formatting would lose what is "
                << "reported above (see matfile check; --force formats anyway)\n";
    return kExitFindings;
  }
  if (!saveMaterialFile(list.get(), output.c_str())) {
    console.err << "matfile: cannot write " << output << " (it is left as it was)\n";
    return kExitTrouble;
  }
  return kExitSuccess;
}
