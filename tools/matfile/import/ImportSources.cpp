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

// A folder that cannot be listed may hold cards, so it is named: an import
// from a partly unreadable tree must not pass for a whole one. A link to a
// folder is not followed, so a link back up cannot loop.
void collectCards(const fs::path& folder, std::vector<fs::path>& paths,
                  std::vector<UnreadableFolder>& unreadable) {
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code kindError;
    if (entry->is_directory(kindError) && !entry->is_symlink(kindError)) {
      collectCards(entry->path(), paths, unreadable);
    } else if (entry->is_regular_file(kindError) &&
               isCardName(entry->path().extension().u8string())) {
      paths.push_back(entry->path());
    }
  }
  if (error) unreadable.push_back({shownPath(folder), error.message()});
}

}  // namespace

std::vector<ImportSource> importSources(const std::vector<std::string>& arguments,
                                        SourceFolders& folders) {
  std::vector<ImportSource> sources;
  for (const std::string& argument : arguments) {
    std::error_code error;
    if (!fs::is_directory(argument, error)) {
      sources.push_back({argument, kindOf(argument), fs::path(argument)});
      continue;
    }
    std::vector<fs::path> cards;
    std::size_t unreadableBefore = folders.unreadable.size();
    collectCards(argument, cards, folders.unreadable);
    std::sort(cards.begin(), cards.end());
    if (cards.empty() && folders.unreadable.size() == unreadableBefore) {
      folders.empty.push_back(argument);
    }
    for (const fs::path& card : cards) {
      sources.push_back({shownPath(card), ImportSource::Kind::Card, card});
    }
  }
  return sources;
}
