// The paths of an import's sources as reports name them, in one block of
// text: a folder of a million cards would take a string each, which is more
// than their materials take.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class SourcePaths {
 public:
  void add(std::string_view path);
  std::size_t size() const { return ends_.size(); }
  std::string operator[](std::size_t index) const;

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};
