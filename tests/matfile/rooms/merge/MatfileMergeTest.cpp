// merge: three-way, material by material and property by property; a
// conflict keeps both versions and says so.
#include <gtest/gtest.h>

#include <string>

#include "MaterialMerge.h"
#include "MaterialProperty.h"
#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

const char* const kBefore[kPropertyCount] = {"7.85", "210", "0.3", "235",
                                             "360",  "50",  "1.2", "460"};
const char* const kOurs[kPropertyCount] = {"7.9", "211", "0.29", "240", "370", "51", "1.3", "470"};
const char* const kTheirs[kPropertyCount] = {"8", "212", "0.28", "250", "380", "52", "1.4", "480"};

const std::string kBrass = "*Brass\n 8.47 96 0.34 250 430 113 2.09 380\n";
const std::string kPtfe = "*PTFE\n 2.17 0.5 0.46 10 25 0.25 12 1000\n";

// "*NAME\n" and the base numbers, the one at `changed` taken from `values`.
std::string steel(const std::string& name = "Steel", int changed = -1,
                  const char* const* values = nullptr) {
  std::string text = "*" + name + "\n";
  for (int position = 0; position < kPropertyCount; ++position) {
    text += std::string(" ") + (position == changed ? values : kBefore)[position];
  }
  return text + "\n";
}

class MatfileMerge : public ::testing::Test {
 protected:
  MatfileRun merge(const std::string& base, const std::string& ours, const std::string& theirs) {
    writeFileBytes(folder.file("base.mat"), base);
    writeFileBytes(folder.file("ours.mat"), ours);
    writeFileBytes(folder.file("theirs.mat"), theirs);
    return matfile(
        {"merge", folder.file("base.mat"), folder.file("ours.mat"), folder.file("theirs.mat")});
  }
  TemporaryFolder folder;
};

TEST_F(MatfileMerge, EachPropertyChangedOnOneSideOrAlikeOnBothIsTakenOnce) {
  for (int changed = 0; changed < kPropertyCount; ++changed) {
    SCOPED_TRACE(propertyName(propertyAt(changed)));
    std::string base = steel() + kBrass;
    std::string expected = kFileHeader + steel("Steel", changed, kOurs) + kBrass;
    MatfileRun run = merge(base, steel("Steel", changed, kOurs) + kBrass, base);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    run = merge(base, base, steel("Steel", changed, kOurs) + kBrass);
    EXPECT_EQ(run.out, expected);
    run = merge(base, steel("Steel", changed, kOurs) + kBrass,
                steel("Steel", changed, kOurs) + kBrass);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, expected);
  }
}

TEST_F(MatfileMerge, EachPropertyChangedDifferentlyKeepsBothVersionsSideBySide) {
  for (int changed = 0; changed < kPropertyCount; ++changed) {
    MaterialProperty property = propertyAt(changed);
    SCOPED_TRACE(propertyName(property));
    MatfileRun run = merge(kBrass + steel(), kBrass + steel("Steel", changed, kOurs),
                           kBrass + steel("Steel", changed, kTheirs));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, kFileHeader + kBrass + steel("Steel (ours)", changed, kOurs) +
                           steel("Steel (theirs)", changed, kTheirs));
    std::string unit = propertyUnit(property);
    EXPECT_EQ(run.err,
              "conflict \"Steel\" (ours line 3, theirs line 3): changed differently on both sides; "
              "kept as \"Steel (ours)\" and \"Steel (theirs)\"\n  " +
                  std::string(propertyName(property)) + ": " + kBefore[changed] + " -> " +
                  kOurs[changed] + " (ours), " + kTheirs[changed] + " (theirs)" +
                  (unit.empty() ? "" : " " + unit) + "\n");
  }
}

