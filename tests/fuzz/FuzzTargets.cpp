#include "FuzzTargets.h"

#include <sstream>

#include "TestFiles.h"

std::vector<std::string> fuzzInputFolders(const std::string& target) {
  std::istringstream lines(fileBytes(testDataPath("fuzz/targets.txt")));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string name, folder;
    if (!(words >> name) || name[0] == '#' || name != target) continue;
    std::vector<std::string> folders;
    while (words >> folder) folders.push_back(folder);
    return folders;
  }
  return {};
}
