// Runs the matfile commands in-process and keeps what they wrote; and what the
// tests of its commands share: the file header a save writes, text helpers,
// the named cases of a test data folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Matfile.h"
#include "TestFiles.h"

inline const std::string kFileHeader =
    "; zodo.mat - created with KVO Material Editor\n"
    "; -------------------------------------------\n";

struct MatfileRun {
  int exitCode;
  std::string out;
  std::string err;
};

inline MatfileRun matfile(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  Console console{out, err};
  int exitCode = runMatfile(arguments, console);
  return {exitCode, out.str(), err.str()};
}

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

inline std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The names of the files in tests/`folder` that end in `extension`, without
// it, sorted: one case each.
inline std::vector<std::string> caseNames(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(testDataPath(folder))) {
    if (entry.path().extension() == extension) names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}
