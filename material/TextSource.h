// Where the material reader takes its text from: a file, or memory in tests and
// tools. The reader splits the text into lines itself.
#pragma once

#include <cstddef>

class TextSource {
 public:
  virtual ~TextSource() = default;

  // Copies up to `capacity` of the next bytes into `buffer` and returns their
  // count; 0 only at the end of the text or after a read error.
  virtual std::size_t read(char* buffer, std::size_t capacity) = 0;

  // True once a read has failed; the text is then incomplete.
  virtual bool failed() const = 0;
};
