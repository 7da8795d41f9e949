// One module in the stand-in host, loaded and started as the host does it:
// load, version query, runtime start, application initialisation, one
// drawing loaded; and at the end the drawing unloaded, the application
// unloaded and the library freed.
#pragma once

#include <windows.h>

#include <string>

#include "HostInterface.h"

class LoadedModule {
 public:
  LoadedModule() = default;
  ~LoadedModule() { unload(); }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // False, with `error` saying why and nothing left loaded, when the library
  // cannot be loaded, lacks one of the three exports or speaks another major
  // version of the host interface. `packet` goes with the initialisation.
  bool load(const std::string& path, void* packet, std::string& error);
  // Does nothing when nothing is loaded. The drawing, when still open, is
  // closed first.
  void unload();
  // The drawing unloaded (message 4): the module removes its commands. Does
  // nothing when no drawing is open.
  void closeDrawing();

  bool loaded() const { return library_ != nullptr; }
  HMODULE library() const { return library_; }

 private:
  HMODULE library_ = nullptr;
  AcrxEntryPointFunction entryPoint_ = nullptr;
  bool drawingOpen_ = false;
};

// The path of PRALVIK.arx in the folder of the running program.
std::string moduleBesideProgram();
