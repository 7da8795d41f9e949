#include "TestFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "MaterialProperty.h"
#include "MemoryTextSource.h"
#include "NumberText.h"

TemporaryFolder::TemporaryFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (;;) {
    path_ = std::filesystem::temp_directory_path() / ("pralvik-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path_)) return;
  }
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TemporaryFolder::entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string fileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string testDataPath(const std::string& relative) {
  return std::string(PRALVIK_TESTS_DIR) + "/" + relative;
}

std::string withPlatformLineEnds(const std::string& text) {
#ifdef _WIN32
  std::string converted;
  for (char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
#else
  return text;
#endif
}

std::string describeList(const MaterialNode* head) {
  std::ostringstream text;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) {
    if (node->material == nullptr) {
      text << "-\n";
      continue;
    }
    const Material& material = *node->material;
    text << (material.name != nullptr ? material.name : "<absent>") << '|';
    for (int position = 0; position < kPropertyCount; ++position) {
      char number[kNumberTextSize];
      formatNumber(propertyValue(material, propertyAt(position)), number);
      text << (position > 0 ? " " : "") << number;
    }
    text << '\n';
  }
  return text.str();
}

MaterialFileStatus readText(const std::string& text, MaterialList& head,
                            MaterialFileObserver* observer) {
  MemoryTextSource source(text.data(), text.size());
  return readMaterialText(source, head, observer);
}

int MemorySink::write(const char* data, std::size_t length) {
  text.append(data, length);
  ++writes;
  return 1;
}

int MemorySink::close() {
  closed = true;
  return 1;
}

int FailingSink::write(const char* text, std::size_t length) {
  if (++writes_ == failingWrite_) return 0;
  return inner_.write(text, length);
}

int FailingSink::close() { return failClose_ ? 0 : inner_.close(); }
