// Files and lists for tests: temporary folders, whole-file reads and writes,
// and a material list as comparable text.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "MaterialFile.h"
#include "TextSink.h"

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TemporaryFolder {
 public:
  TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder();

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Names of everything in the folder, sorted.
  std::vector<std::string> entries() const;

 private:
  std::filesystem::path path_;
};

// The bytes of a file exactly as stored (no line end translation); "" when the
// file cannot be read.
std::string fileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

// A test data file of this source tree, by its path below tests/.
std::string testDataPath(const std::string& relative);

// "\n" as the platform's text mode stores it.
std::string withPlatformLineEnds(const std::string& text);

// One line per material, "name|n1 n2 ... n8" with the numbers as the file
// writes them and "<absent>" for an absent name; "-" for an empty node.
std::string describeList(const MaterialNode* head);

// readMaterialText of an in-memory text.
MaterialFileStatus readText(const std::string& text, MaterialList& head,
                            MaterialFileObserver* observer = nullptr);

// Collects everything written; close() succeeds.
class MemorySink : public TextSink {
 public:
  int write(const char* text, std::size_t length) override;
  int close() override;
  std::string text;
  int writes = 0;
  bool closed = false;
};

// Passes writes on to another sink but fails the Nth write (counting from 1)
// or the close, without passing that call on.
class FailingSink : public TextSink {
 public:
  FailingSink(TextSink& inner, int failingWrite, bool failClose)
      : inner_(inner), failingWrite_(failingWrite), failClose_(failClose) {}
  int write(const char* text, std::size_t length) override;
  int close() override;

 private:
  TextSink& inner_;
  int failingWrite_;
  bool failClose_;
  int writes_ = 0;
};

// The list released on scope exit.
struct ListGuard {
  MaterialList head = nullptr;
  ~ListGuard() { releaseList(head); }
};
