#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineReader.h"
#include "MemoryTextSource.h"

namespace {

// Hands out the text in pieces of a fixed size, optionally failing once it
// has handed out `failAfter` bytes.
class PiecewiseSource : public TextSource {
 public:
  PiecewiseSource(std::string text, std::size_t pieceSize, std::size_t failAfter = std::string::npos)
      : text_(std::move(text)), pieceSize_(pieceSize), failAfter_(failAfter) {}

  std::size_t read(char* buffer, std::size_t capacity) override {
    if (failed_) return 0;
    std::size_t limit = std::min(text_.size(), failAfter_);
    std::size_t count = std::min({capacity, pieceSize_, limit - offset_});
    if (count == 0 && limit < text_.size()) failed_ = true;
    text_.copy(buffer, count, offset_);
    offset_ += count;
    return count;
  }
  bool failed() const override { return failed_; }

 private:
  std::string text_;
  std::size_t pieceSize_;
  std::size_t failAfter_;
  std::size_t offset_ = 0;
  bool failed_ = false;
};

struct Reading {
  std::vector<std::string> lines;
  LineReader::Result end;
};

Reading readAll(TextSource& source) {
  LineReader reader(source);
  Reading reading;
  for (;;) {
    LineReader::Result result = reader.next();
    if (result != LineReader::Result::Line) {
      reading.end = result;
      return reading;
    }
    EXPECT_EQ(reader.line()[reader.length()], '\0');
    EXPECT_EQ(reader.lineNumber(), static_cast<long>(reading.lines.size() + 1));
    reading.lines.emplace_back(reader.line(), reader.length());
  }
}

Reading readAll(const std::string& text, std::size_t pieceSize = 1 << 20) {
  PiecewiseSource source(text, pieceSize);
  return readAll(source);
}

using Lines = std::vector<std::string>;

TEST(LineReaderSplit, LinesKeepTheirLineEndsAsRead) {
  Reading reading = readAll("a\r\n\nb\n");
  EXPECT_EQ(reading.lines, (Lines{"a\r\n", "\n", "b\n"}));
  EXPECT_EQ(reading.end, LineReader::Result::End);
}

TEST(LineReaderSplit, LastLineWithoutLineEndIsALine) {
  EXPECT_EQ(readAll("a\nlast").lines, (Lines{"a\n", "last"}));
  EXPECT_EQ(readAll("a\nlast\r").lines, (Lines{"a\n", "last\r"}));
}

TEST(LineReaderSplit, EmptyTextHasNoLines) {
  Reading reading = readAll("");
  EXPECT_TRUE(reading.lines.empty());
  EXPECT_EQ(reading.end, LineReader::Result::End);
}

TEST(LineReaderSplit, ZeroByteStaysInsideItsLine) {
  std::string text("a\0b\nc\n", 6);
  EXPECT_EQ(readAll(text).lines, (Lines{std::string("a\0b\n", 4), "c\n"}));
}

// The buffer grows and moves; no piece size may change what comes out.
TEST(LineReaderSplit, SameLinesWhateverPiecesTheSourceDelivers) {
  std::string longLine(100000, 'x');
  std::string text = "first\n" + longLine + "\n\nshort\r\n" + longLine + "y";
  Lines expected{"first\n", longLine + "\n", "\n", "short\r\n", longLine + "y"};
  for (std::size_t piece : {1u, 2u, 7u, 255u, 4095u, 4096u, 4097u, 65536u}) {
    EXPECT_EQ(readAll(text, piece).lines, expected) << "piece size " << piece;
  }
}

// The buffer starts at 4096 bytes and doubles, one byte always kept for the
// terminator: a line end (or the text's end) just before, at and just past
// each size is where an off-by-one writes outside it (the sanitize tree sees
// that write).
TEST(LineReaderSplit, LineEndsAtTheBuffersEdges) {
  for (std::size_t size : {4096u, 8192u, 16384u}) {
    for (std::size_t length = size - 2; length <= size + 1; ++length) {
      std::string line(length - 1, 'x');
      line += '\n';
      EXPECT_EQ(readAll(line + "next\n").lines, (Lines{line, "next\n"})) << length;
      EXPECT_EQ(readAll(line).lines, (Lines{line})) << length;
      std::string unended(length, 'y');
      EXPECT_EQ(readAll("a\n" + unended, length).lines, (Lines{"a\n", unended})) << length;
    }
  }
}

TEST(LineReaderFailure, ReadErrorEndsReadingWithoutThePartialLine) {
  PiecewiseSource source("one\ntwo\nthr", 3, 9);  // fails inside "three"
  Reading reading = readAll(source);
  EXPECT_EQ(reading.lines, (Lines{"one\n", "two\n"}));
  EXPECT_EQ(reading.end, LineReader::Result::ReadFailed);
}

TEST(LineReaderFailure, ReadErrorAfterACompleteLineIsStillReported) {
  PiecewiseSource source("one\ntwo", 100, 4);
  Reading reading = readAll(source);
  EXPECT_EQ(reading.lines, (Lines{"one\n"}));
  EXPECT_EQ(reading.end, LineReader::Result::ReadFailed);
}

TEST(LineReaderFailure, MemoryTextSourceNeverFails) {
  const char text[] = "a\nb";
  MemoryTextSource source(text, 3);
  Reading reading = readAll(source);
  EXPECT_EQ(reading.lines, (Lines{"a\n", "b"}));
  EXPECT_EQ(reading.end, LineReader::Result::End);
}

}  // namespace
