#include "ImportSources.h"

#include <algorithm>
#include <filesystem>

#include "TextBytes.h"

namespace {

namespace fs = std::filesystem;

bool endsWith(const std::string& path, const std::string& ending) {
  if (path.size() < ending.size()) return false;
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (lowerAscii(path[path.size() - ending.size() + i]) != ending[i]) return false;
  }
  return true;
}

bool isCardName(const std::string& path) { return endsWith(path, ".fcmat"); }

// A report's spelling of a listed path: the system's narrow form, or UTF-8
// where that cannot spell it.
std::string shownPath(const fs::path& path) {
  try {
    return path.string();
  } catch (const std::exception&) {
    return path.u8string();
  }
}

ImportSource::Kind kindOf(const std::string& path) {
  if (isCardName(path)) return ImportSource::Kind::Card;
  if (endsWith(path, ".xml") || endsWith(path, ".matml")) return ImportSource::Kind::Matml;
  return ImportSource::Kind::Table;
}

// One entry of a folder, by its name alone: a path object each, kept for a
// whole tree, took more memory than the import's materials.
struct Listed {
  fs::path::string_type name;
  fs::path path;
  bool folder;
};

// A folder's cards and sub-folders, in name order: a tree walked so, each
// folder in turn, gives its cards in path order without sorting the tree's
// paths. A folder that cannot be listed may hold cards, so it is named: an
// import from a partly unreadable tree must not pass for a whole one. A link
// to a folder is not followed, so a link back up cannot loop.
void collectCards(const fs::path& folder, ImportSources& sources,
                  std::vector<UnreadableFolder>& unreadable, bool& found) {
  std::vector<Listed> listed;
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code kindError;
    bool isFolder = entry->is_directory(kindError) && !entry->is_symlink(kindError);
    if (isFolder ||
        (entry->is_regular_file(kindError) && isCardName(entry->path().extension().u8string()))) {
      listed.push_back({entry->path().filename().native(), entry->path(), isFolder});
    }
  }
  std::sort(listed.begin(), listed.end(),
            [](const Listed& a, const Listed& b) { return a.name < b.name; });
  for (const Listed& item : listed) {
    if (item.folder) {
      collectCards(item.path, sources, unreadable, found);
      continue;
    }
    sources.add(ImportSource::Kind::Card, shownPath(item.path), item.path);
    found = true;
  }
  if (error) unreadable.push_back({shownPath(folder), error.message()});
}

}  // namespace

void ImportSources::add(ImportSource::Kind kind, const std::string& path,
                        [[maybe_unused]] const fs::path& file) {
  paths_.add(path);
  kinds_.push_back(kind);
#ifdef _WIN32
  files_.push_back(file.native());
#endif
}

ImportSource ImportSources::operator[](std::size_t source) const {
  std::string path = paths_[source];
#ifdef _WIN32
  return {path, kinds_[source], fs::path(files_[source])};
#else
  // The listed path's narrow form is the path itself.
  return {path, kinds_[source], fs::path(path)};
#endif
}

ImportSources importSources(const std::vector<std::string>& arguments, SourceFolders& folders) {
  ImportSources sources;
  for (const std::string& argument : arguments) {
    std::error_code error;
    if (!fs::is_directory(argument, error)) {
      sources.add(kindOf(argument), argument, fs::path(argument));
      continue;
    }
    bool found = false;
    std::size_t unreadableBefore = folders.unreadable.size();
    collectCards(argument, sources, folders.unreadable, found);
    if (!found && folders.unreadable.size() == unreadableBefore) {
      folders.empty.push_back(argument);
    }
  }
  return sources;
}
