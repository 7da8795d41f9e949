// The editor's whole session (load the sample, edit one material, save) with
// each of the module's allocator requests failing in turn: every run ends as
// a user's session may end, with every block given back, and the file either
// exactly as it was or exactly as the edit saves it.
#include <gtest/gtest.h>

#include <filesystem>

#include "AllocationSweep.h"
#include "HostSession.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;

class EditorAllocationSweep : public HostSession {};

// The command showed its error box instead of the editor: the failing
// request came while the file was read.
bool endedAtTheReadFailure(const SweepRun& run) {
  const std::string& errors = run.outcome.errors;
  std::string::size_type firstLineEnd = errors.find('\n');
  return firstLineEnd != std::string::npos &&
         errors.compare(0, firstLineEnd, "line 3: expect-window KVO Material Editor") == 0 &&
         errors.compare(firstLineEnd + 1, 30, "  the active window is \"Error\"") == 0;
}

TEST_F(EditorAllocationSweep, EveryFailedRequestLeavesTheOldFileOrTheNewOneWhole) {
  const std::string before = sampleAsSaved();
  std::string edited = sampleBytes();
  edited.replace(edited.find("*PTFE\n 2.17 "), 12, "*PTFE\n 2.2 ");
  const std::string after = withPlatformLineEnds(edited);

  SweepPlan plan;
  plan.program = host();
  plan.arguments = {"--script", script("edit-one.script")};
  plan.folderRoot = root.string();
  // Most runs end in a window the script does not expect, for which a line
  // waits its full 5 s: more runs at a time cost waiting, hardly any work.
  plan.parallelRuns = 4;
  plan.prepare = [&](const std::string& folder) {
    writeFileBytes((fs::path(folder) / "zodo.mat").string(), before);
  };
  long saved = 0;
  long readFailures = 0;
  SweepSummary summary = sweepAllocations(plan, [&](const SweepRun& run) {
    SCOPED_TRACE("request " + std::to_string(run.failingRequest) + " failing");
    std::string file = expectOldOrNewFileAlone(run, before, after);
    if (file == after) ++saved;
    if (endedAtTheReadFailure(run)) ++readFailures;
    if (run.report.requests < run.failingRequest) {
      EXPECT_EQ(run.outcome.exitCode, 0u) << "nothing failed" << run.outcome.errors;
      EXPECT_EQ(file, after);
    }
  });
  ASSERT_GT(summary.requests, 0);
  EXPECT_GE(summary.runs, summary.requests + 1);
  EXPECT_GT(readFailures, 0) << "a failure while the file is read is reported, not edited";
  EXPECT_GE(saved, 1);
  RecordProperty("requests", static_cast<int>(summary.requests));
}

}  // namespace
