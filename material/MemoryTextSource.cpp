#include "MemoryTextSource.h"

#include <cstring>

MemoryTextSource::MemoryTextSource(const char* text, std::size_t size)
    : next_(text), remaining_(size) {}

std::size_t MemoryTextSource::read(char* buffer, std::size_t capacity) {
  std::size_t count = capacity < remaining_ ? capacity : remaining_;
  if (count == 0) return 0;
  std::memcpy(buffer, next_, count);
  next_ += count;
  remaining_ -= count;
  return count;
}

bool MemoryTextSource::failed() const { return false; }
