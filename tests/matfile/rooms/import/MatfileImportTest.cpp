// import: every csv/NAME.csv is imported into a new file; exit code, standard
// output and standard error must be as NAME.expected says (the paths shown as
// NAME.csv and zodo.mat), and the file written must equal NAME.mat, or no file
// may be written when there is no NAME.mat. Then imports into existing files:
// names already there, dry runs, files that cannot be written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

using Names = std::vector<std::string>;

const std::string kTableHeader =
    "name,density [g/cm^3],Young modulus [GPa],Poisson ratio,yield strength [MPa],"
    "tensile strength [MPa],thermal conductivity [W/(m x K)],linear expansion [10^-5m/(m xC)],"
    "specific heat [J/(Kg x K)]\r\n";

class MatfileImportCase : public ::testing::TestWithParam<std::string> {
 protected:
  std::string casePath(const std::string& extension) const {
    return testDataPath("matfile/csv/" + GetParam() + extension);
  }
};

TEST_P(MatfileImportCase, ReportsAndWritesAsExpected) {
  TemporaryFolder folder;
  std::string target = folder.file("zodo.mat");
  MatfileRun run = matfile({"import", casePath(".csv"), "--into", target});
  auto shown = [&](const std::string& text) {
    return replacedAll(replacedAll(text, casePath(".csv"), GetParam() + ".csv"), target,
                       "zodo.mat");
  };
  std::string outcome = "exit " + std::to_string(run.exitCode) + "\n--- stdout\n" +
                        shown(run.out) + "--- stderr\n" + shown(run.err);
  EXPECT_EQ(outcome, fileBytes(casePath(".expected")));
  if (std::filesystem::exists(casePath(".mat"))) {
    EXPECT_EQ(fileBytes(target), withPlatformLineEnds(fileBytes(casePath(".mat"))));
  } else {
    EXPECT_EQ(folder.entries(), Names{});
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, MatfileImportCase,
                         ::testing::ValuesIn(caseNames("matfile/csv", ".csv")),
                         [](const auto& info) { return info.param; });

// A material file and a table in one folder.
class MatfileImport : public ::testing::Test {
 protected:
  std::string target() const { return folder.file("zodo.mat"); }
  std::string table() const { return folder.file("table.csv"); }

  void writeTarget(const std::string& materials) {
    writeFileBytes(target(), withPlatformLineEnds(kFileHeader + materials));
  }
  void writeTable(const std::string& rows) { writeFileBytes(table(), kTableHeader + rows); }
  std::string targetMaterials() const {
    std::string bytes = fileBytes(target());
    return replacedAll(bytes, "\r\n", "\n").substr(kFileHeader.size());
  }
  MatfileRun import(std::vector<std::string> options = {}) {
    std::vector<std::string> arguments = {"import", table(), "--into", target()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return matfile(arguments);
  }

  TemporaryFolder folder;
};

const std::string kSteel = "*Steel\n 7.85 210 0.3 235 360 50 1.2 460\n";
const std::string kBrass = "*Brass\n 8.47 96 0.34 250 430 113 2.09 380\n";
const std::string kCopper = "*Copper\n 8.94 115 0.34 70 220 390 1.7 385\n";
const std::string kBrassRow = "Brass,8.5,97,0.34,250,430,113,2.09,380\r\n";
const std::string kCopperRow = "Copper,8.94,115,0.34,70,220,390,1.7,385\r\n";
const std::string kNewBrass = "*Brass\n 8.5 97 0.34 250 430 113 2.09 380\n";

TEST_F(MatfileImport, AppendsAfterTheMaterialsOfTheFileInRowOrder) {
  writeTarget(kSteel);
  writeTable(kCopperRow + kBrassRow);
  MatfileRun run = import();
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, target() + ": 2 appended, 0 replaced, 0 skipped\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(targetMaterials(), kSteel + kCopper + kNewBrass);
  EXPECT_EQ(folder.entries(), (Names{"table.csv", "zodo.mat"}));
}

TEST_F(MatfileImport, NameAlreadyInTheFileIsReportedAndSkipped) {
  writeTarget(kSteel + kBrass);
  writeTable(kBrassRow + kCopperRow);
  MatfileRun run = import();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, table() + ":2: skipped: \"Brass\" is already in " + target() +
                         " (line 5); --replace replaces it\n");
  EXPECT_EQ(run.out, target() + ": 1 appended, 0 replaced, 1 skipped\n");
  EXPECT_EQ(targetMaterials(), kSteel + kBrass + kCopper);
}

TEST_F(MatfileImport, ValueWarningsComeOnlyForRowsThatGoIntoTheFile) {
  writeTarget(kBrass);
  writeTable("Brass,8470,96,0.34,250,430,113,2.09,380\r\n");
  EXPECT_EQ(import().err, table() + ":2: skipped: \"Brass\" is already in " + target() +
                              " (line 3); --replace replaces it\n");
  MatfileRun run = import({"--replace", "--accept-warnings"});
  EXPECT_TRUE(contains(run.err, table() + ":2: warning: \"Brass\": density 8470 [g/cm^3] is "
                                          "above 25; "))
      << run.err;
  EXPECT_EQ(run.exitCode, 0);
}

TEST_F(MatfileImport, NothingButSkippedRowsLeavesTheFileUntouched) {
  writeFileBytes(target(), "; my comments\n" + kBrass);
  writeTable(kBrassRow);
  MatfileRun run = import();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, target() + ": 0 appended, 0 replaced, 1 skipped; nothing written\n");
  EXPECT_EQ(fileBytes(target()), "; my comments\n" + kBrass);
}

