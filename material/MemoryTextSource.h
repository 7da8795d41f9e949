// A text held in memory, read as if it were a file; the caller keeps the bytes
// alive while the source is read.
#pragma once

#include "TextSource.h"

class MemoryTextSource : public TextSource {
 public:
  MemoryTextSource(const char* text, std::size_t size);

  std::size_t read(char* buffer, std::size_t capacity) override;
  bool failed() const override;  // never

 private:
  const char* next_;
  std::size_t remaining_;
};
