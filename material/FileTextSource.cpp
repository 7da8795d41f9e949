#include "FileTextSource.h"

FileTextSource::~FileTextSource() {
  // Only read from, so the result of the close tells nothing about the data.
  if (file_ != nullptr) std::fclose(file_);
}

int FileTextSource::open(const char* path) {
  file_ = std::fopen(path, "rb");
  return file_ != nullptr ? 1 : 0;
}

std::size_t FileTextSource::read(char* buffer, std::size_t capacity) {
  if (file_ == nullptr || failed_) return 0;
  std::size_t count = std::fread(buffer, 1, capacity, file_);
  if (count < capacity && std::ferror(file_)) failed_ = true;
  digest_.add(buffer, count);
  return count;
}

bool FileTextSource::failed() const { return failed_; }