TEST_F(MatfileImport, ReplaceTakesTheMaterialsPlaceInTheFile) {
  writeTarget(kSteel + kBrass + kCopper);
  writeTable(kBrassRow);
  MatfileRun run = import({"--replace"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, target() + ": 0 appended, 1 replaced, 0 skipped\n");
  EXPECT_EQ(targetMaterials(), kSteel + kNewBrass + kCopper);
}

TEST_F(MatfileImport, NamesMatchByteForByte) {
  writeTarget(kBrass);
  writeTable("brass,1,1,0.1,1,1,1,1,1\r\nBrass ,1,1,0.1,1,1,1,1,1\r\n");
  MatfileRun run = import({"--replace", "--accept-warnings"});
  EXPECT_EQ(run.out, target() + ": 2 appended, 0 replaced, 0 skipped\n");
  EXPECT_EQ(targetMaterials(), kBrass + "*brass\n 1 1 0.1 1 1 1 1 1\n*Brass \n 1 1 0.1 1 1 1 1 1\n");
}

TEST_F(MatfileImport, AbsentNameInTheFileMatchesTheNameItIsSavedWith) {
  writeFileBytes(target(), "*\n 1 1 0.1 1 1 1 1 1\n");
  writeTable("(null),2,2,0.2,2,2,2,2,2\r\n");
  MatfileRun run = import({"--replace", "--accept-warnings"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, target() + ":1: Name cannot be blank.\n")) << run.err;
  EXPECT_TRUE(contains(run.err, "saving it would lose what is reported above")) << run.err;
  writeFileBytes(target(), "*(null)\n 1 1 0.1 1 1 1 1 1\n");
  run = import({"--replace", "--accept-warnings"});
  EXPECT_EQ(run.out, target() + ": 0 appended, 1 replaced, 0 skipped\n");
}

TEST_F(MatfileImport, ReplaceOfANameTheFileHoldsTwiceIsAnError) {
  writeTarget(kBrass + kSteel + kBrass);
  std::string before = fileBytes(target());
  writeTable(kBrassRow);
  MatfileRun run = import({"--replace"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, table() + ":2: \"Brass\" stands more than once in " + target() +
                         " (lines 3, 7), so --replace cannot tell which material to replace\n"
                         "matfile: " + target() + " not changed: 1 row of " + table() +
                         " cannot be imported\n");
  EXPECT_EQ(fileBytes(target()), before);
  // Without --replace the row is skipped like any other known name.
  run = import();
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(contains(run.err, "skipped: \"Brass\" is already in " + target() + " (line 3)"));
}

TEST_F(MatfileImport, TwoRowsReplacingOneMaterialAreAnError) {
  writeTarget(kBrass);
  std::string before = fileBytes(target());
  writeTable(kBrassRow + kCopperRow + kBrassRow);
  MatfileRun run = import({"--replace"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, table() + ":4: \"Brass\": row 2 replaces the material on line 3 "
                                          "already\n"))
      << run.err;
  EXPECT_EQ(fileBytes(target()), before);
}

TEST_F(MatfileImport, DryRunReportsTheSameAndWritesNothing) {
  writeTarget(kSteel + kBrass);
  std::string before = fileBytes(target());
  writeTable(kBrassRow + kCopperRow);
  MatfileRun run = import({"--dry-run", "--replace"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, target() + ": 1 to append, 1 to replace, 0 to skip; dry run, nothing written\n");
  EXPECT_EQ(fileBytes(target()), before);

  std::filesystem::remove(target());
  run = import({"--dry-run"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(folder.entries(), Names{"table.csv"});
}

TEST_F(MatfileImport, DryRunWithBadRowsFailsAsTheImportWould) {
  writeTable("Bad,0,1,1,1,1,1,1,1\r\n");
  MatfileRun run = import({"--dry-run"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, ":2: density [g/cm^3] \"0\": Density must be > 0\n")) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST_F(MatfileImport, FileThatWouldLoseLinesIsNotChanged) {
  std::string lossy = kSteel + "*Brass\n 1 2 3\n";
  writeFileBytes(target(), lossy);
  writeTable(kCopperRow);
  MatfileRun run = import();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, target() + ":3: ")) << run.err;
  EXPECT_TRUE(contains(run.err, "matfile: " + target() + " not changed: saving it would lose"));
  EXPECT_EQ(fileBytes(target()), lossy);
}

TEST_F(MatfileImport, FolderWhereTheFileMustGoFailsAndLeavesNothingBehind) {
  std::filesystem::create_directory(target());
  writeTable(kCopperRow);
  MatfileRun run = import();
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.err, target() + ": not a regular file")) << run.err;
  EXPECT_TRUE(std::filesystem::is_directory(target()));
  EXPECT_TRUE(std::filesystem::is_empty(target()));
  EXPECT_EQ(folder.entries(), (Names{"table.csv", "zodo.mat"}));
}

TEST_F(MatfileImport, NewFileInAMissingFolderCannotBeWrittenAndNothingIsCreated) {
  writeTable(kCopperRow);
  std::string missing = folder.file("no/such/zodo.mat");
  MatfileRun run = matfile({"import", table(), "--into", missing});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "matfile: cannot write " + missing + " (it is left as it was)\n");
  EXPECT_EQ(folder.entries(), Names{"table.csv"});
}

TEST_F(MatfileImport, MissingTableOrMissingIntoExitTwo) {
  MatfileRun run = import();
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.err, "matfile: cannot open " + table() + ": ")) << run.err;
  writeTable(kCopperRow);
  run = matfile({"import", table()});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(contains(run.err, "matfile: import needs --into\n")) << run.err;
  EXPECT_EQ(folder.entries(), Names{"table.csv"});
}

