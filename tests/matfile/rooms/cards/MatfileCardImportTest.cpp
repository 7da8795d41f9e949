// import of material cards: the test library in cards/ as a whole (exit code,
// both streams and the file written must be as cards.expected and cards.mat
// say, paths shown from "cards/"), then inheritance across folders, loops and
// shared UUIDs, cards beside tables, and what a build without YAML does.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MatfileRun.h"
#include "TestFiles.h"
#include "YamlCardReader.h"

namespace {

using Names = std::vector<std::string>;

TEST(MatfileCardImport, TestLibraryWithSkipInvalidAndVerbose) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  TemporaryFolder folder;
  std::string target = folder.file("zodo.mat");
  std::string cards = testDataPath("matfile/cards");
  MatfileRun run = matfile({"import", cards, "--into", target, "--skip-invalid", "--verbose"});
  std::string outcome = "exit " + std::to_string(run.exitCode) + "\n--- stdout\n" + run.out +
                        "--- stderr\n" + run.err;
  outcome = replacedAll(replacedAll(outcome, cards, "cards"), target, "zodo.mat");
#ifdef _WIN32
  // A folder's cards are named with the system's separator.
  outcome = replacedAll(outcome, "\\", "/");
#endif
  EXPECT_EQ(outcome, fileBytes(testDataPath("matfile/cards.expected")));
  EXPECT_EQ(fileBytes(target), withPlatformLineEnds(fileBytes(testDataPath("matfile/cards.mat"))));
  MatfileRun check = matfile({"check", target});
  EXPECT_EQ(check.exitCode, 0) << check.out;
}

