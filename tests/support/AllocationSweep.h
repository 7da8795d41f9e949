// The allocation failure sweep: the same host session run again and again,
// with the module's 1st, 2nd, ... allocator request (counted from the start
// of the first command) failing in turn, until a run makes fewer requests
// than the one chosen to fail, so that every request has failed once. Each
// run is a fresh host in a freshly prepared working folder; a check judges
// it (it held, or it failed cleanly; nothing leaked; the stored data whole).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "HostProcess.h"

struct SweepRun {
  long failingRequest = 0;
  std::string workingFolder;
  HostOutcome outcome;
  AllocationReport report;
};

// What fails in turn: the module's allocator requests, or (a test build of
// the module only) its file operations.
enum class SweepTarget { AllocatorRequests, FileOperations };

struct SweepPlan {
  SweepTarget target = SweepTarget::AllocatorRequests;
  std::string program;                 // the host
  std::vector<std::string> arguments;  // besides the failure and report options
  std::string folderRoot;              // the runs' working folders go below it
  // Seeds a run's (empty) working folder.
  std::function<void(const std::string& workingFolder)> prepare;
  int parallelRuns = 2;
  long runLimit = 2000;
};

struct SweepSummary {
  long runs = 0;
  long requests = -1;  // (or operations) of the session when nothing fails; -1: broke off
};

// Hands every run to `check` as soon as it has ended, in the order of the
// failing request. Breaks off after a run without an allocation report (the
// host crashed or never started): `check` has seen it and fails on it.
SweepSummary sweepAllocations(const SweepPlan& plan,
                              const std::function<void(const SweepRun&)>& check);