TEST_F(MatfileImport, SkipInvalidLeavesBadRowsOutAndImportsTheRest) {
  writeTarget(kSteel);
  writeTable(kCopperRow + "Bad,-1,1,0.1,1,1,1,1,1\r\n" + kBrassRow);
  MatfileRun dry = import({"--skip-invalid", "--dry-run"});
  EXPECT_EQ(dry.exitCode, 1);
  EXPECT_EQ(dry.out, target() + ": 2 to append, 0 to replace, 0 to skip, 1 to leave out; dry run, "
                                "nothing written\n");
  MatfileRun run = import({"--skip-invalid"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, target() + ": 2 appended, 0 replaced, 0 skipped, 1 left out\n");
  EXPECT_EQ(run.err, table() + ":3: density [g/cm^3] \"-1\": Density must be > 0\nmatfile: " +
                         target() + " written without what is reported above: 1 row of " +
                         table() + " cannot be imported\n");
  EXPECT_EQ(targetMaterials(), kSteel + kCopper + kNewBrass);
}

TEST_F(MatfileImport, SkipInvalidLeavesOutATableThatCannotBeReadAndTakesTheOthers) {
  writeTable(kCopperRow);
  std::string broken = folder.file("broken.csv");
  writeFileBytes(broken, "name,density\r\nX,1\r\n");
  MatfileRun run = matfile({"import", broken, table(), "--into", target(), "--skip-invalid"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, broken + ":1: column \"density\" gives no unit")) << run.err;
  EXPECT_TRUE(contains(run.err, broken + " cannot be read as a material table\n")) << run.err;
  EXPECT_EQ(run.out, target() + ": 1 appended, 0 replaced, 0 skipped, 1 left out\n");
  EXPECT_EQ(targetMaterials(), kCopper);
}

TEST_F(MatfileImport, VerboseListsEachValueAsGivenBesideTheStoredOne) {
  writeFileBytes(table(), "name,density [lb/in^3],specific heat [Btu/(lb \xC2\xB0" "F)]\r\n"
                          "Steel,0.2836,0.11\r\n");
  MatfileRun run = import({"--verbose", "--dry-run"});
  EXPECT_EQ(run.out, table() + ":2: \"Steel\" to append\n"
                     "    density: 0.2836 [lb/in^3] -> 7.85002 [g/cm^3]\n"
                     "    Young modulus: not given -> 0 [GPa]\n"
                     "    Poisson ratio: not given -> 0\n"
                     "    yield strength: not given -> 0 [MPa]\n"
                     "    tensile strength: not given -> 0 [MPa]\n"
                     "    thermal conductivity: not given -> 0 [W/(m x K)]\n"
                     "    linear expansion: not given -> 0 [10^-5m/(m xC)]\n"
                     "    specific heat: 0.11 [Btu/(lb \xC2\xB0" "F)] -> 460.548 [J/(Kg x K)]\n" +
                     target() + ": 1 to append, 0 to replace, 0 to skip; dry run, nothing written\n");
}

// A value that check would warn about goes in only when the user says so: a
// Young modulus in MPa under a GPa header is a thousand times off for good.
TEST_F(MatfileImport, WhatCheckWouldWarnAboutStopsTheImportUnlessAccepted) {
  writeTarget(kSteel);
  std::string before = fileBytes(target());
  writeTable(kCopperRow + "Stainless,7.9,193000,0.29,205,515,16,1.7,500\r\n");
  const std::string warning = table() +
                              ":3: warning: \"Stainless\": Young modulus 193000 [GPa] "
                              "is above 1200; ";
  for (bool dryRun : {true, false}) {
    MatfileRun run = dryRun ? import({"--dry-run"}) : import();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(contains(run.err, warning)) << run.err;
    EXPECT_TRUE(contains(run.err, "matfile: " + target() + " not changed: 1 row of " + table() +
                                      " draws warnings (--accept-warnings imports such materials "
                                      "as they are)\n"))
        << run.err;
    EXPECT_EQ(fileBytes(target()), before);
  }
  MatfileRun run = import({"--skip-invalid"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, target() + ": 1 appended, 0 replaced, 0 skipped, 1 left out\n");
  EXPECT_EQ(targetMaterials(), kSteel + kCopper);

  writeTarget(kSteel);
  run = import({"--accept-warnings"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(contains(run.err, warning)) << run.err;
  EXPECT_EQ(run.out, target() + ": 2 appended, 0 replaced, 0 skipped\n");
}

// "ptfe" beside "PTFE" in the list is one material entered twice, whatever
// letter case and blanks say; so are two rows of one name.
TEST_F(MatfileImport, NamesThatRepeatOrLookAlikeAreReportedAndLeftOutUnderSkipInvalid) {
  writeTarget("*PTFE\n 2.17 0.5 0.46 10 25 0.25 12 1000\n");
  writeTable("ptfe,2.2,0.5,0.46,10,25,0.25,12,1000\r\n" + kCopperRow +
             "Co pper,8.94,115,0.34,70,220,390,1.7,385\r\n" + kBrassRow + kBrassRow);
  MatfileRun run = import({"--skip-invalid"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err,
            table() +
                ":2: warning: \"ptfe\": differs only in letter case or blanks from \"PTFE\", "
                "line 3 of " +
                target() + "; likely the same material entered twice\n" + table() +
                ":4: warning: \"Co pper\": differs only in letter case or blanks from "
                "\"Copper\", row 3; the list dialog would show two rows that cannot be told "
                "apart\n" +
                table() +
                ":6: warning: \"Brass\": same name as row 5; the list dialog would show two "
                "rows that cannot be told apart\n"
                "matfile: " +
                target() + " written without what is reported above: 3 rows of " + table() +
                " draw warnings (--accept-warnings imports such materials as they "
                "are)\n");
  EXPECT_EQ(run.out, target() + ": 2 appended, 0 replaced, 0 skipped, 3 left out\n");
  EXPECT_EQ(targetMaterials(), "*PTFE\n 2.17 0.5 0.46 10 25 0.25 12 1000\n" + kCopper + kNewBrass);
}

// A hint that blames a unit the value was not given in sends the user to the
// wrong column: a density given in lb/in^3 was converted, not mistyped.
TEST_F(MatfileImport, HintsNameOnlyCausesThatFitTheUnitsGiven) {
  auto warningFor = [&](const std::string& header, const std::string& row) {
    writeFileBytes(table(), header + "\r\n" + row + "\r\n");
    MatfileRun run = import({"--dry-run"});
    std::size_t start = run.err.find("warning: ");
    return start == std::string::npos ? run.err
                                      : run.err.substr(start, run.err.find('\n', start) - start);
  };
  const std::string stiffness = "is above 350 times the density ";
  std::string both = warningFor("name,density [g/cm^3],Young modulus [GPa]", "Foam,0.1,240");
  EXPECT_TRUE(contains(both,
                       "; likely the density in lb/in^3 (0.284 for 7.85) or the Young "
                       "modulus in MPa (2400 for 2.4)"))
      << both;
  std::string density =
      warningFor("name,density [lb/in^3],Young modulus [GPa]", "Foam,0.00361,240");
  EXPECT_TRUE(contains(density, "; likely the Young modulus in MPa (2400 for 2.4)")) << density;
  EXPECT_FALSE(contains(density, "lb/in^3 (0.284")) << density;
  std::string neither = warningFor("name,density [lb/in^3],Young modulus [Msi]", "Foam,0.00361,35");
  EXPECT_TRUE(contains(neither, "Young modulus 241.317 [GPa] (given as 35 [Msi]) " + stiffness))
      << neither;
  EXPECT_TRUE(contains(neither,
                       "; check the value against the unit it was given in (density "
                       "0.00361 [lb/in^3], Young modulus 35 [Msi])"))
      << neither;
  // A unit of the same size as the stored one is typed in it all the same.
  std::string same = warningFor("name,density [kg/m^3],Young modulus [kN/mm^2]", "Steel,7850,2100");
  EXPECT_TRUE(contains(same, "; likely MPa typed (210000 for 210)")) << same;
}

// Whatever a table holds, import answers with a report, never a crash, and a
// dry run writes nothing.
TEST_F(MatfileImport, AnyTableGetsAnAnswerAndADryRunWritesNothing) {
  std::mt19937 random(5);
  const std::vector<std::string> pieces = {",", "\"", "\r\n", "\n", "\r", "1", "-2", "7,85", "e5",
                                           " ", "x", "", "\xEF\xBB\xBF", std::string(1, '\0')};
  for (int trial = 0; trial < 300; ++trial) {
    std::string rows;
    for (int piece = random() % 60; piece > 0; --piece) rows += pieces[random() % pieces.size()];
    writeFileBytes(table(), (trial % 3 == 0 ? "" : kTableHeader) + rows);
    MatfileRun run = import({"--dry-run", "--replace"});
    ASSERT_TRUE(run.exitCode == 0 || run.exitCode == 1) << rows << '\n' << run.err;
    ASSERT_EQ(folder.entries(), Names{"table.csv"});
  }
}

}  // namespace
