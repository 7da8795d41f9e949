// The command's memory of the material file: the digest of the bytes it read,
// or that there was no file, for the path that OK will write.
#pragma once

#include "FileChangeCheck.h"
#include "FileDigest.h"

class FileAsRead final : public FileChangeCheck {
 public:
  // `path` stays valid as long as this object is asked.
  static FileAsRead noFile(const char* path) { return FileAsRead(path, false, FileDigest()); }
  static FileAsRead read(const char* path, const FileDigest& digest) {
    return FileAsRead(path, true, digest);
  }

  // Reads the whole file again; anything it cannot read counts as changed.
  bool changedSinceRead() override;

 private:
  FileAsRead(const char* path, bool existed, const FileDigest& digest)
      : path_(path), existed_(existed), digest_(digest) {}

  const char* path_;
  bool existed_;
  FileDigest digest_;
};
