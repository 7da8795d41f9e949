#include "StandardErrorBuffer.h"

#include <cstring>

StandardErrorBuffer::int_type StandardErrorBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  pending_ += traits_type::to_char_type(c);
  if (traits_type::to_char_type(c) == '\n' && !writePending()) return traits_type::eof();
  return c;
}

std::streamsize StandardErrorBuffer::xsputn(const char* text, std::streamsize count) {
  pending_.append(text, static_cast<std::size_t>(count));
  if (std::memchr(text, '\n', static_cast<std::size_t>(count)) != nullptr && !writePending()) {
    return 0;
  }
  return count;
}

int StandardErrorBuffer::sync() { return writePending() ? 0 : -1; }

bool StandardErrorBuffer::writePending() {
  if (pending_.empty()) return true;
  bool written = std::fwrite(pending_.data(), 1, pending_.size(), stderr) == pending_.size();
  pending_.clear();
  return std::fflush(stderr) == 0 && written;
}
