// What a loaded module's image says about its exports and imports.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>

// The names of the exports, and how many exports there are in all (ordinals
// without a name included).
struct ModuleExports {
  std::set<std::string> names;
  unsigned count = 0;
};

ModuleExports exportsOf(HMODULE module);

// The imported names per library, library names in lower case.
std::map<std::string, std::set<std::string>> importsOf(HMODULE module);

// Library names are compared in lower case, as Windows compares them.
std::string lowerCase(std::string text);

// The module's address range in memory.
bool insideModule(HMODULE module, const void* address);

// The string of the version record's first translation, or "" when absent.
std::string versionString(const std::string& path, const std::string& name);
