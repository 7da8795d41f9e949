// export on its own, and export followed by import: the same file again, byte
// for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "FileFaultInjection.h"
#include "MatfileRun.h"
#include "TestFiles.h"

namespace {

using Names = std::vector<std::string>;

// Names that a CSV must quote or keep, written as the writer writes them.
const std::string kTrickyNames =
    kFileHeader +
    "*Steel, cold drawn\n 7.85 210 0.3 235 360 50 1.2 460\n"
    "*Pipe 12\" \"schedule 40\"\n 7.85 210 0.3 235 360 50 1.2 460\n"
    "*100% PTFE %s %d\n 2.17 0.5 0.46 10 25 0.25 12 1000\n"
    "*\xC4hnlich M\xFCller \xA9 \xFF\n 8.47 96 0.34 250 430 113 2.09 380\n"
    "*  leading and trailing blanks  \n 1 2 0.1 3 4 5 6 7\n"
    "*\ttab\t\n 1 2 0.1 3 4 5 6 7\n"
    "*(null)\n 1.2 2.4 0.37 62 65 0.2 6.5 1200\n"
    "*=SUM(A1:A2);\"x\",,\n 1e-005 1.23457e+008 0 0 0 0 0 -1.79769e+308\n"
    "*" + std::string(10000, 'n') + "\n 1 1 0.1 1 1 1 1 1\n"
    "*Steel, cold drawn\n 7.9 210 0.3 235 360 50 1.2 460\n";

class MatfileExport : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return folder.file(name); }

  // Export of `source`, then import of that table into a new file: its bytes.
  std::string throughTable(const std::string& source) {
    MatfileRun exported = matfile({"export", source, "--output", file("table.csv")});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    MatfileRun imported =
        matfile({"import", file("table.csv"), "--into", file("new.mat"), "--accept-warnings"});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    return fileBytes(file("new.mat"));
  }

  TemporaryFolder folder;
};

