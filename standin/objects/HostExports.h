// What the host interface that this program exports answers with. A module
// calls the exports as plain functions, so there is one set per process, and
// this room alone holds it: the program that carries the exports (the
// stand-in host, a test that plays the host) connects its objects before it
// loads a module and disconnects them once it has unloaded it. While nothing
// is connected every export answers "none".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "FileSearch.h"
#include "HostAllocator.h"
#include "HostInterface.h"

class HostExports {
 public:
  // The host's objects; each must outlive the connection. An absent file
  // search finds no file.
  struct Objects {
    AcRxDictionary* systemRegistry = nullptr;
    AcRxClass* dynamicLinkerClass = nullptr;
    HWND mainWindow = nullptr;
    const FileSearch* fileSearch = nullptr;
  };

  static void connect(const Objects& objects);
  static void disconnect();

  // The allocator behind acad_malloc and its kin. It is not connected but
  // lives as long as the process: the module's last blocks come back while it
  // unloads, and the program reads the counts after that.
  static HostAllocator& allocator();

  // Every name passed to ads_findfile, exactly as passed, in call order
  // ("(null)" for an absent one): the search ignores letter case, a script
  // must not have to.
  static const std::vector<std::string>& searchedNames();
};
