#include "SourcePaths.h"

void SourcePaths::add(std::string_view path) {
  text_ += path;
  ends_.push_back(text_.size());
}

std::string SourcePaths::operator[](std::size_t index) const {
  std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return text_.substr(start, ends_[index] - start);
}
