// Splits a text into whole lines of any length. A line ends after its line
// feed; the last line of a text may have none.
#pragma once

#include <cstddef>

#include "TextSource.h"

class LineReader {
 public:
  enum class Result { Line, End, ReadFailed, OutOfMemory };

  explicit LineReader(TextSource& source);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  ~LineReader();

  // Moves to the next line. Line: line() and length() describe it. End: the
  // text is exhausted. ReadFailed and OutOfMemory end the reading as well; a
  // line that was cut short by them is never handed out.
  Result next();

  // The current line with its line end as it came from the source (carriage
  // returns included), zero-terminated; valid until the next call of next().
  // A zero byte inside the line is kept: length() counts past it.
  const char* line() const { return buffer_ + lineStart_; }
  std::size_t length() const { return lineEnd_ - lineStart_; }

  // 1 for the first line; 0 before the first call of next().
  long lineNumber() const { return lineNumber_; }

 private:
  bool findLine();
  bool makeRoom();

  TextSource& source_;
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t lineStart_ = 0;
  std::size_t lineEnd_ = 0;   // one past the current line; its byte is the terminator
  std::size_t dataEnd_ = 0;   // one past the bytes read so far
  std::size_t scanned_ = 0;   // bytes from lineStart_ on known to hold no line feed
  char hidden_ = '\0';        // the byte that the terminator covers
  bool atEnd_ = false;
  long lineNumber_ = 0;
};
