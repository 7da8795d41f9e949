// The stand-in host itself, with the real PRALVIK.arx (or the test module):
// its command line, its prompt, how a script's failing line is reported and
// the windows closed, and allocation failures on the way to the command.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>

#include "AllocationSweep.h"
#include "HostSession.h"
#include "TestFiles.h"
#include "WindowsPath.h"

namespace {

namespace fs = std::filesystem;

class StandinHostTest : public HostSession {
 protected:
  bool workingFolderEmpty() const { return entries(work()).empty(); }

  // A host loads only a module of its own ABI: another tree's host gets the
  // probe module built beside it.
  static std::string probeModule() {
    if (!hostFromAnotherTree()) return windowsPath(PROBE_MODULE_PATH);
    return (fs::path(host()).parent_path() / "probe.arx").string();
  }
};

TEST_F(StandinHostTest, FailingLineIsNamedAndTheQuestionAnsweredAsAUserWould) {
  HostOutcome outcome = run({"--script", script("wrong-label.script"), "--report-allocations"});
  EXPECT_EQ(outcome.exitCode, 1u);
  EXPECT_EQ(outcome.errors.find(
                "line 5: press Maybe\n  \"Create new file\" has no button \"Maybe\"\n"),
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

// The picture covers the host's main window (720 x 480) and the question
// over it, as the screen shows them.
TEST_F(StandinHostTest, PictureShowsTheHostWithTheCommandsWindows) {
  HostOutcome outcome = run({"--script", script("picture.script")});
  EXPECT_EQ(outcome.exitCode, 0u) << outcome.errors;
  std::string picture = fileBytes((root / "work" / "question.bmp").string());
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  ASSERT_GE(picture.size(), sizeof file + sizeof info);
  std::memcpy(&file, picture.data(), sizeof file);
  std::memcpy(&info, picture.data() + sizeof file, sizeof info);
  EXPECT_EQ(file.bfType, 0x4D42);
  EXPECT_EQ(file.bfSize, picture.size());
  EXPECT_GE(info.biWidth, 720);
  EXPECT_GE(info.biHeight, 480);
  EXPECT_EQ(info.biBitCount, 24);
}

// With no command running the host carries a request out: after the drawing
// closes, the module's command is gone; an unloaded module gives back every
// block before the host ends.
TEST_F(StandinHostTest, RequestsAreCarriedOutWhileNoCommandRuns) {
  std::string script = (root / "requests.script").string();
  writeFileBytes(script, "close-drawing\ncommand me\n");
  HostOutcome closed = run({"--script", script});
  EXPECT_EQ(closed.exitCode, 1u);
  EXPECT_EQ(closed.errors, "line 2: command me\n  no command \"me\" is registered\n");
  writeFileBytes(script, "unload\n");
  HostOutcome unloaded = run({"--script", script, "--report-allocations"});
  EXPECT_EQ(unloaded.exitCode, 0u) << unloaded.errors;
  expectEverythingReleased(unloaded);
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
  // Only the test build of the module can be made to fail its file operations.
  HostOutcome noHook = run({"--fail-file-operation", "1"});
  EXPECT_EQ(noHook.exitCode, 2u);
  EXPECT_NE(noHook.errors.find("no file fault hook"), std::string::npos) << noHook.errors;
}

// Here the session must hold whatever fails.
void expectCleanRun(const SweepRun& run) {
  SCOPED_TRACE("request " + std::to_string(run.failingRequest) + " failing");
  expectNothingLeaked(run);
  EXPECT_EQ(run.outcome.exitCode, 0u) << run.outcome.errors;
}

TEST_F(StandinHostTest, FailedAllocationOnTheCommandPathIsHandled) {
  SweepPlan plan;
  plan.program = host();
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
  plan.program = host();
  plan.arguments = {"--script", script("command-only.script"), probeModule()};
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
