// An output stream's buffer that hands its bytes to a TextSink (the temporary
// file of a ReplacingFile) in large pieces, so that a result made piece by
// piece reaches its file without ever being held whole.
#pragma once

#include <streambuf>
#include <vector>

#include "TextSink.h"

class SinkStreamBuffer : public std::streambuf {
 public:
  explicit SinkStreamBuffer(TextSink& sink);

  // errno as the first write that failed left it (ENOSPC on a full disk);
  // 0 when none failed or the system did not say why.
  int failure() const { return failure_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool pass();

  TextSink& sink_;
  std::vector<char> buffer_;
  bool failed_ = false;
  int failure_ = 0;
};
