// Every seed of the matfile reader fuzzers and every input they ever failed
// on, checked on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "MaterialMergeFault.h"
#include "MatfileReaderFaults.h"
#include "TestFiles.h"

namespace {

using Property = std::string (*)(const char*, std::size_t);

void expectNoFault(Property property, const std::string& target) {
  std::vector<std::string> folders = fuzzInputFolders(target);
  EXPECT_FALSE(folders.empty()) << target << " is not in fuzz/targets.txt";
  int inputs = 0;
  for (const std::string& folder : folders) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testDataPath(folder))) {
      if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
      std::string bytes = fileBytes(entry.path().string());
      EXPECT_EQ(property(bytes.data(), bytes.size()), "") << entry.path();
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0);
}

TEST(MatfileReaderFuzzInputs, UnitTexts) { expectNoFault(unitTextFault, "unit_text"); }

TEST(MatfileReaderFuzzInputs, MaterialCards) { expectNoFault(materialCardFault, "material_card"); }

TEST(MatfileReaderFuzzInputs, CsvTables) { expectNoFault(csvTableFault, "csv_table"); }

TEST(MatfileReaderFuzzInputs, MatmlDocuments) {
  expectNoFault(matmlDocumentFault, "matml_document");
}

TEST(MatfileReaderFuzzInputs, Merges) { expectNoFault(materialMergeFault, "material_merge"); }

}  // namespace
