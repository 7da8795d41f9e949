// The bytes of a file, read through the C runtime's buffered stream exactly as
// stored, on every platform: Windows' text mode would end the text at the
// first byte 0x1A. The reader takes carriage returns before a line feed as
// part of the line end itself.
#pragma once

#include <cstdio>

#include "FileDigest.h"
#include "TextSource.h"

class FileTextSource : public TextSource {
 public:
  FileTextSource() = default;
  FileTextSource(const FileTextSource&) = delete;
  FileTextSource& operator=(const FileTextSource&) = delete;
  ~FileTextSource() override;  // closes the file

  // 1 when the file is open for reading; 0 otherwise, with errno telling why
  // (ENOMEM when the stream could not be allocated).
  int open(const char* path);

  std::size_t read(char* buffer, std::size_t capacity) override;
  bool failed() const override;

  // Of the bytes read so far.
  const FileDigest& digest() const { return digest_; }

 private:
  std::FILE* file_ = nullptr;
  FileDigest digest_;
  bool failed_ = false;
};
