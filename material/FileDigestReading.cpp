#include "FileDigestReading.h"

#include <cerrno>

#include "FileTextSource.h"
#include "ReplacingFile.h"

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
