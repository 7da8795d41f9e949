#include "ModuleImage.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace {

const BYTE* imageBase(HMODULE module) { return reinterpret_cast<const BYTE*>(module); }

// The module and the program that loads it are of one architecture, so the
// headers and thunks have the width of this build.
const IMAGE_NT_HEADERS* headersOf(HMODULE module) {
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(imageBase(module) + dos->e_lfanew);
}

const IMAGE_DATA_DIRECTORY& directory(HMODULE module, int entry) {
  return headersOf(module)->OptionalHeader.DataDirectory[entry];
}

}  // namespace

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

ModuleExports exportsOf(HMODULE module) {
  ModuleExports result;
  const IMAGE_DATA_DIRECTORY& entry = directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
  if (entry.VirtualAddress == 0) return result;
  const BYTE* base = imageBase(module);
  auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    result.names.insert(reinterpret_cast<const char*>(base + names[i]));
  }
  result.count = exports->NumberOfFunctions;
  return result;
}

std::map<std::string, std::set<std::string>> importsOf(HMODULE module) {
  std::map<std::string, std::set<std::string>> result;
  const IMAGE_DATA_DIRECTORY& entry = directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
  if (entry.VirtualAddress == 0) return result;
  const BYTE* base = imageBase(module);
  auto library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + entry.VirtualAddress);
  for (; library->Name != 0; ++library) {
    std::set<std::string>& names =
        result[lowerCase(reinterpret_cast<const char*>(base + library->Name))];
    DWORD table =
        library->OriginalFirstThunk != 0 ? library->OriginalFirstThunk : library->FirstThunk;
    for (auto thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + table);
         thunk->u1.AddressOfData != 0; ++thunk) {
      if ((thunk->u1.Ordinal & IMAGE_ORDINAL_FLAG) != 0) continue;
      auto byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData);
      names.insert(reinterpret_cast<const char*>(byName->Name));
    }
  }
  return result;
}

bool insideModule(HMODULE module, const void* address) {
  const BYTE* base = imageBase(module);
  const BYTE* at = static_cast<const BYTE*>(address);
  return at >= base && at < base + headersOf(module)->OptionalHeader.SizeOfImage;
}

std::string versionString(const std::string& path, const std::string& name) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return "";
  std::vector<char> record(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, record.data())) return "";
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation)) {
    return "";
  }
  char query[128];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                translation->codePage, name.c_str());
  char* value = nullptr;
  if (!VerQueryValueA(record.data(), query, reinterpret_cast<void**>(&value), &length) ||
      value == nullptr)
    return "";
  return value;
}
