#include "ImportSources.h"

#include <algorithm>
#include <filesystem>

#include "TextBytes.h"

namespace {

namespace fs = std::filesystem;

bool isCardName(const std::string& path) {
  const std::string ending = ".fcmat";
  if (path.size() < ending.size()) return false;
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (lowerAscii(path[path.size() - ending.size() + i]) != ending[i]) return false;
  }
  return true;
}

// A card that cannot be listed is not there to be read; one that cannot be
// read is reported when it is.
std::vector<std::string> cardsBelow(const std::string& folder) {
  std::vector<std::string> paths;
  std::error_code error;
  fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied,
                                         error);
  for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
    std::error_code kindError;
    if (entry->is_regular_file(kindError) && isCardName(entry->path().filename().string())) {
      paths.push_back(entry->path().string());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

}  // namespace

std::vector<ImportSource> importSources(const std::vector<std::string>& arguments,
                                        std::vector<std::string>& emptyFolders) {
  std::vector<ImportSource> sources;
  for (const std::string& argument : arguments) {
    std::error_code error;
    if (!fs::is_directory(argument, error)) {
      sources.push_back({argument, isCardName(argument) ? ImportSource::Kind::Card
                                                        : ImportSource::Kind::Table});
      continue;
    }
    std::vector<std::string> cards = cardsBelow(argument);
    if (cards.empty()) emptyFolders.push_back(argument);
    for (std::string& card : cards) sources.push_back({std::move(card), ImportSource::Kind::Card});
  }
  return sources;
}
