// diff: materials matched by name, values compared as numbers, and the exit
// codes of diff.
#include <gtest/gtest.h>

#include <string>

#include "MaterialProperty.h"
#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

const std::string kSteel = "*Steel\n 7.85 210 0.3 235 360 50 1.2 460\n";
const std::string kBrass = "*Brass\n 8.47 96 0.34 250 430 113 2.09 380\n";
const std::string kPtfe = "*PTFE\n 2.17 0.5 0.46 10 25 0.25 12 1000\n";

class MatfileDiff : public ::testing::Test {
 protected:
  MatfileRun diff(const std::string& before, const std::string& after) {
    writeFileBytes(folder.file("old.mat"), before);
    writeFileBytes(folder.file("new.mat"), after);
    return matfile({"diff", folder.file("old.mat"), folder.file("new.mat")});
  }
  TemporaryFolder folder;
};

TEST_F(MatfileDiff, SameMaterialsInTheSameOrderAreNoDifferenceHoweverWritten) {
  MatfileRun run = diff(kSteel + kBrass,
                        "; a comment\r\n*Steel\r\n7.850 2.1e2 .3 235 360 50 1.20 460\r\n" + kBrass);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST_F(MatfileDiff, NamesWhatWasRemovedAddedAndChangedWithUnits) {
  MatfileRun run =
      diff(kSteel + kBrass + kPtfe, "*Steel\n 7.85 210 0.31 245 360 50 1.2 460\n" + kPtfe +
                                        "*Brass CuZn40Pb2\n 8.47 96 0.34 250 430 113 2.09 380\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "removed \"Brass\" (line 3)\n"
            "added \"Brass CuZn40Pb2\" (line 5)\n"
            "changed \"Steel\" (line 1)\n"
            "  Poisson ratio: 0.3 -> 0.31\n"
            "  yield strength: 235 -> 245 [MPa]\n");
}

// A hand-edited file may hold more digits than a save writes.
TEST_F(MatfileDiff, ValuesThatDifferBeyondSixDigitsShowTheDigitsThatDiffer) {
  MatfileRun run = diff(kSteel, "*Steel\n 7.8500001 210 0.3 235 360 50 1.2 460\n");
  EXPECT_EQ(run.out, "changed \"Steel\" (line 1)\n  density: 7.85 -> 7.8500001 [g/cm^3]\n");
  run = diff("*Steel\n 7.85 210 0.3 235 360 50 1.2e-5 460\n",
             "*Steel\n 7.85 210 0.3 235 360 50 1.20000000000001e-5 460\n");
  EXPECT_EQ(run.out,
            "changed \"Steel\" (line 1)\n"
            "  linear expansion: 1.2e-005 -> 1.20000000000001e-005 [10^-5m/(m xC)]\n");
}

// One property changed at a time, the last included: each is compared and
// reported under its own name and unit, and nothing else is.
TEST_F(MatfileDiff, EachPropertyChangedAloneIsReported) {
  const char* const before[kPropertyCount] = {"7.85", "210", "0.3", "235", "360", "50", "1.2", "460"};
  const char* const after[kPropertyCount] = {"7.9", "211", "0.29", "240", "370", "51", "1.3", "470"};
  for (int changed = 0; changed < kPropertyCount; ++changed) {
    MaterialProperty property = propertyAt(changed);
    SCOPED_TRACE(propertyName(property));
    std::string numbers;
    for (int position = 0; position < kPropertyCount; ++position) {
      numbers += std::string(" ") + (position == changed ? after : before)[position];
    }
    MatfileRun run = diff(kSteel, "*Steel\n" + numbers + "\n");
    std::string unit = propertyUnit(property);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, std::string("changed \"Steel\" (line 1)\n  ") + propertyName(property) +
                           ": " + before[changed] + " -> " + after[changed] +
                           (unit.empty() ? "" : " " + unit) + "\n");
  }
}

