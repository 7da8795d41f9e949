// The fuzz targets' folders as tests/fuzz/targets.txt lists them, the list
// that scripts/fuzz runs from: the replay takes the same folders.
#pragma once

#include <string>
#include <vector>

// The target's findings folder, then its seed folders, each as testDataPath
// takes it; none when the list has no such target.
std::vector<std::string> fuzzInputFolders(const std::string& target);
