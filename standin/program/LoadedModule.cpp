#include "LoadedModule.h"

#include "DecimalText.h"

namespace {

std::string versionText(std::uint32_t version) {
  return decimalText(version >> 16) + "." + decimalText(version & 0xFFFF);
}

std::string lastErrorText() { return "error " + decimalText(GetLastError()); }

template <typename Function>
Function exportedFunction(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

bool LoadedModule::load(const std::string& path, void* packet, std::string& error) {
  unload();
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    error = "cannot load \"" + path + "\" (" + lastErrorText() + ")";
    return false;
  }
  auto entryPoint = exportedFunction<AcrxEntryPointFunction>(library, kEntryPointExport);
  auto apiVersion = exportedFunction<AcrxGetApiVersionFunction>(library, kApiVersionExport);
  auto runtimeStart = exportedFunction<SetacrxPtpFunction>(library, kRuntimeStartExport);
  if (entryPoint == nullptr || apiVersion == nullptr || runtimeStart == nullptr) {
    FreeLibrary(library);
    error = "\"" + path + "\" lacks the exports of a host module";
    return false;
  }
  std::uint32_t version = apiVersion();
  if (version >> 16 != kModuleApiVersion >> 16) {
    FreeLibrary(library);
    error = "\"" + path + "\" speaks host interface " + versionText(version) + ", this host " +
            versionText(kModuleApiVersion);
    return false;
  }
  library_ = library;
  entryPoint_ = entryPoint;
  runtimeStart();
  entryPoint_(kInitApplicationMessage, packet);
  entryPoint_(kLoadDrawingMessage, nullptr);
  drawingOpen_ = true;
  return true;
}

void LoadedModule::closeDrawing() {
  if (library_ == nullptr || !drawingOpen_) return;
  drawingOpen_ = false;
  entryPoint_(kUnloadDrawingMessage, nullptr);
}

void LoadedModule::unload() {
  if (library_ == nullptr) return;
  closeDrawing();
  entryPoint_(kUnloadApplicationMessage, nullptr);
  FreeLibrary(library_);
  library_ = nullptr;
  entryPoint_ = nullptr;
}

std::string moduleBesideProgram() {
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return "PRALVIK.arx";
  std::string folder(path, length);
  std::string::size_type separator = folder.find_last_of("\\/");
  folder.resize(separator == std::string::npos ? 0 : separator + 1);
  return folder + "PRALVIK.arx";
}
