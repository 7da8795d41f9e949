#include "FileSearch.h"

#include <windows.h>

#include <cstring>

namespace {

bool hasFolderPart(const char* name) { return std::strpbrk(name, "\\/:") != nullptr; }

std::string inFolder(const std::string& folder, const char* name) {
  if (folder.empty()) return name;
  char last = folder.back();
  return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

}  // namespace

bool FileSearch::find(const char* name, char* result, std::size_t resultSize) const {
  if (name == nullptr || *name == '\0' || std::strpbrk(name, "*?") != nullptr) return false;
  if (hasFolderPart(name)) return findIn(name, result, resultSize);
  if (findIn(inFolder(".", name), result, resultSize)) return true;
  for (const std::string& folder : folders_) {
    if (findIn(inFolder(folder, name), result, resultSize)) return true;
  }
  return false;
}

bool FileSearch::findIn(const std::string& candidate, char* result, std::size_t resultSize) {
  char fullPath[MAX_PATH * 4];
  char* fileName = nullptr;
  DWORD length = GetFullPathNameA(candidate.c_str(), sizeof fullPath, fullPath, &fileName);
  if (length == 0 || length >= sizeof fullPath || fileName == nullptr) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(fullPath, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  // The name as stored: the search ignores letter case, the file system may not.
  std::size_t folderLength = static_cast<std::size_t>(fileName - fullPath);
  std::size_t nameLength = std::strlen(found.cFileName);
  if (folderLength + nameLength + 1 > resultSize) return false;
  std::memcpy(result, fullPath, folderLength);
  std::memcpy(result + folderLength, found.cFileName, nameLength + 1);
  return true;
}
