// The SOURCE arguments of import as the files to read: a folder stands for
// every material card below it, read recursively in path order; a file whose
// name ends in ".FCMat" (in any letter case) is a card, any other a table.
#pragma once

#include <string>
#include <vector>

struct ImportSource {
  enum class Kind { Table, Card };
  std::string path;
  Kind kind;
};

// `emptyFolders` gets every folder argument that holds no card.
std::vector<ImportSource> importSources(const std::vector<std::string>& arguments,
                                        std::vector<std::string>& emptyFolders);
