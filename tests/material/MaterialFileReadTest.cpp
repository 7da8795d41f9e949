#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

#include "MaterialFile.h"
#include "MaterialFileObserver.h"
#include "TestFiles.h"
#include "TextSource.h"

namespace {

// Every report as "LINE: what".
class RecordingObserver : public MaterialFileObserver {
 public:
  void lineDropped(long lineNumber, DroppedLine cause) override {
    reports.push_back(std::to_string(lineNumber) + ": " + droppedLineText(cause));
  }
  void valueRejected(long lineNumber, const char* message) override {
    reports.push_back(std::to_string(lineNumber) + ": " + message);
  }
  std::vector<std::string> reports;
};

// The materials that `text` reads into, as describeList writes them.
std::string materialsOf(const std::string& text) {
  ListGuard list;
  EXPECT_EQ(readText(text, list.head), MaterialFileStatus::Read);
  return describeList(list.head);
}

std::vector<std::string> reportsOf(const std::string& text) {
  RecordingObserver observer;
  ListGuard list;
  EXPECT_EQ(readText(text, list.head, &observer), MaterialFileStatus::Read);
  return observer.reports;
}

const std::string kEight = " 1 2 3 4 5 6 7 8\n";
const std::string kEightRead = "1 2 3 4 5 6 7 8";

TEST(MaterialFilePairing, NameLineAndNumbersLineMakeOneMaterialInFileOrder) {
  EXPECT_EQ(materialsOf("; zodo.mat\n*Steel\n 7.85 210 0.3 235 360 50 1.2 460\n*Brass\n" + kEight),
            "Steel|7.85 210 0.3 235 360 50 1.2 460\nBrass|" + kEightRead + "\n");
}

TEST(MaterialFilePairing, CommentsAndBlankLinesAreSkippedWhereverTheyStand) {
  EXPECT_EQ(materialsOf("\n;a\n*A\n; between\n\n \t\r\n" + kEight + "\n\n*B\n;\n" + kEight),
            "A|" + kEightRead + "\nB|" + kEightRead + "\n");
}

TEST(MaterialFilePairing, NumbersLineKeepsItsFirstNumberWithoutLeadingBlank) {
  EXPECT_EQ(materialsOf("*Steel\n7.85 210 0.3 235 360 50 1.2 460\n"),
            "Steel|7.85 210 0.3 235 360 50 1.2 460\n");
}

TEST(MaterialFilePairing, LeadingWhitespaceOfNumbersLineIsIgnored) {
  EXPECT_EQ(materialsOf("*Steel\n  \t 7.85 210 0.3 235 360 50 1.2 460\n"),
            "Steel|7.85 210 0.3 235 360 50 1.2 460\n");
}

TEST(MaterialFilePairing, BadLineDropsOnlyItsOwnMaterialAndLaterOnesStayInStep) {
  std::string text = "*A\n 1 1 1 1 1 1 1 1\n*B\nnot numbers\n*C\n 3 3 3 3 3 3 3 3\n"
                     "*D\n 4 4 4 4 4 4 4 4\n";
  EXPECT_EQ(materialsOf(text),
            "A|1 1 1 1 1 1 1 1\nC|3 3 3 3 3 3 3 3\nD|4 4 4 4 4 4 4 4\n");
}

TEST(MaterialFilePairing, NameLineWithoutNumbersIsDroppedByTheNextName) {
  EXPECT_EQ(materialsOf("*A\n*B\n" + kEight), "B|" + kEightRead + "\n");
}

TEST(MaterialFilePairing, NumbersLineWithoutNameLineIsDropped) {
  EXPECT_EQ(materialsOf(kEight + kEight + "*A\n 2 2 2 2 2 2 2 2\n"), "A|2 2 2 2 2 2 2 2\n");
}

TEST(MaterialFilePairing, SevenNumbersDropTheMaterialAndItsName) {
  EXPECT_EQ(materialsOf("*A\n 1 2 3 4 5 6 7\n" + kEight + "*B\n" + kEight),
            "B|" + kEightRead + "\n");
}

TEST(MaterialFilePairing, NumbersAfterTheEighthAreIgnored) {
  EXPECT_EQ(materialsOf("*A\n 1 2 3 4 5 6 7 8 9 10 junk\n"), "A|" + kEightRead + "\n");
}

TEST(MaterialFilePairing, LastNumberCountsWithoutLineEnd) {
  EXPECT_EQ(materialsOf("*A\n 1 2 3 4 5 6 7 8"), "A|" + kEightRead + "\n");
  EXPECT_EQ(materialsOf("*A\n 1 2 3 4 5 6 7"), "");
}

TEST(MaterialFilePairing, MaterialPendingAtTheEndIsDropped) {
  EXPECT_EQ(materialsOf("*A\n" + kEight + "*B\n"), "A|" + kEightRead + "\n");
  EXPECT_EQ(materialsOf("*A\n" + kEight + "*B"), "A|" + kEightRead + "\n");
}

TEST(MaterialFilePairing, BareAsteriskLeavesTheNameAbsent) {
  EXPECT_EQ(materialsOf("*\n" + kEight + "*\r\n" + kEight),
            "<absent>|" + kEightRead + "\n<absent>|" + kEightRead + "\n");
}

TEST(MaterialFilePairing, RejectedValueLeavesZeroAndTheMaterialStays) {
  EXPECT_EQ(materialsOf("*A\n 0 -210 -0.3 -1 -2 -3 -4 -460\n"), "A|0 0 0 0 0 0 0 -460\n");
  EXPECT_EQ(materialsOf("*A\n x 210 0.3 1 2 3 4 5\n"), "A|0 210 0.3 1 2 3 4 5\n");
}

TEST(MaterialFilePairing, NoMaterialGivesNoListWithoutFailure) {
  for (const char* text : {"", "; only\n;comments\n", "\n\n", "*lonely name\n", " 1 2 3\n"}) {
    ListGuard list;
    EXPECT_EQ(readText(text, list.head), MaterialFileStatus::Read) << text;
    EXPECT_EQ(list.head, nullptr) << text;
  }
}

TEST(MaterialFilePositions, LoadedListHoldsOneNodePerMaterialFromPositionZero) {
  ListGuard list;
  readText("*A\n" + kEight + "junk\n*B\n" + kEight + "*C\n" + kEight, list.head);
  ASSERT_EQ(nodeCount(list.head), 3);
  EXPECT_STREQ(list.head->material->name, "A");
  EXPECT_STREQ(list.head->nextNode->material->name, "B");
  EXPECT_STREQ(list.head->nextNode->nextNode->material->name, "C");
}

TEST(MaterialFileLineEnds, CarriageReturnsBeforeLineFeedAreLineEndNeverName) {
  EXPECT_EQ(materialsOf("*Steel\r\n 7.85 210 0.3 235 360 50 1.2 460\r\n"),
            "Steel|7.85 210 0.3 235 360 50 1.2 460\n");
  EXPECT_EQ(materialsOf("*Steel\r\r\n" + kEight), "Steel|" + kEightRead + "\n");
  EXPECT_EQ(materialsOf("*a\rb \r\n" + kEight), "a\rb |" + kEightRead + "\n");
}

TEST(MaterialFileLineEnds, FileWrittenOnWindowsReadsLikeTheSameFileWithLineFeeds) {
  std::string unix = "; h\n*A\n" + kEight + "*B\n 7.85 210 0.3 235 360 50 1.2 460\n";
  std::string windows;
  for (char c : unix) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(materialsOf(windows), materialsOf(unix));
}

TEST(MaterialFileByteOrderMark, MarkAtTheStartIsSkippedAndNowhereElse) {
  const std::string mark = "\xEF\xBB\xBF";
  EXPECT_EQ(materialsOf(mark + "*Steel\n" + kEight), "Steel|" + kEightRead + "\n");
  EXPECT_EQ(materialsOf(mark + "; h\n*A\n" + kEight), "A|" + kEightRead + "\n");
  EXPECT_EQ(materialsOf(mark), "");
  // Later, the mark is three bytes of a line like any others.
  EXPECT_EQ(materialsOf("*A\n" + kEight + "*" + mark + "B\n" + kEight),
            "A|" + kEightRead + "\n" + mark + "B|" + kEightRead + "\n");
  EXPECT_EQ(materialsOf("\n" + mark + "*A\n" + kEight), "");
}

// Windows' text mode would end the file at byte 0x1A and fold the line ends
// before the reader saw them.
TEST(MaterialFileBytes, FileReadsTheSameOnEveryPlatform) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("zodo.mat"), "\xEF\xBB\xBF*A\x1A" "B\r\n" + kEight + "*C\rD\r\r\n" +
                                              " 1 2 3 4 5 6 7 8\r\n*E\n 8 7 6 5 4 3 2 1");
  ListGuard list;
  list.head = loadMaterialFile(folder.file("zodo.mat").c_str());
  EXPECT_EQ(describeList(list.head), "A\x1A" "B|" + kEightRead + "\nC\rD|" + kEightRead +
                                         "\nE|8 7 6 5 4 3 2 1\n");
}

