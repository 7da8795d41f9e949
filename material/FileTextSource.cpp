#include "FileTextSource.h"

#include "FileOperationFaults.h"

FileTextSource::~FileTextSource() {
  // Only read from, so the result of the close tells nothing about the data.
  if (file_ != nullptr) {
    // Counted like any close; failing or not, it releases the stream.
    FileOperationFaults::fail();
    std::fclose(file_);
  }
}

int FileTextSource::open(const char* path) {
  file_ = FileOperationFaults::fail() ? nullptr : std::fopen(path, "rb");
  return file_ != nullptr ? 1 : 0;
}

std::size_t FileTextSource::read(char* buffer, std::size_t capacity) {
  if (file_ == nullptr || failed_) return 0;
  bool readFails = FileOperationFaults::fail();
  std::size_t count = readFails ? 0 : std::fread(buffer, 1, capacity, file_);
  if (readFails || (count < capacity && std::ferror(file_))) failed_ = true;
  digest_.add(buffer, count);
  return count;
}

bool FileTextSource::failed() const { return failed_; }
