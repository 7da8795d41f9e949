// What a wrong file dropped into an import costs: reports that stay the size
// of a screen, whatever the file holds.
#include <gtest/gtest.h>

#include <string>

#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

TEST(MatfileHostileInput, AHeaderOfAMillionColumnsNamesTheFirstFewAndCountsTheRest) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("wide.csv"),
                 "name,density [g/cm^3]" + std::string(100000, ',') + "x\n");
  MatfileRun run = matfile({"import", folder.file("wide.csv"), "--into", folder.file("zodo.mat")});
  EXPECT_EQ(run.exitCode, 1);
  std::string prefix = folder.file("wide.csv") + ":1: ";
  std::string expected;
  for (int i = 0; i < 20; ++i) {
    expected += prefix + "unknown column \"\" (matfile columns lists the headers)\n";
  }
  expected += prefix + "and 99980 more unknown columns\n";
  EXPECT_EQ(run.err.substr(0, expected.size()), expected);
  EXPECT_LT(run.err.size(), expected.size() + 200) << run.err.substr(expected.size());
}

}  // namespace
