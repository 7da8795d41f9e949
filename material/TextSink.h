// Where the material writer puts its text: the file that a save replaces, or
// memory in tests and tools.
#pragma once

#include <cstddef>

class TextSink {
 public:
  virtual ~TextSink() = default;

  // 1 when all `length` bytes were taken, 0 on failure. A "\n" becomes the
  // platform's line end.
  virtual int write(const char* text, std::size_t length) = 0;

  // 1 when everything written has reached its final place, 0 otherwise.
  // Called once, after the last successful write; never after a failed one.
  virtual int close() = 0;
};