TEST(MaterialFileLongNames, NamesOfAnyLengthReadBackWhole) {
  for (std::size_t length : {253u, 254u, 255u, 256u, 4096u, 10000u, 100000u}) {
    std::string name(length, 'n');
    name.back() = 'e';
    EXPECT_EQ(materialsOf("*" + name + "\n" + kEight + "*B\n" + kEight),
              name + "|" + kEightRead + "\nB|" + kEightRead + "\n")
        << "length " << length;
  }
}

TEST(MaterialFileNumbers, TooLargeForADoubleBecomesTheLargestFiniteOne) {
  EXPECT_EQ(materialsOf("*A\n 1e400 1 1 1 1 1 1 -1e999\n"),
            "A|1.79769e+308 1 1 1 1 1 1 -1.79769e+308\n");
  ListGuard list;
  readText("*A\n 1e400 1 1 1 1 1 1 -1e999\n", list.head);
  EXPECT_EQ(list.head->material->density, DBL_MAX);
  EXPECT_EQ(list.head->material->specificHeat, -DBL_MAX);
}

TEST(MaterialFileNumbers, NoInfinityOrNotANumberEntersFromAFile) {
  EXPECT_EQ(materialsOf("*A\n inf 1 nan 1 1 1 infinity -inf\n"), "A|0 1 0 1 1 1 0 0\n");
  EXPECT_EQ(materialsOf("*A\n 0x10 1 1 1 1 1 1 1e-999\n"), "A|0 1 1 1 1 1 1 0\n");
}

