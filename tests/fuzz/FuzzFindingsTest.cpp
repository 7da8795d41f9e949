// Every seed of the fuzzer (its corpus, the tool's cases, the sample) and every
// input it ever failed on, checked on every run. The findings folder holds
// the other targets' folders too: only its own files are this target's.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "MaterialFileRoundTrip.h"
#include "TestFiles.h"

namespace {

std::vector<std::string> inputs() {
  std::vector<std::string> paths;
  for (const std::string& folder : fuzzInputFolders("material_file")) {
    for (const auto& entry : std::filesystem::directory_iterator(testDataPath(folder))) {
      if (entry.is_regular_file() && entry.path().filename() != "README.md") {
        paths.push_back(entry.path().string());
      }
    }
  }
  return paths;
}

TEST(FuzzInputs, ReadWriteReadGivesTheSameMaterials) {
  std::vector<std::string> paths = inputs();
  EXPECT_FALSE(paths.empty());
  for (const std::string& path : paths) {
    std::string bytes = fileBytes(path);
    EXPECT_EQ(materialFileRoundTripFault(bytes.data(), bytes.size()), "") << path;
  }
}

}  // namespace
