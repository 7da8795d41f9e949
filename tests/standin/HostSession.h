// The real stand-in host run as a process of its own in a working folder of
// each test's own (below the build folder), with the scripts and expected
// outputs of scripts/ and the sample material file.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AllocationSweep.h"
#include "HostProcess.h"

class HostSession : public ::testing::Test {
 protected:
  void SetUp() override;

  // Runs the host in work() with `arguments`; it must start and end in time.
  HostOutcome run(std::vector<std::string> arguments, const std::string& input = "");

  // The stand-in host to drive: PRALVIK_PAIR_HOST when set (a Linux or Windows
  // path to a standin-host.exe with its PRALVIK.arx beside it, such as the pair
  // built in the host's C++ ABI), else this tree's.
  static std::string host();
  // Whether the host comes from PRALVIK_PAIR_HOST, and so from another tree.
  static bool hostFromAnotherTree();
  static std::string script(const char* name);
  // The bytes of an expected output file beside the scripts.
  static std::string expected(const char* name);
  // The sample material file as it is checked in, and as the editor writes
  // it on this platform.
  static std::string sampleBytes();
  static std::string sampleAsSaved();

  std::string work() const { return (root / "work").string(); }
  std::string folder(const char* name) const;  // created below the test's root
  void seedSample(const std::string& folder) const;
  // Names of everything in the folder, sorted.
  static std::vector<std::string> entries(const std::string& folder);

  std::filesystem::path root;
};

// The module gave back every block it took, and no other.
void expectEverythingReleased(const HostOutcome& outcome);

// A run of an allocation sweep ended by itself and reported its counts: no
// block was left with the host's allocator, and none released that it never
// gave. How the session itself ended is the caller's to judge.
void expectNothingLeaked(const SweepRun& run);

// A sweep run of the editor's session in a folder that held only zodo.mat:
// nothing leaked, no crash, the module's windows owned as they must be and the
// host's window taking input again, and the file the old one or the new one
// whole with nothing beside it. Returns the file's bytes for the caller's
// judgement of how the run ended.
std::string expectOldOrNewFileAlone(const SweepRun& run, const std::string& before,
                                    const std::string& after);

// Holds a file open as another program would, with the given sharing, for
// as long as it lives.
class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD sharing);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};
