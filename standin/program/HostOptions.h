// The stand-in host's command line.
#pragma once

#include <string>
#include <vector>

struct HostOptions {
  std::vector<std::string> searchFolders;  // searched after the working directory
  std::string scriptPath;                  // empty: the interactive prompt
  std::string modulePath;                  // empty: PRALVIK.arx beside the host
  bool reportAllocations = false;
  bool reportRequests = false;
  bool reportTimings = false;  // of each acting script line
  long failingRequest = 0;  // 0: no request fails
  // The module's file operations, through a test build's file fault hook.
  bool reportFileOperations = false;
  long failingFileOperation = 0;  // 0: none fails
  bool helpWanted = false;
};

// Fills `options` from the arguments after the program name. False, with
// `error` saying why, for a command line that cannot be run.
bool parseHostOptions(const std::vector<std::string>& arguments, HostOptions& options,
                      std::string& error);

// The folders of a "DIR;DIR..." list, empty entries left out.
std::vector<std::string> splitSearchPath(const std::string& list);

// The usage text, one option per line.
const char* hostUsage();