// The conflict's two versions both carry what merged cleanly, so keeping
// either loses nothing else.
TEST_F(MatfileMerge, OtherPropertiesMergeIntoBothVersionsOfAConflict) {
  MatfileRun run = merge(steel(), "*Steel\n 7.9 210 0.3 240 360 50 1.2 460\n",
                         "*Steel\n 8 210 0.3 235 360 50 1.2 480\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, kFileHeader +
                         "*Steel (ours)\n 7.9 210 0.3 240 360 50 1.2 480\n"
                         "*Steel (theirs)\n 8 210 0.3 240 360 50 1.2 480\n");
  run = merge(steel(), "*Steel\n 7.85 210 0.3 240 360 50 1.2 460\n",
              "*Steel\n 7.85 210 0.3 235 360 50 1.2 480\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, kFileHeader + "*Steel\n 7.85 210 0.3 240 360 50 1.2 480\n");
}

TEST_F(MatfileMerge, AdditionsAndDeletionsFromBothSides) {
  // Each side's addition where it stands there; a deletion against an
  // unchanged material is taken.
  MatfileRun run =
      merge(steel() + kBrass, steel() + "*Copper\n 8.96 1 1 1 1 1 1 1\n" + kBrass, kPtfe + steel());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, kFileHeader + kPtfe + steel() + "*Copper\n 8.96 1 1 1 1 1 1 1\n");
  // The same addition on both sides once; different ones both kept.
  run = merge(steel(), steel() + kPtfe, steel() + kPtfe);
  EXPECT_EQ(run.out, kFileHeader + steel() + kPtfe);
  run = merge("", kPtfe, "*PTFE\n 2.2 0.5 0.46 10 25 0.25 12 1000\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, kFileHeader + "*PTFE (ours)\n 2.17 0.5 0.46 10 25 0.25 12 1000\n" +
                         "*PTFE (theirs)\n 2.2 0.5 0.46 10 25 0.25 12 1000\n");
  EXPECT_EQ(run.err,
            "conflict \"PTFE\" (ours line 1, theirs line 1): added on both sides with different "
            "values; kept as \"PTFE (ours)\" and \"PTFE (theirs)\"\n"
            "  density: 2.17 (ours), 2.2 (theirs) [g/cm^3]\n");
}

TEST_F(MatfileMerge, ADeletionAgainstAChangeKeepsTheChange) {
  MatfileRun run = merge(steel() + kBrass, kBrass, steel("Steel", 7, kTheirs) + kBrass);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, kFileHeader + steel("Steel (theirs)", 7, kTheirs) + kBrass);
  EXPECT_EQ(run.err,
            "conflict \"Steel\" (theirs line 1): changed in theirs, deleted in ours; "
            "kept as \"Steel (theirs)\"\n");
  run = merge(steel() + kBrass, steel("Steel", 7, kOurs) + kBrass, kBrass);
  EXPECT_EQ(run.out, kFileHeader + steel("Steel (ours)", 7, kOurs) + kBrass);
}

TEST_F(MatfileMerge, RepeatedNamesAreMatchedInFileOrder) {
  std::string first = steel(), second = steel("Steel", 3, kOurs);
  MatfileRun run = merge(first + second, first + steel("Steel", 4, kOurs), first + second + kPtfe);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, kFileHeader + first + steel("Steel", 4, kOurs) + kPtfe);
  run = merge(first + second, first + second, first);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, kFileHeader + first);
}

TEST_F(MatfileMerge, AConflictNameKeepsItsSuffixWithinTheLongestName) {
  EXPECT_EQ(conflictName("Steel", " (ours)"), "Steel (ours)");
  std::string longName(300, 'x');
  std::string name = conflictName(longName, " (theirs)");
  EXPECT_EQ(name.size(), MaterialMerge::kLongestName);
  EXPECT_EQ(name.substr(name.size() - 9), " (theirs)");
  // Never a UTF-8 character cut in two: "ö" is two bytes across the cut.
  std::string utf8 = std::string(245, 'x') + "\xC3\xB6" + "yyy";
  name = conflictName(utf8, " (ours)");
  EXPECT_EQ(name, std::string(245, 'x') + " (ours)");
}

TEST_F(MatfileMerge, WritesTheOutputFileAndRefusesWhatItWouldLose) {
  writeFileBytes(folder.file("base.mat"), steel());
  writeFileBytes(folder.file("ours.mat"), steel("Steel", 0, kOurs));
  writeFileBytes(folder.file("theirs.mat"), steel("Steel", 0, kTheirs));
  std::string ours = folder.file("ours.mat");
  MatfileRun run = matfile(
      {"merge", folder.file("base.mat"), ours, folder.file("theirs.mat"), "--output", ours});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.out, "conflict \"Steel\""));
  std::string merged = withPlatformLineEnds(kFileHeader + steel("Steel (ours)", 0, kOurs) +
                                            steel("Steel (theirs)", 0, kTheirs));
  EXPECT_EQ(fileBytes(ours), merged);
  // A line the reader drops in a side would be gone from the merged file.
  writeFileBytes(folder.file("theirs.mat"), steel() + "*Broken\n 1 2 3\n");
  run = matfile(
      {"merge", folder.file("base.mat"), ours, folder.file("theirs.mat"), "--output", ours});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.err, "theirs.mat:3: ")) << run.err;
  EXPECT_TRUE(contains(run.err, "not merged")) << run.err;
  EXPECT_EQ(fileBytes(ours), merged);
}

}  // namespace
