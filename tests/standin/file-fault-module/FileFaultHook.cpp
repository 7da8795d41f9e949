// The hook of the module's test build: the stand-in host arms the file
// layer's seam at the start of the first command and reads the count at the
// end. An arming far beyond the session only counts.
#include "FileFaultInjection.h"

extern "C" void __cdecl pralvikArmFileFault(long failing) { FileFaultInjection::arm(failing); }

// Once the armed operation has failed the seam stops counting: a count equal
// to the armed number means it failed, a smaller one that the session ended
// first.
extern "C" long __cdecl pralvikFileOperations() {
  long performed = 0;
  FileFaultInjection::disarm(&performed);
  return performed;
}
