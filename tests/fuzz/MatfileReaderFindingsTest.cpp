// Every seed of the matfile reader fuzzers and every input they ever failed
// on, checked on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MaterialMergeFault.h"
#include "MatfileReaderFaults.h"
#include "TestFiles.h"

namespace {

using Property = std::string (*)(const char*, std::size_t);

void expectNoFault(Property property, const std::vector<const char*>& folders) {
  int inputs = 0;
  for (const char* folder : folders) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testDataPath(folder))) {
      if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
      std::string bytes = fileBytes(entry.path().string());
      EXPECT_EQ(property(bytes.data(), bytes.size()), "") << entry.path();
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0);
}

TEST(MatfileReaderFuzzInputs, UnitTexts) {
  expectNoFault(unitTextFault, {"fuzz/seeds/unit_text", "fuzz/findings/unit_text"});
}

TEST(MatfileReaderFuzzInputs, MaterialCards) {
  expectNoFault(materialCardFault, {"matfile/cards", "fuzz/findings/material_card"});
}

TEST(MatfileReaderFuzzInputs, CsvTables) {
  expectNoFault(csvTableFault, {"matfile/csv", "fuzz/findings/csv_table"});
}

TEST(MatfileReaderFuzzInputs, Merges) {
  expectNoFault(materialMergeFault, {"fuzz/seeds/material_merge", "fuzz/findings/material_merge"});
}

}  // namespace