TEST(MatfileCardImport, WithoutSkipInvalidOneBadCardStopsTheImport) {
  TemporaryFolder folder;
  MatfileRun run = matfile({"import", testDataPath("matfile/cards"), "--into", folder.file("z.mat")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(contains(run.err, "cannot be imported\n")) << run.err;
  EXPECT_EQ(folder.entries(), Names{});
}

class MatfileCards : public ::testing::Test {
 protected:
  void writeCard(const std::string& name, const std::string& uuid, const std::string& parent,
                 const std::string& models) {
    std::string text = "General:\n  Name: \"" + name + "\"\n  UUID: \"" + uuid + "\"\n";
    if (!parent.empty()) text += "Inherits:\n  Parent:\n    UUID: \"" + parent + "\"\n";
    writeFileBytes(folder.file(name + ".FCMat"), text + "Models:\n  Model:\n" + models);
  }
  MatfileRun import(std::vector<std::string> sources) {
    std::vector<std::string> arguments = {"import"};
    arguments.insert(arguments.end(), sources.begin(), sources.end());
    arguments.insert(arguments.end(), {"--into", folder.file("zodo.mat"), "--verbose"});
    return matfile(arguments);
  }
  TemporaryFolder folder;
};

const std::string kDensity = "    Density: \"1 g/cm^3\"\n";

// A child before its parent in path order, a grandparent, a loop, and a
// UUID that two cards share.
TEST_F(MatfileCards, ParentsAreFoundByUuidWhereverTheyStand) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  writeCard("a child", "c", "p", "    PoissonRatio: \"0.25\"\n");
  writeCard("b grandchild", "g", "C", "");
  writeCard("z parent", "p", "", kDensity + "    PoissonRatio: \"0.3\"\n    YieldStrength: \"5 MPa\"\n");
  writeCard("loop one", "l1", "l2", kDensity);
  writeCard("loop two", "l2", "l1", "    YieldStrength: \"7 MPa\"\n");
  writeCard("zz twin", "p", "", "    Density: \"9 g/cm^3\"\n");
  MatfileRun run = import({folder.path().string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(contains(run.out, "\"a child\" appended\n    density: 1 g/cm^3 (from \"z parent\""));
  EXPECT_TRUE(contains(run.out, "    Poisson ratio: 0.25 -> 0.25\n"));
  EXPECT_TRUE(contains(run.out, "\"b grandchild\" appended\n    density: 1 g/cm^3 (from \"z parent\""));
  EXPECT_TRUE(contains(run.out, "    Poisson ratio: 0.25 (from \"a child\""));
  EXPECT_TRUE(contains(run.out, "    yield strength: 5 MPa (from \"z parent\""));
  EXPECT_TRUE(contains(run.out, "\"loop two\" appended\n    density: 1 g/cm^3 (from \"loop one\""));
  EXPECT_TRUE(contains(run.err, "\"loop one\": its parents lead back to \"loop one\"; the loop is "
                                "followed no further"))
      << run.err;
  EXPECT_TRUE(contains(run.err, "\"zz twin\" has the UUID of " + folder.file("z parent.FCMat")));
}

// A YAML file that is no card ("Model:" for "Models:") is an error, not an
// appearance card; a child of a card that cannot be read or imported, and its
// children in turn, would inherit what is unknown or wrong and are left out.
TEST_F(MatfileCards, ChildrenOfCardsThatCannotBeReadOrImportedAreLeftOutToo) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  writeFileBytes(folder.file("broken.FCMat"),
                 "General:\n  UUID: \"b\"\nModels:\n  Model:\n    Density: \"7 g/cm^3\n");
  writeFileBytes(folder.file("typo.FCMat"),
                 "General:\n  UUID: \"t\"\nModel:\n  Model:\n" + kDensity);
  writeCard("bad value", "v", "", "    Density: \"7800 s\"\n");
  writeCard("child of broken", "cb", "B", kDensity);
  writeCard("child of typo", "ct", "t", "");
  writeCard("child of bad value", "cv", "v", kDensity);
  writeCard("grandchild", "g", "cv", kDensity);
  writeCard("orphan", "o", "gone", kDensity);
  MatfileRun run = import({folder.path().string(), "--skip-invalid"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.out, ": 1 appended, 0 replaced, 0 skipped, 7 left out\n")) << run.out;
  EXPECT_TRUE(contains(run.err, "typo.FCMat:1: cannot be read as a material card: not a material "
                                "card: it holds no Models, Inherits or AppearanceModels\n"));
  for (const auto& [child, parent] : std::vector<std::pair<std::string, std::string>>{
           {"child of broken", "broken.FCMat cannot be read"},
           {"child of typo", "typo.FCMat cannot be read"},
           {"child of bad value", "bad value.FCMat cannot be imported"},
           {"grandchild", "child of bad value.FCMat cannot be imported"}}) {
    EXPECT_TRUE(contains(run.err, child + ".FCMat:6: \"" + child + "\": its parent \"Parent\""))
        << child;
    EXPECT_TRUE(contains(run.err, parent + ", so this card cannot be imported either\n")) << parent;
    EXPECT_FALSE(contains(run.err, "\"" + child + "\": Young modulus")) << "no notes for " << child;
  }
  EXPECT_TRUE(contains(run.err, "\"orphan\": its parent \"Parent\" (UUID gone) is not among"));
}

TEST_F(MatfileCards, TablesAndCardsGoInTogetherInSourceOrder) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  writeCard("Steel", "s", "", kDensity);
  writeFileBytes(folder.file("t.csv"), "name,density [kg/m^3]\r\nSteel,7850\r\nCopper,8940\r\n");
  MatfileRun run = import({folder.file("t.csv"), folder.file("Steel.FCMat"), "--accept-warnings"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(contains(run.err, folder.file("Steel.FCMat") +
                                    ":2: warning: \"Steel\": same name as " + folder.file("t.csv") +
                                    ":2; the list dialog would show two"))
      << run.err;
  EXPECT_TRUE(contains(run.out, folder.file("zodo.mat") + ": 3 appended, 0 replaced, 0 skipped\n"));
  EXPECT_TRUE(contains(run.out, "    density: 7850 [kg/m^3] -> 7.85 [g/cm^3]\n"));
}

// Every line about a source quotes names as that source writes them: a card
// in UTF-8 (its warnings, notes and --verbose lines too, though the file keeps
// the name in its code page), a table without a byte order mark in the code
// page.
TEST_F(MatfileCards, ReportsQuoteNamesInTheEncodingOfTheirSource) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  writeFileBytes(folder.file("g.FCMat"),
                 "General:\n  Name: \"Gr\xC3\xB6\xC3\x9F"
                 "e\"\nModels:\n  Model:\n"
                 "    Density: \"78500 g/cm^3\"\n");
  writeFileBytes(folder.file("t.csv"),
                 "name,density [g/cm^3]\r\nGr\xF6\xDF"
                 "e,2\r\n");
  MatfileRun run = import({folder.file("t.csv"), folder.file("g.FCMat"), "--accept-warnings"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::string card = folder.file("g.FCMat") + ":2: ";
  for (const char* text : {"warning: \"Gr\xC3\xB6\xC3\x9F"
                           "e\": density 78500",
                           "warning: \"Gr\xC3\xB6\xC3\x9F"
                           "e\": same name as ",
                           "note: \"Gr\xC3\xB6\xC3\x9F"
                           "e\": Young modulus"}) {
    EXPECT_TRUE(contains(run.err, card + text)) << text << "\n" << run.err;
  }
  EXPECT_TRUE(contains(run.err, folder.file("t.csv") + ":2: note: \"Gr\xF6\xDF"
                                                       "e\": Young"))
      << run.err;
  EXPECT_TRUE(contains(run.out, card + "\"Gr\xC3\xB6\xC3\x9F"
                                       "e\" appended"))
      << run.out;
}

// A card nests three levels down to its values; a wrong file that nests
// without end is refused at once, not after minutes.
TEST_F(MatfileCards, NestingIsBoundedWithAClearMessage) {
  auto nested = [](std::size_t levels) {
    return "    Extra: " + std::string(levels, '[') + std::string(levels, ']') + "\n";
  };
  writeCard("Deepest", "d", "", kDensity + nested(kDeepestYamlNesting - 3));
  MatfileRun run = import({folder.file("Deepest.FCMat")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  writeCard("Too deep", "t", "", kDensity + nested(kDeepestYamlNesting - 2));
  run = import({folder.file("Too deep.FCMat")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err,
                       "Too deep.FCMat:7: cannot be read as a material card: not a "
                       "material card: it nests deeper than 64 levels (a card nests four)"))
      << run.err;
  writeCard("Endless", "e", "", kDensity + nested(200000));
  run = import({folder.file("Endless.FCMat")});
  EXPECT_TRUE(contains(run.err,
                       "Endless.FCMat:7: cannot be read as a material card: not a "
                       "material card: it nests deeper than 64 levels"))
      << run.err;
}

// A card is read in one pass over its events, yet as a loaded document is
// looked up: the first of a repeated key counts, an alias stands for its
// scalar, and a problem that only loading finds (an alias to no anchor) still
// leaves the UUID after it to tell the card's children.
TEST_F(MatfileCards, KeysAliasesAndProblemsAreReadAsInALoadedDocument) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  writeFileBytes(folder.file("a.FCMat"),
                 "Models:\n  M: {Density: &d \"2 g/cm^3\", PoissonRatio: *d}\n"
                 "Models:\n  M: {YieldStrength: \"9 s\"}\n"
                 "General: {Name: First, UUID: a, Name: Second}\n");
  writeFileBytes(folder.file("b.FCMat"), "General: &g {Name: B, UUID: b}\nModels: *g\n");
  writeFileBytes(folder.file("c.FCMat"),
                 "Models: {M: {Density: *nowhere}}\nGeneral: {Name: C, UUID: c}\n");
  writeCard("child of c", "cc", "c", kDensity);
  MatfileRun run = import({folder.path().string(), "--skip-invalid"});
  EXPECT_FALSE(contains(run.err, "9 s")) << run.err;
  EXPECT_TRUE(contains(run.err, "a.FCMat:2: \"First\": Poisson ratio \"2 g/cm^3\": ")) << run.err;
  EXPECT_TRUE(contains(run.err,
                       "b.FCMat:2: cannot be read as a material card: not a material "
                       "card: an alias stands for the mapping under Models; a card "
                       "writes its values out\n"))
      << run.err;
  EXPECT_TRUE(contains(run.err,
                       "c.FCMat:1: cannot be read as a material card: not YAML: found "
                       "undefined alias\n"))
      << run.err;
  EXPECT_TRUE(contains(run.err, "\"child of c\": its parent \"Parent\" (UUID c) in " +
                                    folder.file("c.FCMat") + " cannot be read"))
      << run.err;
}

// Each folder's entries are taken in name order as the tree is walked: the
// same order as the paths of the whole tree sorted part by part, where a
// plain sort of the texts would put "m.FCMat" before "m/x.FCMat".
TEST_F(MatfileCards, AFolderTreeComesInInPathOrder) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  std::filesystem::create_directories(folder.path() / "m" / "n");
  writeCard("m.", "1", "", kDensity);
  writeCard("m-", "2", "", kDensity);
  writeFileBytes((folder.path() / "m" / "x.FCMat").string(),
                 "General: {Name: in m}\nModels: {M: {Density: \"1 g/cm^3\"}}\n");
  writeFileBytes((folder.path() / "m" / "n" / "y.FCMat").string(),
                 "General: {Name: in n}\nModels: {M: {Density: \"1 g/cm^3\"}}\n");
  writeFileBytes((folder.path() / "m" / "z.csv").string(), "not a card");
  MatfileRun run = import({folder.path().string(), "--accept-warnings"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::size_t inN = run.out.find("\"in n\" appended"), inM = run.out.find("\"in m\" appended");
  std::size_t dash = run.out.find("\"m-\" appended"), dot = run.out.find("\"m.\" appended");
  EXPECT_TRUE(inN < inM && inM < dash && dash < dot) << run.out;
}

// What is kept of a card until its children inherit takes a line number or a
// text's size in one byte up to 127 and in more beyond: a parent whose value
// stands far down, with a long name and a long value, and a card read before
// a table, whose rows come in after it all the same.
TEST_F(MatfileCards, LongParentsAndCardsBeforeTablesComeInWhole) {
  if (!kReadsYamlCards) GTEST_SKIP() << "this build reads no YAML cards";
  std::string longName(300, 'n');
  std::string comments;
  for (int line = 0; line < 200; ++line) comments += "# line\n";
  writeFileBytes(folder.file("parent.FCMat"), "General: {Name: \"" + longName + "\", UUID: p}\n" +
                                                  comments + "Models: {M: {Density: \"" +
                                                  std::string(150, '0') + "1 g/cm^3\"}}\n");
  writeCard("child", "c", "p", "");
  writeFileBytes(folder.file("t.csv"), "name,density [g/cm^3]\r\nRow,2\r\n");
  MatfileRun run = import({folder.file("child.FCMat"), folder.file("parent.FCMat"),
                           folder.file("t.csv"), "--accept-warnings"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(contains(run.out, "\"child\" appended\n    density: " + std::string(150, '0') +
                                    "1 g/cm^3 (from \"" + longName + "\", " +
                                    folder.file("parent.FCMat") + ":202) -> 1 [g/cm^3]\n"))
      << run.out;
  EXPECT_LT(run.out.find("\"child\" appended"), run.out.find("\"Row\" appended")) << run.out;
}

TEST_F(MatfileCards, IniCardsAreReadInEveryBuildAndYamlCardsWhereThereIsALibrary) {
  writeFileBytes(folder.file("old.FCMat"), "[FCMat]\r\nName = Old\r\nDensity = 2 g/cm^3\r\n");
  writeCard("New", "n", "", kDensity);
  MatfileRun run = import({folder.file("old.FCMat"), folder.file("New.FCMat"), "--skip-invalid"});
  EXPECT_TRUE(contains(run.out, "\"Old\" appended")) << run.out << run.err;
  if (kReadsYamlCards) {
    EXPECT_TRUE(contains(run.out, "\"New\" appended")) << run.err;
  } else {
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "New.FCMat:1: cannot be read as a material card: this matfile "
                                  "is built without a YAML reader"))
        << run.err;
  }
  MatfileRun help = matfile({"import", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(contains(help.out, "usage: matfile import SOURCE... --into FILE"));
  EXPECT_EQ(contains(help.out, "This build reads no YAML cards"), !kReadsYamlCards);
}

}  // namespace
