// Where the built programs and modules are, as Windows paths: the build gives
// their Unix paths, which Wine sees on drive Z:.
#pragma once

#include <string>

inline std::string windowsPath(const std::string& unixPath) {
  if (unixPath.empty() || unixPath[0] != '/') return unixPath;
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}
