// What the exported host functions answer with. The program that carries the
// exports (the stand-in host, or a test that plays the host) fills it in
// before it loads a module; absent parts make the functions answer "none".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "FileSearch.h"
#include "HostAllocator.h"
#include "HostInterface.h"

struct HostEnvironment {
  AcRxDictionary* systemRegistry = nullptr;
  AcRxClass* dynamicLinkerClass = nullptr;
  HWND mainWindow = nullptr;
  const FileSearch* fileSearch = nullptr;  // absent: no file is ever found
  HostAllocator allocator;
  // Every name passed to ads_findfile, exactly as passed, in call order
  // ("(null)" for an absent one): the search ignores letter case, a script
  // must not have to.
  std::vector<std::string> searchedNames;
};

HostEnvironment& hostEnvironment();