TEST(MaterialFileReports, EveryDroppedLineAndRejectedValueInLineOrder) {
  std::string text =
      "; header\n"           // 1
      " 1 2 3 4 5 6 7 8\n"   // 2 numbers without name
      "*A\n"                 // 3 dropped by the next name
      "*B\n"                 // 4 its numbers line is short
      " 1 2 3\n"             // 5
      "*\n"                  // 6 name rejected
      " 0 1 2 3 4 5 -7 8\n"  // 7 density and linear expansion rejected
      "*C\n";                // 8 no numbers line before the end
  EXPECT_EQ(reportsOf(text),
            (std::vector<std::string>{
                "2: " + std::string(droppedLineText(DroppedLine::NumbersWithoutName)),
                "3: " + std::string(droppedLineText(DroppedLine::NameWithoutNumbers)),
                "4: " + std::string(droppedLineText(DroppedLine::NameWithTooFewNumbers)),
                "5: " + std::string(droppedLineText(DroppedLine::TooFewNumbers)),
                "6: Name cannot be blank.",
                "7: Density must be > 0",
                "7: Linear expansion must be >= 0",
                "8: " + std::string(droppedLineText(DroppedLine::NameWithoutNumbers)),
            }));
}

TEST(MaterialFileReports, CleanFileReportsNothing) {
  EXPECT_TRUE(reportsOf("; h\n\n*A\r\n" + kEight + "*B\n" + kEight).empty());
}

// A checker names each material by the line where its name stands.
class MaterialLineObserver : public RecordingObserver {
 public:
  void materialRead(long nameLineNumber, const Material& material) override {
    reports.push_back(std::to_string(nameLineNumber) + ": read " +
                      (material.name != nullptr ? material.name : "<absent>"));
  }
};

TEST(MaterialFileReports, EveryListedMaterialIsHeardOfWithItsNameLine) {
  std::string text =
      "; header\n"   // 1
      "*A\n"         // 2
      "\n"           // 3
      + kEight +     // 4
      "*B\n"         // 5 dropped: short numbers line
      " 1 2\n"       // 6
      "*\n"          // 7 absent name
      + kEight +     // 8
      "*C\n";        // 9 never completed
  MaterialLineObserver observer;
  ListGuard list;
  ASSERT_EQ(readText(text, list.head, &observer), MaterialFileStatus::Read);
  EXPECT_EQ(observer.reports,
            (std::vector<std::string>{
                "2: read A",
                "5: " + std::string(droppedLineText(DroppedLine::NameWithTooFewNumbers)),
                "6: " + std::string(droppedLineText(DroppedLine::TooFewNumbers)),
                "7: Name cannot be blank.",
                "7: read <absent>",
                "9: " + std::string(droppedLineText(DroppedLine::NameWithoutNumbers)),
            }));
}

