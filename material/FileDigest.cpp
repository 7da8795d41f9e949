#include "FileDigest.h"

namespace {

constexpr std::uint64_t kFnvPrime = 0x100000001B3u;

}  // namespace

void FileDigest::add(const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    hash_ ^= static_cast<unsigned char>(bytes[i]);
    hash_ *= kFnvPrime;
  }
  byteCount_ += count;
}
