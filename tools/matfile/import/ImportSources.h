// The SOURCE arguments of import as the files to read: a folder stands for
// every material card below it, read recursively in path order; a file whose
// name ends in ".FCMat" (in any letter case) is a card, one ending in ".xml" or
// ".matml" a MatML document, any other a table.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "SourcePaths.h"

struct ImportSource {
  enum class Kind { Table, Card, Matml };
  std::string path;  // as reports name it
  Kind kind;
  // What is opened. On Windows a folder lists its cards by their UTF-16
  // names, which the narrow `path` cannot always spell (a card exported from
  // a name beyond the code page of the console).
  std::filesystem::path file;
};

// Every source of an import, kept without a string or a path object each: a
// folder may hold a million cards.
class ImportSources {
 public:
  void add(ImportSource::Kind kind, const std::string& path, const std::filesystem::path& file);
  std::size_t size() const { return kinds_.size(); }
  ImportSource::Kind kind(std::size_t source) const { return kinds_[source]; }
  ImportSource operator[](std::size_t source) const;
  const SourcePaths& paths() const { return paths_; }

 private:
  SourcePaths paths_;
  std::vector<ImportSource::Kind> kinds_;
#ifdef _WIN32
  std::vector<std::wstring> files_;
#endif
};

// A folder whose cards cannot be listed, and why.
struct UnreadableFolder {
  std::string path;
  std::string why;
};

// What the folder arguments hold beside cards.
struct SourceFolders {
  std::vector<std::string> empty;  // folder arguments that hold no card
  std::vector<UnreadableFolder> unreadable;
};

ImportSources importSources(const std::vector<std::string>& arguments, SourceFolders& folders);
