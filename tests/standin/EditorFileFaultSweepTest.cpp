// The editor's session (load the sample, edit one material, OK) with each of
// the module's file operations failing in turn, as a full disk or a dropped
// network drive makes one fail: the test build of the module carries the hook
// (file-fault-module/). Whatever fails, the file on disk is the old one or the
// new one whole, no temporary file stays, no block leaks; a failed save says
// "Cannot save file." and keeps the dialog open with the edit.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "AllocationSweep.h"
#include "HostSession.h"
#include "TestFiles.h"
#include "WindowsPath.h"

namespace {

namespace fs = std::filesystem;

class EditorFileFaultSweep : public HostSession {};

bool endedAt(const SweepRun& run, const char* line, const char* activeWindow) {
  const std::string& errors = run.outcome.errors;
  return errors.compare(0, std::strlen(line), line) == 0 &&
         errors.find(std::string("the active window is \"") + activeWindow + "\"") !=
             std::string::npos;
}

TEST_F(EditorFileFaultSweep, EveryFailedOperationKeepsTheOldFileOrSavesTheNewOneWhole) {
  // The hook is in this tree's MinGW build of the module only.
  if (hostFromAnotherTree()) GTEST_SKIP() << "the test build of the module is this tree's";
  // Two materials: a save of the sample would only add writes, each a run.
  const std::string header =
      "; zodo.mat - created with KVO Material Editor\n"
      "; -------------------------------------------\n";
  const std::string steel = "*Structural steel S235JR\n 7.85 210 0.3 235 360 50 1.2 460\n";
  const std::string ptfe = " 0.5 0.46 10 25 0.25 12 1000\n";
  const std::string before = withPlatformLineEnds(header + steel + "*PTFE\n 2.17" + ptfe);
  const std::string after = withPlatformLineEnds(header + steel + "*PTFE\n 2.2" + ptfe);

  SweepPlan plan;
  plan.target = SweepTarget::FileOperations;
  plan.program = host();
  plan.arguments = {"--script", script("save-fails-edited.script"),
                    windowsPath(FILE_FAULT_MODULE_PATH)};
  plan.folderRoot = root.string();
  // A failure while the file is read ends in a window the script does not
  // expect, which a line waits 5 s for: hosts that wait cost no work.
  plan.parallelRuns = 8;
  plan.prepare = [&](const std::string& folder) {
    writeFileBytes((fs::path(folder) / "zodo.mat").string(), before);
  };
  long saveFailures = 0, readFailures = 0, changeCheckFailures = 0;
  SweepSummary summary = sweepAllocations(plan, [&](const SweepRun& run) {
    SCOPED_TRACE("operation " + std::to_string(run.failingRequest) + " failing");
    std::string file = expectOldOrNewFileAlone(run, before, after);
    if (run.report.requests < run.failingRequest) {
      EXPECT_EQ(file, after) << "nothing failed";
    } else if (run.outcome.exitCode == 0) {
      // Every line held: the box said it, and the dialog still showed the edit.
      ++saveFailures;
      EXPECT_EQ(file, before);
      EXPECT_NE(run.outcome.output.find("PTFE\t2.2\t"), std::string::npos) << run.outcome.output;
    } else if (endedAt(run, "line 5: expect-window KVO Material Editor", "Error")) {
      ++readFailures;
      EXPECT_EQ(file, before);
    } else if (endedAt(run, "line 13: expect-window Error", "File changed")) {
      // The file could not be read again to see whether another program saved it.
      ++changeCheckFailures;
      EXPECT_EQ(file, before);
    } else {
      // A close whose failure tells nothing about the data: the session went on.
      EXPECT_EQ(file, after) << run.outcome.errors;
    }
  });
  ASSERT_GT(summary.requests, 0);
  EXPECT_GE(summary.runs, summary.requests + 1);
  EXPECT_GT(readFailures, 0);
  EXPECT_GT(changeCheckFailures, 0);
  // The checks, open, four writes, flush, sync, close and replace at the least.
  EXPECT_GE(saveFailures, 10);
  RecordProperty("operations", static_cast<int>(summary.requests));
  RecordProperty("save failures", static_cast<int>(saveFailures));
  RecordProperty("read failures", static_cast<int>(readFailures));
  RecordProperty("change check failures", static_cast<int>(changeCheckFailures));
}

}  // namespace