// Fails every read after the first `good` bytes.
class BrokenSource : public TextSource {
 public:
  BrokenSource(std::string text, std::size_t good) : text_(std::move(text)), good_(good) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    std::size_t count = std::min(capacity, good_ - offset_);
    text_.copy(buffer, count, offset_);
    offset_ += count;
    failed_ = count == 0;
    return count;
  }
  bool failed() const override { return failed_; }

 private:
  std::string text_;
  std::size_t good_;
  std::size_t offset_ = 0;
  bool failed_ = false;
};

TEST(MaterialFileStatusResult, ReadErrorPartWayGivesNoList) {
  std::string text = "*A\n" + kEight + "*B\n" + kEight;
  BrokenSource source(text, text.size() - 3);
  MaterialList head = nullptr;
  EXPECT_EQ(readMaterialText(source, head), MaterialFileStatus::ReadFailed);
  EXPECT_EQ(head, nullptr);
}

TEST(MaterialFileStatusResult, AbsentPathOrMissingFileCannotBeOpened) {
  MaterialList head = nullptr;
  EXPECT_EQ(readMaterialFile(nullptr, head), MaterialFileStatus::CannotOpen);
  TemporaryFolder folder;
  EXPECT_EQ(readMaterialFile(folder.file("missing.mat").c_str(), head),
            MaterialFileStatus::CannotOpen);
  EXPECT_EQ(head, nullptr);
  EXPECT_EQ(loadMaterialFile(nullptr), nullptr);
  EXPECT_EQ(loadMaterialFile(folder.file("missing.mat").c_str()), nullptr);
}

#ifndef _WIN32
// A folder opens for reading here but fails at the first read.
TEST(MaterialFileStatusResult, FolderOpensButFailsToRead) {
  TemporaryFolder folder;
  MaterialList head = nullptr;
  EXPECT_EQ(readMaterialFile(folder.path().string().c_str(), head), MaterialFileStatus::ReadFailed);
  EXPECT_EQ(loadMaterialFile(folder.path().string().c_str()), nullptr);
}
#endif

TEST(MaterialFileStatusResult, LoadGivesTheListOfARealFile) {
  TemporaryFolder folder;
  writeFileBytes(folder.file("zodo.mat"), "*A\n" + kEight);
  MaterialList head = loadMaterialFile(folder.file("zodo.mat").c_str());
  EXPECT_EQ(describeList(head), "A|" + kEightRead + "\n");
  releaseList(head);
}

class ParseMaterialLine : public ::testing::Test {
 protected:
  void SetUp() override { record.makeEmpty(); }
  void TearDown() override { record.freeStrings(); }
  Material record;
};

TEST_F(ParseMaterialLine, NameLineIsAcceptedEvenWhenTheNameIsRejected) {
  EXPECT_EQ(parseMaterialLine("*Steel\n", &record), 1);
  EXPECT_STREQ(record.name, "Steel");
  EXPECT_EQ(parseMaterialLine("*\n", &record), 1);
  EXPECT_STREQ(record.name, "Steel");
  EXPECT_STREQ(record.errorText, "Name cannot be blank.");
}

TEST_F(ParseMaterialLine, NameWithoutLineEndKeepsItsLastCharacter) {
  EXPECT_EQ(parseMaterialLine("*Steel", &record), 1);
  EXPECT_STREQ(record.name, "Steel");
}

TEST_F(ParseMaterialLine, ShortNumbersLineIsRejectedAndTouchesNothing) {
  EXPECT_EQ(parseMaterialLine(" 5 6 7 8 9 10 11\n", &record), 0);
  EXPECT_EQ(record.youngModulus, 0.0);
  EXPECT_EQ(parseMaterialLine(" 5 6 7 8 9 10 11 12\n", &record), 1);
  EXPECT_EQ(record.density, 5.0);
  EXPECT_EQ(record.specificHeat, 12.0);
}

TEST_F(ParseMaterialLine, LinesWithoutContentAndAbsentArgumentsAreRejected) {
  EXPECT_EQ(parseMaterialLine("; 1 2 3 4 5 6 7 8\n", &record), 0);
  EXPECT_EQ(parseMaterialLine(" \t\r\n", &record), 0);
  EXPECT_EQ(parseMaterialLine(nullptr, &record), 0);
  EXPECT_EQ(parseMaterialLine("*A\n", nullptr), 0);
  EXPECT_EQ(record.density, 0.0);
}

}  // namespace
