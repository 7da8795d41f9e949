#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "CommandTable.h"
#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

const std::string kClean = "*A\n 1 2 3 4 5 6 7 8\n";
const std::string kLossy = "*A\n 1 2 3 4 5 6 7 8\n*B\n 1 2\n";

// The one line that says what is wrong, and where the usage is: a usage of
// twenty lines would bury it.
TEST(MatfileCommandLine, WrongCommandLinesExitTwoWithOneLineAndWhereHelpIs) {
  using Case = std::pair<std::vector<std::string>, std::string>;
  for (const Case& wrong : std::vector<Case>{
           {{"frobnicate", "x"}, "matfile: unknown command 'frobnicate'\ntry 'matfile --help'\n"},
           {{"list"}, "matfile: list takes 1 file\ntry 'matfile list --help'\n"},
           {{"list", "a", "b"}, "matfile: list takes 1 file\ntry 'matfile list --help'\n"},
           {{"check", "--verbose", "x"},
            "matfile: unknown option '--verbose' for check\ntry 'matfile check --help'\n"},
           {{"format", "x", "--output"},
            "matfile: option --output needs a value\ntry 'matfile format --help'\n"},
           {{"format", "x", "--force=yes"},
            "matfile: option --force takes no value\ntry 'matfile format --help'\n"},
           {{"format", "x", "-q"},
            "matfile: unknown option '-q' for format\ntry 'matfile format --help'\n"},
           {{"chart", "x", "--x"},
            "matfile: option --x needs a value\ntry 'matfile chart --help'\n"}}) {
    MatfileRun run = matfile(wrong.first);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(wrong.first);
    EXPECT_EQ(run.err, wrong.second);
    EXPECT_EQ(run.out, "");
  }
  MatfileRun bare = matfile({});
  EXPECT_EQ(bare.exitCode, 2);
  EXPECT_TRUE(contains(bare.err, "usage: matfile")) << bare.err;
}

TEST(MatfileCommandLine, ShortOptionsValuesAfterEqualsAndTheEndOfOptions) {
  TemporaryFolder folder;
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.file(""));
  writeFileBytes("-a.mat", kClean);
  std::string input = folder.file("-a.mat");
  EXPECT_EQ(matfile({"format", "-f", "-o", "b.mat", "--", "-a.mat"}).exitCode, 0);
  std::filesystem::current_path(before);
  EXPECT_EQ(matfile({"format", "--output=" + folder.file("c.mat"), input}).exitCode, 0);
  EXPECT_EQ(matfile({"export", input, "--output=" + folder.file("d=e.csv")}).exitCode, 0);
  EXPECT_EQ(folder.entries(), (std::vector<std::string>{"-a.mat", "b.mat", "c.mat", "d=e.csv"}));
  // A short option the command has no long form for is unknown to it.
  EXPECT_EQ(matfile({"list", "-o", "x", input}).err,
            "matfile: unknown option '-o' for list\ntry 'matfile list --help'\n");
}

TEST(MatfileCommandLine, VersionAndEveryHelpWithItsExitCodes) {
  MatfileRun version = matfile({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("matfile ", 0), 0u);
  for (const char* command : {"list", "check", "format", "export", "import", "rules", "chart",
                              "diff", "units", "columns"}) {
    MatfileRun run = matfile({command, "--help"});
    EXPECT_EQ(run.exitCode, 0) << command;
    EXPECT_TRUE(contains(run.out, "Exit codes: 0 ")) << run.out;
  }
  EXPECT_TRUE(
      contains(matfile({"check", "--help"}).out, "3 nothing dropped or rejected, but warnings"));
}

// A name's ending asks for a format: a chart in a .png file opens in no
// picture viewer, a material file in a .csv in no spreadsheet.
TEST(MatfileCommandLine, OutputWhoseNameAsksForAnotherFormatIsRefused) {
  TemporaryFolder folder;
  std::string input = folder.file("a.mat");
  writeFileBytes(input, kClean);
  using Case = std::pair<std::vector<std::string>, std::string>;
  for (const Case& wrong :
       std::vector<Case>{{{"chart", input, "-o", folder.file("a.PNG")},
                          ".png asks for a PNG picture, but chart writes an SVG picture; give it a "
                          "name ending in .svg"},
                         {{"export", input, "-o", folder.file("a.xlsx")},
                          ".xlsx asks for a workbook, but export writes a CSV table"},
                         {{"format", input, "-o", folder.file("a.csv")},
                          ".csv asks for a CSV table, but format writes a material file"},
                         {{"import", folder.file("t.csv"), "--into", folder.file("t.csv")},
                          "but import --into writes a material file"}}) {
    MatfileRun run = matfile(wrong.first);
    EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(wrong.first);
    EXPECT_TRUE(contains(run.err, wrong.second)) << run.err;
  }
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"a.mat"});
  // A name that asks for nothing in particular is taken as it is.
  EXPECT_EQ(matfile({"chart", input, "-o", folder.file("chart.out")}).exitCode, 0);
}

// A table or a workbook read as a material file would pass for a damaged one,
// every line reported as dropped.
TEST(MatfileNotAMaterialFile, ListCheckAndTheOthersSaySoAndExitTwo) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("table.csv"), "name,density [g/cm^3]\r\nSteel,7.85\r\n");
  writeFileBytes(folder.file("book.xlsx"), std::string("PK\x03\x04\x14\0\x06\0\n*x\n", 12));
  for (const char* command : {"list", "check", "format", "export", "chart"}) {
    MatfileRun run = matfile({command, folder.file("table.csv")});
    EXPECT_EQ(run.exitCode, 2) << command;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "matfile: " + folder.file("table.csv") +
                  " is not a material file: no line "
                  "of it starts a material (\"*\" and a name); a table goes in with matfile "
                  "import " +
                  folder.file("table.csv") + " --into FILE\n");
    run = matfile({command, folder.file("book.xlsx")});
    EXPECT_EQ(run.exitCode, 2) << command;
    EXPECT_TRUE(
        contains(run.err, "book.xlsx is not a material file: it holds bytes that are no text"))
        << run.err;
  }
  // --force loses what the reader drops, never a whole table.
  EXPECT_EQ(matfile({"format", "--force", folder.file("table.csv")}).exitCode, 2);
  EXPECT_EQ(fileBytes(folder.file("table.csv")), "name,density [g/cm^3]\r\nSteel,7.85\r\n");
  // An empty file, one of comments only, and a damaged one are material files.
  writeFileBytes(folder.file("empty.mat"), "; nothing yet\n\n");
  EXPECT_EQ(matfile({"check", folder.file("empty.mat")}).exitCode, 0);
  writeFileBytes(folder.file("damaged.mat"), "*A\n 1 2 3\n 1 2 3 4 5 6 7 8\n");
  EXPECT_EQ(matfile({"check", folder.file("damaged.mat")}).exitCode, 1);
  // diff shows whatever two versions of a file hold.
  EXPECT_EQ(matfile({"diff", folder.file("table.csv"), folder.file("empty.mat")}).exitCode, 0);
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

namespace {

// The manual page is written by hand; it must not lose a command or an option
// that the command table gains.
TEST(MatfileManual, NamesEveryCommandAndOption) {
  std::string page = fileBytes(testDataPath("../tools/matfile/matfile.1"));
  for (const CommandEntry& command : matfileCommands()) {
    EXPECT_TRUE(contains(page, std::string("matfile ") + command.name)) << command.name;
    for (const OptionEntry& option : command.options) {
      EXPECT_TRUE(contains(page, option.name)) << command.name << ' ' << option.name;
    }
  }
}

}  // namespace
