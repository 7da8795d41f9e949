// check's plausibility warnings beyond the named cases: the sample, the
// table that the matfile manual shows, and what counts as the same name.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "MatfileRun.h"
#include "MaterialProperty.h"
#include "PlausibilityRules.h"
#include "TestFiles.h"

namespace {

TEST(MatfileCheckWarnings, SampleFilePassesWithoutWarnings) {
  MatfileRun run = matfile({"check", testDataPath("../examples/zodo.mat")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
}

TEST(MatfileCheckWarnings, ReadmeShowsTheRulesTableOfTheCode) {
  std::string readme = fileBytes(testDataPath("../docs/matfile.md"));
  EXPECT_NE(readme.find(plausibilityTable()), std::string::npos)
      << "paste the output of `matfile rules` into docs/matfile.md:\n"
      << plausibilityTable();
  MatfileRun run = matfile({"rules"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, plausibilityTable());
}

std::vector<std::string> warningsOf(const std::string& text) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("a.mat"), text);
  MatfileRun run = matfile({"check", folder.file("a.mat")});
  std::vector<std::string> lines;
  std::istringstream out(run.out);
  for (std::string line; std::getline(out, line);) lines.push_back(line);
  return lines;
}

const std::string kSteel = " 7.85 210 0.3 235 360 50 1.2 460\n";

// The list dialog sorts without regard to case but shows the names as they
// are, so names that differ in case can be told apart; blanks cannot be seen.
TEST(MatfileCheckWarnings, SameNameMeansSameBytesButForBlanksAtEitherEnd) {
  EXPECT_EQ(warningsOf("*Steel\n" + kSteel + "*STEEL\n" + kSteel + "*Steel\t\n" + kSteel),
            (std::vector<std::string>{
                "5: warning: \"Steel\t\": same name as the material on line 1 but for blanks at "
                "either end; the list dialog shows two rows that cannot be told apart; likely a "
                "material entered twice"}));
}

TEST(MatfileCheckWarnings, EveryRepeatNamesTheFirstMaterialOfThatName) {
  std::vector<std::string> warnings =
      warningsOf("*A\n" + kSteel + "*B\n" + kSteel + "*A\n" + kSteel + "*A\n" + kSteel);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_EQ(warnings[0].substr(0, 53), "5: warning: \"A\": same name as the material on line 1;");
  EXPECT_EQ(warnings[1].substr(0, 53), "7: warning: \"A\": same name as the material on line 1;");
}

// Handbook values of every class of material, typed in the stored units, and
// the same materials each with one typical unit mistake (the comment above
// each says which).
TEST(MatfileCheckWarnings, HandbookMaterialsPassAndEachUnitMistakeIsCaught) {
  MatfileRun clean = matfile({"check", testDataPath("matfile/handbook/handbook.mat")});
  EXPECT_EQ(clean.exitCode, 0);
  EXPECT_EQ(clean.out, "");

  ListGuard good, mistaken;
  ASSERT_EQ(readText(fileBytes(testDataPath("matfile/handbook/handbook.mat")), good.head),
            MaterialFileStatus::Read);
  std::string mistakes = fileBytes(testDataPath("matfile/handbook/handbook_mistakes.mat"));
  ASSERT_EQ(readText(mistakes, mistaken.head), MaterialFileStatus::Read);
  int materials = 0;
  for (const MaterialNode *a = good.head, *b = mistaken.head; a != nullptr && b != nullptr;
       a = a->nextNode, b = b->nextNode, ++materials) {
    EXPECT_STREQ(a->material->name, b->material->name);
    std::vector<int> differing;
    for (int position = 0; position < kPropertyCount; ++position) {
      MaterialProperty property = propertyAt(position);
      if (propertyValue(*a->material, property) != propertyValue(*b->material, property)) {
        differing.push_back(position);
      }
    }
    bool swapped = b->material->yieldStrength == a->material->tensileStrength &&
                   b->material->tensileStrength == a->material->yieldStrength;
    EXPECT_TRUE(differing.size() == 1 || swapped) << b->material->name;
  }
  EXPECT_GE(materials, 60);

  MatfileRun caught = matfile({"check", testDataPath("matfile/handbook/handbook_mistakes.mat")});
  EXPECT_EQ(caught.exitCode, 3);
  std::istringstream lines(mistakes);
  long number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (line.empty() || line[0] != '*') continue;
    EXPECT_NE(("\n" + caught.out).find("\n" + std::to_string(number) + ": warning: "),
              std::string::npos)
        << line;
  }
}

TEST(MatfileCheckWarnings, ZeroIsAnUnsetValueAndNeverWarnedAbout) {
  EXPECT_EQ(warningsOf("*Fresh record\n 1 0 0 0 0 0 0 0\n*Tensile unset\n 7.85 210 0.3 235 0 50 "
                       "1.2 460\n"),
            std::vector<std::string>{});
}

}  // namespace
