// Every cases/NAME.mat is run through list, check and format --force; the
// outputs must equal NAME.list, NAME.check and NAME.formatted beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(testDataPath("matfile/cases"))) {
    if (entry.path().extension() == ".mat") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

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

TEST_P(MatfileCase, CheckReportsEveryDroppedLineAndRejectedValue) {
  MatfileRun run = matfile({"check", casePath(".mat")});
  std::string expected = fileBytes(casePath(".check"));
  EXPECT_EQ(run.exitCode, expected.empty() ? 0 : 1);
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

INSTANTIATE_TEST_SUITE_P(Cases, MatfileCase, ::testing::ValuesIn(caseNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
