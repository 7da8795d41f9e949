// The stand-in host's file search: the working directory first, then each
// folder of the search path in order.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class FileSearch {
 public:
  explicit FileSearch(std::vector<std::string> folders) : folders_(std::move(folders)) {}

  // True when a file (not a folder) of that name is found; `result` then
  // holds its full path, zero-terminated, with the file name as stored on
  // disk. A path that would not fit into `resultSize` characters counts as
  // not found. A name with a folder part is looked up as given, nowhere else;
  // an empty name or one with wildcards finds nothing.
  bool find(const char* name, char* result, std::size_t resultSize) const;

 private:
  static bool findIn(const std::string& candidate, char* result, std::size_t resultSize);

  std::vector<std::string> folders_;
};