// Diff shows six digits where they tell the values apart, and no more; where
// they do not, as many as do, up to the 17th, which tells any two apart.
TEST_F(MatfileDiff, DigitsShownAreTheFewestFromSixThatTellTheValuesApart) {
  const struct {
    const char* before;
    const char* after;
    const char* shown;
  } cases[] = {
      {"1.23456", "1.23466", "1.23456 -> 1.23466"},
      {"1.234561", "1.234571", "1.23456 -> 1.23457"},
      {"1.234567", "1.234568", "1.234567 -> 1.234568"},
      {"1.2345671", "1.2345674", "1.2345671 -> 1.2345674"},
      {"0.1", "0.10000000000000002", "0.10000000000000001 -> 0.10000000000000002"},
      {"1", "1.0000000000000002", "1 -> 1.0000000000000002"},
      {"1.7976931348623155e308", "1.7976931348623157e308",
       "1.7976931348623155e+308 -> 1.7976931348623157e+308"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    // Poisson ratio has no unit; specific heat is the last value of a line.
    MatfileRun run = diff(std::string("*M\n 1 2 ") + c.before + " 4 5 6 7 " + c.before + "\n",
                          std::string("*M\n 1 2 ") + c.after + " 4 5 6 7 " + c.after + "\n");
    EXPECT_EQ(run.out, std::string("changed \"M\" (line 1)\n  Poisson ratio: ") + c.shown +
                           "\n  specific heat: " + c.shown + " " +
                           propertyUnit(MaterialProperty::SpecificHeat) + "\n");
  }
}

TEST_F(MatfileDiff, RepeatedNamesAreMatchedInFileOrder) {
  std::string first = "*Steel\n 7.85 210 0.3 235 360 50 1.2 460\n";
  std::string second = "*Steel\n 7.85 210 0.3 355 510 50 1.2 460\n";
  // The second of two is gone: the first of NEW is taken as the first of OLD.
  MatfileRun run = diff(first + second, second);
  EXPECT_EQ(run.out,
            "removed \"Steel\" (line 3)\n"
            "changed \"Steel\" (line 1)\n"
            "  yield strength: 235 -> 355 [MPa]\n"
            "  tensile strength: 360 -> 510 [MPa]\n");
  // An absent name is the name a save gives it.
  run = diff("*\n 1 2 3 4 5 6 7 8\n", "*(null)\n 1 2 3 4 5 6 7 8\n");
  EXPECT_EQ(run.exitCode, 0) << run.out;
}

TEST_F(MatfileDiff, AChangeOfOrderAloneIsOneLine) {
  MatfileRun run = diff(kSteel + kBrass + kPtfe, kPtfe + kSteel + kBrass);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "order changed: \"PTFE\" moved\n");
  std::string before, after;
  for (int i = 0; i < 8; ++i) {
    std::string material = "*M" + std::to_string(i) + "\n 1 2 3 4 5 6 7 8\n";
    before += material;
    after = material + after;
  }
  run = diff(before, after);
  EXPECT_EQ(run.out, "order changed: \"M7\", \"M6\", \"M5\", \"M4\", \"M3\" and 2 more moved\n");
}

TEST_F(MatfileDiff, WhatAReaderDropsIsReportedButNotTrouble) {
  MatfileRun run = diff(kSteel + kBrass, kSteel + "*Brass\n 8.47 96\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "removed \"Brass\" (line 3)\n");
  EXPECT_NE(run.err.find(folder.file("new.mat") + ":3: "), std::string::npos) << run.err;
}

TEST_F(MatfileDiff, AnUnreadableFileIsTrouble) {
  writeFileBytes(folder.file("old.mat"), kSteel);
  MatfileRun run = matfile({"diff", folder.file("old.mat"), folder.file("missing.mat")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("matfile: cannot open " + folder.file("missing.mat")), std::string::npos);
  EXPECT_EQ(matfile({"diff", folder.file("old.mat")}).exitCode, 2);
}

}  // namespace