TEST_F(MatfileExport, SampleGivesTheCheckedInTableOnStandardOutputAndInAFile) {
  std::string expected = fileBytes(testDataPath("matfile/csv/zodo.export"));
  MatfileRun run = matfile({"export", testDataPath("../examples/zodo.mat")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, expected);
  run = matfile({"export", testDataPath("../examples/zodo.mat"), "--output", file("out.csv")});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(fileBytes(file("out.csv")), expected);
  EXPECT_EQ(folder.entries(), Names{"out.csv"});
}

TEST_F(MatfileExport, HeaderNamesEveryColumnWithItsStoredUnitAndRecordsEndInCrLf) {
  writeFileBytes(file("a.mat"), kFileHeader + "*A\n 1 2 0.3 4 5 6 7 8\n");
  MatfileRun run = matfile({"export", file("a.mat")});
  EXPECT_EQ(run.out,
            "name,density [g/cm^3],Young modulus [GPa],Poisson ratio,yield strength [MPa],"
            "tensile strength [MPa],thermal conductivity [W/(m x K)],"
            "linear expansion [10^-5m/(m xC)],specific heat [J/(Kg x K)]\r\n"
            "A,1,2,0.3,4,5,6,7,8\r\n");
}

TEST_F(MatfileExport, NamesAreQuotedWhereTheTableWouldChangeThemAndNumbersAreAsInTheFile) {
  writeFileBytes(file("a.mat"), kTrickyNames);
  std::string table = matfile({"export", file("a.mat")}).out;
  EXPECT_TRUE(contains(table, "\r\n\"Steel, cold drawn\",7.85,"));
  EXPECT_TRUE(contains(table, "\r\n\"Pipe 12\"\" \"\"schedule 40\"\"\",7.85,"));
  EXPECT_TRUE(contains(table, "\r\n100% PTFE %s %d,2.17,"));
  EXPECT_TRUE(contains(table, "\r\n\xC4hnlich M\xFCller \xA9 \xFF,8.47,"));
  EXPECT_TRUE(contains(table, "\r\n\"  leading and trailing blanks  \",1,"));
  EXPECT_TRUE(contains(table, "\r\n\"\ttab\t\",1,"));
  EXPECT_TRUE(contains(table, "\r\n\"=SUM(A1:A2);\"\"x\"\",,\",1e-005,1.23457e+008,0,"));
  EXPECT_TRUE(contains(table, ",-1.79769e+308\r\n"));
}

TEST_F(MatfileExport, AbsentNameIsExportedAsTheNameTheFileSavesIt) {
  writeFileBytes(file("a.mat"), "*\n 1 2 0.3 4 5 6 7 8\n");
  MatfileRun run = matfile({"export", file("a.mat")});
  EXPECT_TRUE(contains(run.out, "\r\n(null),1,2,0.3,4,5,6,7,8\r\n"));
}

TEST_F(MatfileExport, ThenImportGivesTheSampleByteForByte) {
  std::string sample = testDataPath("../examples/zodo.mat");
  EXPECT_EQ(throughTable(sample), withPlatformLineEnds(fileBytes(sample)));
}

TEST_F(MatfileExport, ThenImportGivesTrickyNamesByteForByte) {
  writeFileBytes(file("a.mat"), withPlatformLineEnds(kTrickyNames));
  EXPECT_EQ(throughTable(file("a.mat")), withPlatformLineEnds(kTrickyNames));
}

TEST_F(MatfileExport, LinesTheReaderDropsAreReportedAndTheTableHoldsTheRest) {
  writeFileBytes(file("a.mat"), "*A\n 1 2 0.3 4 5 6 7 8\n*B\n 1 2\n");
  MatfileRun run = matfile({"export", file("a.mat"), "--output", file("a.csv")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(contains(run.err, file("a.mat") + ":3: ")) << run.err;
  EXPECT_TRUE(contains(run.err, "matfile: the table lacks what is reported above")) << run.err;
  EXPECT_TRUE(contains(fileBytes(file("a.csv")), "\r\nA,1,"));
  EXPECT_FALSE(contains(fileBytes(file("a.csv")), "\r\nB,"));
}

TEST_F(MatfileExport, UnwritableOutputExitsTwoAndLeavesNothingBehind) {
  writeFileBytes(file("a.mat"), "*A\n 1 2 0.3 4 5 6 7 8\n");
  std::filesystem::create_directory(file("taken"));
  MatfileRun run = matfile({"export", file("a.mat"), "--output", file("taken/missing/a.csv")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "matfile: cannot write " + file("taken/missing/a.csv") +
                         " (it is left as it was)\n");
  EXPECT_TRUE(std::filesystem::is_empty(file("taken")));
  EXPECT_EQ(folder.entries(), (Names{"a.mat", "taken"}));
}

// Materials enough that a document goes to its file in many pieces.
std::string manyMaterials(int count) {
  std::string text = kFileHeader;
  for (int index = 0; index < count; ++index) {
    text += "*Material " + std::to_string(index) + "\n 7.85 210 0.3 235 360 50 1.2 460\n";
  }
  return text;
}

// Every file operation in turn fails once, as a full disk or a dropped drive
// makes it fail: the file the table or document goes to is then the old one
// whole, or, where the failure cost nothing, the new one whole; never a part,
// and nothing else is left beside it.
TEST_F(MatfileExport, AFailureAtAnyStepLeavesTheOldFileOrTheNewOneWholeAndAlone) {
  writeFileBytes(file("a.mat"), manyMaterials(3000));
  for (const std::string format : {"csv", "matml"}) {
    std::string out = file("out." + format);
    writeFileBytes(out, "old");
    ASSERT_EQ(matfile({"export", file("a.mat"), "--format", format, "--output", out}).exitCode, 0);
    std::string whole = fileBytes(out);
    bool fired = true;
    for (long failing = 1; fired; ++failing) {
      writeFileBytes(out, "old");
      FileFaultInjection::arm(failing);
      MatfileRun run = matfile({"export", file("a.mat"), "--format", format, "--output", out});
      fired = FileFaultInjection::disarm();
      std::string bytes = fileBytes(out);
      EXPECT_TRUE(run.exitCode == 2 ? bytes == "old" : run.exitCode == 0 && bytes == whole)
          << format << ", operation " << failing << " fails: exit " << run.exitCode << run.err;
      if (run.exitCode == 2) {
        EXPECT_TRUE(contains(run.err, file("a.mat")) || contains(run.err, out)) << run.err;
      }
      EXPECT_EQ(folder.entries(), (Names{"a.mat", "out." + format})) << failing;
    }
    std::filesystem::remove(out);
  }
}

std::ptrdiff_t entryCount(const std::string& folder) {
  std::error_code error;
  return std::distance(std::filesystem::directory_iterator(folder, error), {});
}

// A folder with some of the cards would pass for the whole export: it is as
// it was (absent or empty), or, where the failure cost nothing, holds them all.
TEST_F(MatfileExport, ACardThatCannotBeWrittenTakesTheCardsBeforeItAway) {
  writeFileBytes(file("a.mat"), manyMaterials(5));
  for (const std::string target : {"new", "empty"}) {
    bool fired = true;
    for (long failing = 1; fired; ++failing) {
      std::filesystem::remove_all(file(target));
      if (target == "empty") std::filesystem::create_directory(file(target));
      FileFaultInjection::arm(failing);
      MatfileRun run =
          matfile({"export", file("a.mat"), "--format", "card", "--output", file(target)});
      fired = FileFaultInjection::disarm();
      if (run.exitCode == 0) {
        EXPECT_EQ(entryCount(file(target)), 5) << target << failing;
        continue;
      }
      EXPECT_EQ(run.exitCode, 2) << target << ", operation " << failing;
      if (contains(run.err, "cannot write ")) {
        EXPECT_TRUE(contains(run.err, ") are removed again (nothing written)\n")) << run.err;
      }
      EXPECT_EQ(std::filesystem::exists(file(target)), target == "empty") << target << failing;
      EXPECT_EQ(entryCount(file(target)), 0) << target << failing;
    }
  }
}

// Takes `room` bytes, then fails every write, as a full disk behind standard
// output does.
class FillingBuffer : public std::stringbuf {
 public:
  explicit FillingBuffer(std::size_t room) : room_(room) {}

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    if (str().size() + static_cast<std::size_t>(count) > room_) return 0;
    return std::stringbuf::xsputn(text, count);
  }
  int_type overflow(int_type c) override {
    return str().size() >= room_ ? traits_type::eof() : std::stringbuf::overflow(c);
  }

 private:
  std::size_t room_;
};

TEST_F(MatfileExport, StandardOutputThatFillsUpIsReportedAndExitsTwo) {
  writeFileBytes(file("a.mat"), manyMaterials(100));
  for (const char* format : {"csv", "matml"}) {
    FillingBuffer filling(1000);
    std::ostream out(&filling);
    std::ostringstream err;
    Console console{out, err};
    EXPECT_EQ(runMatfile({"export", file("a.mat"), "--format", format}, console), 2) << format;
    EXPECT_TRUE(contains(err.str(), "matfile: cannot write standard output")) << err.str();
  }
}

}  // namespace
