// Runs the stand-in host as a process of its own (from a test program that
// already runs under Wine, which makes a start cheap) and collects what it
// wrote and how it ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct HostInvocation {
  std::string program;                 // the host's path (Windows form)
  std::vector<std::string> arguments;  // after the program name
  std::string workingFolder;           // empty: the test's own
  std::string input;                   // standard input, then end of input
};

struct HostOutcome {
  bool started = false;
  bool timedOut = false;  // killed after the time limit
  DWORD exitCode = 0;
  std::string output;  // standard output
  std::string errors;  // standard error
};

// A host run under way; the outcome waits for its end.
class HostProcess {
 public:
  HostProcess() = default;
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  bool start(const HostInvocation& invocation);
  // Waits for the end, killing the host after `limitMilliseconds`.
  HostOutcome finish(DWORD limitMilliseconds = 60000);

 private:
  void closeHandles();

  HANDLE process_ = nullptr;
  HANDLE input_ = INVALID_HANDLE_VALUE;
  HANDLE output_ = INVALID_HANDLE_VALUE;
  HANDLE errors_ = INVALID_HANDLE_VALUE;
};

HostOutcome runHost(const HostInvocation& invocation);

// One argument as the C runtime's command-line parser reads it back.
std::string quotedArgument(const std::string& argument);

// The counts that --report-allocations and --report-requests print.
struct AllocationReport {
  bool present = false;  // the allocation line was there
  long allocations = 0;
  long releases = 0;
  long outstanding = 0;
  long requests = -1;  // -1: no requests line
};

AllocationReport allocationReport(const std::string& errors);

// The host's --report-file-operations line; -1 when absent.
long fileOperationCount(const std::string& errors);
