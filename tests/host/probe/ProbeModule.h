// The probe exports of the test module, for the test host that loads it.
#pragma once

#include <windows.h>

// The allocation entries that probeAllocate goes through.
enum ProbeEntry {
  kProbeMalloc,
  kProbeCalloc,
  kProbeRealloc,
  kProbeStrdup,
  kProbeHeaderStrdup,  // _strdup as the C runtime's header declares it
  kProbeNew,
  kProbeNewArray,
  kProbeNothrowNew,
  kProbeAlignedNew,
  kProbeEntryCount,
};

using ProbeFlagFunction = int (*)();
using ProbeInstanceFunction = HINSTANCE (*)();
using ProbeAllocateFunction = int (*)(int entry);
using ProbeReleaseFunction = void (*)(void* block);
