// Every cases/NAME.mat is run through list, check and format --force; the
// outputs must equal NAME.list, NAME.check and NAME.formatted beside it. The
// export of NAME.mat imported into a new file must give NAME.formatted too.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

class MatfileCase : public ::testing::TestWithParam<std::string> {
 protected:
  std::string casePath(const std::string& extension) const {
    return testDataPath("matfile/cases/" + GetParam() + extension);
  }
};

TEST_P(MatfileCase, ListPrintsEachMaterialTabSeparated) {
  MatfileRun run = matfile({"list", casePath(".mat")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, fileBytes(casePath(".list")));
  EXPECT_EQ(run.err, "");
}

// 1 when anything was dropped or rejected, 3 when there are only warnings.
int checkExitCode(const std::string& report) {
  std::istringstream lines(report);
  bool warned = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(": warning: ") == std::string::npos) return 1;
    warned = true;
  }
  return warned ? 3 : 0;
}

TEST_P(MatfileCase, CheckReportsEveryDroppedLineAndRejectedValueThenTheWarnings) {
  MatfileRun run = matfile({"check", casePath(".mat")});
  std::string expected = fileBytes(casePath(".check"));
  EXPECT_EQ(run.exitCode, checkExitCode(expected));
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.err, "");
}

TEST_P(MatfileCase, ForcedFormatWritesWhatTheEditorWouldSave) {
  TemporaryFolder folder;
  std::string output = folder.file("out.mat");
  MatfileRun run = matfile({"format", casePath(".mat"), "--output", output, "--force"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(fileBytes(output), withPlatformLineEnds(fileBytes(casePath(".formatted"))));
}

// Holds for every file that check finds no error in: a value a setter
// rejected reads 0, which an import rejects again.
TEST_P(MatfileCase, ExportThenImportIntoANewFileWritesTheFormattedFile) {
  if (checkExitCode(fileBytes(casePath(".check"))) == 1) GTEST_SKIP() << "check reports errors";
  TemporaryFolder folder;
  std::string table = folder.file("table.csv");
  std::string output = folder.file("new.mat");
  ASSERT_EQ(matfile({"export", casePath(".mat"), "--output", table}).exitCode, 0);
  // What check warns about stops an import unless it is accepted.
  bool warned = checkExitCode(fileBytes(casePath(".check"))) == 3;
  MatfileRun run = matfile({"import", table, "--into", output});
  EXPECT_EQ(run.exitCode, warned ? 1 : 0) << run.err;
  if (warned) {
    EXPECT_FALSE(std::filesystem::exists(output));
    run = matfile({"import", table, "--into", output, "--accept-warnings"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
  }
  if (fileBytes(casePath(".list")).empty()) {
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"table.csv"});
  } else {
    EXPECT_EQ(fileBytes(output), withPlatformLineEnds(fileBytes(casePath(".formatted"))));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MatfileCase,
                         ::testing::ValuesIn(caseNames("matfile/cases", ".mat")),
                         [](const auto& info) { return info.param; });

}  // namespace
