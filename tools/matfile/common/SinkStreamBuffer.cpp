#include "SinkStreamBuffer.h"

#include <cerrno>

namespace {

// Large enough that a write costs the system one call per piece of the disk's
// own size, small enough not to count against memory.
constexpr std::size_t kPieceBytes = 1 << 16;

}  // namespace

SinkStreamBuffer::SinkStreamBuffer(TextSink& sink) : sink_(sink), buffer_(kPieceBytes) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

SinkStreamBuffer::int_type SinkStreamBuffer::overflow(int_type c) {
  if (!pass()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int SinkStreamBuffer::sync() { return pass() ? 0 : -1; }

// After a failed write nothing more goes to the sink: the file is lost already,
// and the stream says so from then on.
bool SinkStreamBuffer::pass() {
  if (failed_) return false;
  std::size_t length = static_cast<std::size_t>(pptr() - pbase());
  errno = 0;
  if (length > 0 && !sink_.write(pbase(), length)) {
    failed_ = true;
    failure_ = errno;
    return false;
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return true;
}
