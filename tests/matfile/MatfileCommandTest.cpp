#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

const std::string kClean = "*A\n 1 2 3 4 5 6 7 8\n";
const std::string kLossy = "*A\n 1 2 3 4 5 6 7 8\n*B\n 1 2\n";

TEST(MatfileCommandLine, WrongCommandLinesExitTwoWithUsageOnStandardError) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {}, {"frobnicate", "x"}, {"list"}, {"list", "a", "b"}, {"check", "--verbose", "x"},
           {"format", "x", "--output"}}) {
    MatfileRun run = matfile(arguments);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(arguments);
    EXPECT_TRUE(contains(run.err, "usage: matfile")) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(MatfileCommandLine, HelpGoesToStandardOutput) {
  MatfileRun run = matfile({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(contains(run.out, "matfile format FILE [--output OUT] [--force]"));
}

TEST(MatfileUnreadable, EveryCommandExitsTwoAndSaysWhy) {
  TemporaryFolder folder;
  std::string missing = folder.file("missing.mat");
  for (const char* command : {"list", "check", "format", "export"}) {
    MatfileRun run = matfile({command, missing});
    EXPECT_EQ(run.exitCode, 2) << command;
    EXPECT_EQ(run.out, "") << command;
    EXPECT_TRUE(contains(run.err, "matfile: cannot open " + missing + ": ")) << run.err;
  }
  EXPECT_EQ(folder.entries(), std::vector<std::string>{});
}

class MatfileFormat : public ::testing::Test {
 protected:
  std::string file() const { return folder.file("zodo.mat"); }
  TemporaryFolder folder;
};

TEST_F(MatfileFormat, RewritesTheFileInPlace) {
  writeFileBytes(file(), "; mine\n*A\r\n1 2 3 4 5 6 7 8");
  MatfileRun run = matfile({"format", file()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(fileBytes(file()), withPlatformLineEnds(kFileHeader + kClean));
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"zodo.mat"});
}

TEST_F(MatfileFormat, OutputOptionLeavesTheInputAlone) {
  writeFileBytes(file(), kClean);
  MatfileRun run = matfile({"format", file(), "--output", folder.file("new.mat")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(fileBytes(file()), kClean);
  EXPECT_TRUE(contains(fileBytes(folder.file("new.mat")), "*A"));
}

TEST_F(MatfileFormat, RefusesWhenFormattingWouldLoseLinesOrValues) {
  writeFileBytes(file(), kLossy);
  MatfileRun run = matfile({"format", file()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(fileBytes(file()), kLossy);
  EXPECT_TRUE(contains(run.err, file() + ":3: ")) << run.err;
  EXPECT_TRUE(contains(run.err, file() + ":4: ")) << run.err;
  EXPECT_TRUE(contains(run.err, "not formatted")) << run.err;
}

TEST_F(MatfileFormat, ForceFormatsAnywayAndStillReports) {
  writeFileBytes(file(), kLossy);
  MatfileRun run = matfile({"format", "--force", file()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(contains(run.err, file() + ":4: ")) << run.err;
  EXPECT_FALSE(contains(fileBytes(file()), "*B"));
}

TEST_F(MatfileFormat, UnwritableOutputExitsTwoAndLeavesItAsItWas) {
  writeFileBytes(file(), kClean);
  std::string output = folder.file("missing/new.mat");
  MatfileRun run = matfile({"format", file(), "--output", output});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.err, "matfile: cannot write " + output)) << run.err;
  EXPECT_EQ(folder.entries(), (std::vector<std::string>{"zodo.mat"}));
}

// A save would put a regular file in its place, and reading a pipe could wait
// forever: every command that saves refuses before it reads anything.
TEST(MatfileSaveTarget, FolderDeviceOrPipeIsRefusedBeforeAnythingIsRead) {
  TemporaryFolder folder;
  std::string input = folder.file("a.mat");
  std::string table = folder.file("a.csv");
  writeFileBytes(input, kClean);
  ASSERT_EQ(matfile({"export", input, "--output", table}).exitCode, 0);
  std::filesystem::create_directory(folder.file("sub"));
  std::vector<std::string> nodes{folder.file("sub")};
#ifdef _WIN32
  nodes.push_back(folder.file("NUL"));
#else
  ASSERT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);
  nodes.push_back(folder.file("pipe"));
#endif
  std::vector<std::string> entries = folder.entries();
  const std::string refusal = ": not a regular file (a folder, a device or a pipe); nothing written\n";
  for (const std::string& node : nodes) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"format", input, "--output", node}, {"format", node},
             {"export", input, "--output", node}, {"import", table, "--into", node},
             {"import", table, "--into", node, "--dry-run"}}) {
      MatfileRun run = matfile(arguments);
      EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(arguments);
      EXPECT_EQ(run.err, node + refusal);
      EXPECT_EQ(run.out, "");
    }
  }
  EXPECT_EQ(folder.entries(), entries);
  EXPECT_TRUE(std::filesystem::is_directory(folder.file("sub")));
  EXPECT_EQ(fileBytes(input), kClean);
}

TEST(MatfileList, LongNamesAndAbsentNamesPrintWhole) {
  TemporaryFolder folder;
  std::string name(10000, 'x');
  writeFileBytes(folder.file("a.mat"), "*" + name + "\n 1 2 3 4 5 6 7 8\n*\n 1 2 3 4 5 6 7 1e-5\n");
  MatfileRun run = matfile({"list", folder.file("a.mat")});
  EXPECT_EQ(run.out, name + "\t1\t2\t3\t4\t5\t6\t7\t8\n(null)\t1\t2\t3\t4\t5\t6\t7\t1e-005\n");
}

}  // namespace
