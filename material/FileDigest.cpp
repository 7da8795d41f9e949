#include "FileDigest.h"

#include <cerrno>

#include "FileTextSource.h"
#include "ReplacingFile.h"

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

FileDigestStatus digestFile(const char* path, FileDigest& digest) {
  digest = FileDigest();
  if (path == nullptr) return FileDigestStatus::Unreadable;
  if (isNonRegularFile(path)) return FileDigestStatus::NoFile;
  FileTextSource file;
  errno = 0;
  if (!file.open(path))
    return errno == ENOENT ? FileDigestStatus::NoFile : FileDigestStatus::Unreadable;
  char buffer[4096];
  while (file.read(buffer, sizeof buffer) > 0) {
  }
  if (file.failed()) return FileDigestStatus::Unreadable;
  digest = file.digest();
  return FileDigestStatus::Read;
}
