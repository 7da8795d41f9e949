#include "LineReader.h"

#include <cstdlib>
#include <cstring>

namespace {

// Large enough that a typical material file needs one buffer and few reads,
// small enough to cost nothing worth mentioning.
constexpr std::size_t kInitialCapacity = 4096;

}  // namespace

LineReader::LineReader(TextSource& source) : source_(source) {}

LineReader::~LineReader() { std::free(buffer_); }

LineReader::Result LineReader::next() {
  if (buffer_ != nullptr) buffer_[lineEnd_] = hidden_;
  lineStart_ = lineEnd_;
  scanned_ = 0;
  while (!findLine()) {
    if (atEnd_) return source_.failed() ? Result::ReadFailed : Result::End;
    if (!makeRoom()) return Result::OutOfMemory;
    // One byte always stays free for the terminator.
    std::size_t count = source_.read(buffer_ + dataEnd_, capacity_ - 1 - dataEnd_);
    if (count == 0) atEnd_ = true;
    dataEnd_ += count;
  }
  // A failed read leaves the text incomplete: its last piece is no line.
  if (atEnd_ && source_.failed()) return Result::ReadFailed;
  hidden_ = buffer_[lineEnd_];
  buffer_[lineEnd_] = '\0';
  ++lineNumber_;
  return Result::Line;
}

// Sets lineEnd_ when the bytes read so far hold the whole current line.
bool LineReader::findLine() {
  std::size_t from = lineStart_ + scanned_;
  if (from < dataEnd_) {
    const void* feed = std::memchr(buffer_ + from, '\n', dataEnd_ - from);
    if (feed != nullptr) {
      lineEnd_ = static_cast<std::size_t>(static_cast<const char*>(feed) - buffer_) + 1;
      return true;
    }
  }
  scanned_ = dataEnd_ - lineStart_;
  if (atEnd_ && dataEnd_ > lineStart_) {
    lineEnd_ = dataEnd_;
    return true;
  }
  return false;
}

// Makes space behind the data for another read: first by moving the current
// line to the front, then by doubling the buffer.
bool LineReader::makeRoom() {
  if (lineStart_ > 0) {
    std::memmove(buffer_, buffer_ + lineStart_, dataEnd_ - lineStart_);
    dataEnd_ -= lineStart_;
    lineEnd_ -= lineStart_;
    lineStart_ = 0;
  }
  if (capacity_ > 0 && dataEnd_ + 1 < capacity_) return true;
  std::size_t capacity = capacity_ == 0 ? kInitialCapacity : capacity_ * 2;
  if (capacity < capacity_) return false;
  char* grown = static_cast<char*>(std::realloc(buffer_, capacity));
  if (grown == nullptr) return false;
  buffer_ = grown;
  capacity_ = capacity;
  return true;
}
