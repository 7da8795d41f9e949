// The real stand-in host with the real PRALVIK.arx (or the test module), run
// as a user or a test runs them: scripts from scripts/, typed input, a
// working folder of each test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "AllocationSweep.h"
#include "HostProcess.h"
#include "WindowsPath.h"

namespace {

namespace fs = std::filesystem;

const std::string kHost = windowsPath(STANDIN_HOST_PATH);
const std::string kProbeModule = windowsPath(PROBE_MODULE_PATH);
const fs::path kScripts = windowsPath(SCRIPT_FOLDER);

class StandinHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::path(windowsPath(WORK_ROOT)) / "host" /
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(root);
    fs::create_directories(root / "work");
  }

  HostOutcome run(std::vector<std::string> arguments, const std::string& input = "") {
    HostInvocation invocation{kHost, std::move(arguments), (root / "work").string(), input};
    HostOutcome outcome = runHost(invocation);
    EXPECT_TRUE(outcome.started);
    EXPECT_FALSE(outcome.timedOut);
    return outcome;
  }

  static std::string script(const char* name) { return (kScripts / name).string(); }
  bool workingFolderEmpty() const { return fs::is_empty(root / "work"); }

  fs::path root;
};

void expectEverythingReleased(const HostOutcome& outcome) {
  AllocationReport report = allocationReport(outcome.errors);
  ASSERT_TRUE(report.present) << outcome.errors;
  EXPECT_GT(report.allocations, 0) << "the runtime's own start allocates through the host";
  EXPECT_EQ(report.releases, report.allocations);
  EXPECT_EQ(report.outstanding, 0);
  EXPECT_EQ(outcome.errors.find("invalid releases"), std::string::npos) << outcome.errors;
}

TEST_F(StandinHostTest, AnswerNoCreatesNoFileAndReleasesEverything) {
  HostOutcome outcome = run({"--script", script("answer-no.script"), "--report-allocations"});
  EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
  expectEverythingReleased(outcome);
  EXPECT_TRUE(workingFolderEmpty());
}

TEST_F(StandinHostTest, FailingLineIsNamedAndTheQuestionAnsweredAsAUserWould) {
  HostOutcome outcome = run({"--script", script("wrong-label.script"), "--report-allocations"});
  EXPECT_EQ(outcome.exitCode, 1u);
  EXPECT_EQ(outcome.errors.find(
                "line 5: press Maybe\n  no button \"Maybe\" in window \"Create new file\"\n"),
            0u)
      << outcome.errors;
  expectEverythingReleased(outcome);
  EXPECT_TRUE(workingFolderEmpty());
}

TEST_F(StandinHostTest, BadScriptLineIsNamedBeforeTheModuleLoads) {
  HostOutcome outcome = run({"--script", script("unknown-action.script")});
  EXPECT_EQ(outcome.exitCode, 1u);
  EXPECT_EQ(outcome.errors, "line 2: frobnicate\n  unknown action \"frobnicate\"\n");
}

// With the file in the search path's second folder the question never comes.
TEST_F(StandinHostTest, SearchPathFindsTheFileInItsSecondFolder) {
  fs::create_directories(root / "first");
  fs::create_directories(root / "second");
  std::ofstream(root / "second" / "zodo.mat") << "# materials\n";
  std::string searchPath = (root / "first").string() + ";" + (root / "second").string();

  HostOutcome found = run({"--search-path", searchPath, "--script", script("answer-no.script")});
  EXPECT_EQ(found.exitCode, 1u);
  EXPECT_EQ(found.errors.find("line 3: expect-window Create new file\n"
                              "  no window is open and no command is running\n"),
            0u)
      << found.errors;
  EXPECT_EQ(run({"--search-path", searchPath, "--script", script("command-only.script")}).exitCode,
            0u);
  HostOutcome notFound =
      run({"--search-path", (root / "first").string(), "--script", script("answer-no.script")});
  EXPECT_EQ(notFound.exitCode, 0u) << notFound.errors;
}

TEST_F(StandinHostTest, PromptRunsTypedCommandsUntilQuit) {
  HostOutcome outcome = run({"--report-allocations"}, "bogus\n\n  QUIT  \nme\n");
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.output, "Command: Unknown command \"bogus\".\nCommand: Command: ");
  expectEverythingReleased(outcome);
}

TEST_F(StandinHostTest, PromptEndsWithItsInput) {
  HostOutcome outcome = run({}, "");
  EXPECT_EQ(outcome.exitCode, 0u);
  EXPECT_EQ(outcome.output, "Command: \n");
}

TEST_F(StandinHostTest, CommandLineThatCannotRunEndsWithTwo) {
  HostOutcome unknownOption = run({"--fail-allocations", "3"});
  EXPECT_EQ(unknownOption.exitCode, 2u);
  EXPECT_EQ(
      unknownOption.errors.find("standin-host: unknown option \"--fail-allocations\"\nusage: "),
      0u);
  HostOutcome noModule = run({(root / "absent.arx").string()});
  EXPECT_EQ(noModule.exitCode, 2u);
  EXPECT_NE(noModule.errors.find("cannot load"), std::string::npos) << noModule.errors;
  EXPECT_EQ(run({"--script", script("absent.script")}).exitCode, 2u);
}

// Each run must hold or fail cleanly, give back every block, and release
// nothing it never had; here the session must hold whatever fails.
void expectCleanRun(const SweepRun& run) {
  SCOPED_TRACE("request " + std::to_string(run.failingRequest) + " failing");
  ASSERT_FALSE(run.outcome.timedOut);
  EXPECT_EQ(run.outcome.exitCode, 0u) << run.outcome.errors;
  ASSERT_TRUE(run.report.present) << run.outcome.errors;
  EXPECT_EQ(run.report.outstanding, 0);
  EXPECT_EQ(run.outcome.errors.find("invalid releases"), std::string::npos);
}

TEST_F(StandinHostTest, FailedAllocationOnTheCommandPathIsHandled) {
  SweepPlan plan;
  plan.program = kHost;
  plan.arguments = {"--script", script("answer-no.script")};
  plan.folderRoot = root.string();
  SweepSummary summary = sweepAllocations(plan, [&](const SweepRun& run) {
    expectCleanRun(run);
    EXPECT_FALSE(fs::exists(fs::path(run.workingFolder) / "zodo.mat"));
  });
  EXPECT_GE(summary.runs, summary.requests + 1);
  EXPECT_GE(summary.requests, 0);
  RecordProperty("requests", static_cast<int>(summary.requests));
}

// The test module's command allocates through the material core: every one
// of its requests fails once, and every run still gives everything back.
TEST_F(StandinHostTest, SweepFailsEveryRequestOfAnAllocatingCommandOnce) {
  SweepPlan plan;
  plan.program = kHost;
  plan.arguments = {"--script", script("command-only.script"), kProbeModule};
  plan.folderRoot = root.string();
  long failedRuns = 0;
  SweepSummary summary = sweepAllocations(plan, [&](const SweepRun& run) {
    expectCleanRun(run);
    if (run.report.requests >= run.failingRequest) ++failedRuns;
  });
  EXPECT_GE(summary.requests, 10);
  EXPECT_EQ(failedRuns, summary.requests);
  EXPECT_LE(summary.runs, summary.requests + 2);
}

}  // namespace
